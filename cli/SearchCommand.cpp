// vesko3-tool search: the search button and the hit display on the command line.

#include "ToolCommon.h"

#include "data/CharacterFile.h"
#include "search/Concordance.h"
#include "search/SearchHit.h"
#include "search/SearchScan.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <exception>
#include <limits>

namespace {

std::string NumberText(std::int64_t value)
{
    return std::to_string(value);
}

// The concordance's rows, one line each, its fields apart by tabs, written a block at a time
// as the rows come: a search over the whole canon lists tens of thousands.
void PrintConcordance(const TLoadedData& data, const TSearchInfo& info, int width)
{
    constexpr std::size_t Block = 1 << 16;
    std::string out;
    out.reserve(Block + 4096);
    auto number = [&](std::int64_t value) {
        char digits[24];
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
        out += '\t';
    };
    // The rows come from the matching threads: a failed write stops the writing and is
    // reported once they are done.
    std::exception_ptr failure;
    ForEachConcordanceRow(data, info, width, std::numeric_limits<std::size_t>::max(), 0, [&](TConcordanceRow& row) {
        if (failure) return;
        number(std::int64_t(row.Sutra) + 1);
        number(row.Family);
        number(row.Run.Begin);
        number(row.Run.End);
        AppendUtf8(out, row.Left);
        out += '\t';
        AppendUtf8(out, row.Text);
        out += '\t';
        AppendUtf8(out, row.Right);
        out += '\n';
        if (out.size() < Block) return;
        try {
            WriteOutput(out);
        } catch (...) {
            failure = std::current_exception();
        }
        out.clear();
    });
    if (failure) std::rethrow_exception(failure);
    WriteOutput(out);
}

int RunSearchCommand(TToolArguments& arguments)
{
    TSearchOptions options;
    constexpr long long Low = std::numeric_limits<std::int32_t>::min();
    constexpr long long High = std::numeric_limits<std::int32_t>::max();
    if (std::optional<std::string> canon = arguments.Value("--canon")) {
        const std::optional<int> value = ParseChoice(*canon, CanonNames);
        if (!value) return ArgumentError(arguments, ChoiceError(u"검색 대상", *canon, CanonNames));
        options.TitleIndex = *value;
    }
    if (std::optional<std::string> kind = arguments.Value("--kind")) {
        const std::optional<int> value = ParseChoice(*kind, KindNames);
        if (!value) return ArgumentError(arguments, ChoiceError(u"검색 범위", *kind, KindNames));
        options.KindIndex = *value;
    }
    std::optional<std::int32_t> marks; // the catalogue position, -1 for a number naming none
    if (std::optional<std::string> number = arguments.Value("--marks")) {
        const std::optional<long long> value = ParseInteger(*number, Low, High);
        if (!value)
            return ArgumentError(arguments, u"--marks 다음에는 경전 번호가 와야 합니다: " + Utf8ToUtf16(*number));
        marks = static_cast<std::int32_t>(std::max(*value - 1, -1LL));
    }
    std::optional<int> context;
    if (std::optional<std::string> width = arguments.Value("--context")) {
        const std::optional<long long> value = ParseInteger(*width, 0, MaxContextWidth);
        if (!value)
            return ArgumentError(arguments, u"--context는 0에서 " + DecimalText(MaxContextWidth) +
                                                u" 사이의 수여야 합니다: " + Utf8ToUtf16(*width));
        if (marks) return ArgumentError(arguments, u"--context와 --marks는 함께 쓸 수 없습니다.");
        context = static_cast<int>(*value);
    }
    options.SearchMode = arguments.Flag("--all") ? 1 : 0;
    options.SameCharacter = !arguments.Flag("--no-variants");
    options.ByReading = arguments.Flag("--reading");
    if (options.ByReading && options.TitleIndex == HanCanon)
        return ArgumentError(arguments, u"--reading은 한문 대장경(--canon 1, 2, 3)을 찾을 때만 씁니다.");
    const TScanMethod method = arguments.Flag("--reference") ? TScanMethod::Reference : TScanMethod::Fast;
    const bool timed = arguments.Flag("--time");

    std::vector<std::u16string> lines;
    for (const std::string& word : arguments.Positional())
        lines.push_back(Utf8ToUtf16(word));

    TVesko3Session session;
    // The search lists its hits in catalogue order: the order by name is never read.
    if (const int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;
    if (options.ByReading && !session.Data.CharacterFile.Loaded) {
        InputError(arguments, CharacterFileMissingText());
        return ExitLoadFailed;
    }
    TSearchInfo& info = session.SearchInfo;
    // The tool runs one search, which reads each body once: an index would copy the bodies
    // first and pay off only from a second search, so the scan reads the loaded texts.
    info.Index = {};

    std::chrono::steady_clock::time_point begin, end;
    TSearchFeedback feedback;
    feedback.ScanStarting = [&](std::int32_t) { begin = std::chrono::steady_clock::now(); };
    feedback.ScanFinished = [&] { end = std::chrono::steady_clock::now(); };
    TStderrMessages messages;
    const TSearchOutcome outcome = SearchSutras(session.Data, info, options, lines, messages, feedback, method);
    if (outcome.Check != TWordCheck::Accepted) return ExitBadInput;
    if (timed) {
        const double ms = std::chrono::duration<double, std::milli>(end - begin).count();
        char text[64];
        std::snprintf(text, sizeof text, "scan: %.1f ms", ms);
        PrintError(std::string_view(text));
    }

    if (marks) {
        for (const TFamilyRuns& family : SearchHitRuns(session.Data, info, *marks))
            for (const THighlightRun& run : family.Runs)
                PrintLine(NumberText(family.Family) + "\t" + NumberText(run.Begin) + "\t" + NumberText(run.End));
        return ExitSuccess;
    }
    if (context) {
        PrintConcordance(session.Data, info, *context);
        return ExitSuccess;
    }
    for (const TCatalogueRow& row : outcome.List.Rows)
        PrintLine(row.Cells[0] + u"\t" + row.Cells[1] + u"\t" + row.Cells[2] + u"\t" +
                  DecimalText(info.HitFlags[row.Position]));
    PrintLine(outcome.List.CountText);
    return ExitSuccess;
}

const TToolCommand SearchCommand{
    {"search",
     "search [--data DIR] [--canon C] [--kind K] [--all] [--no-variants] [--reading] [--reference] [--time] "
     "[--marks N | --context W] [--] WORD...",
     "search the texts for words and list the sutras that hold them",
     {DataOption(),
      {"--canon", "C", u"검색 대상",
       "the text searched, by number or name:\n" + ChoiceList(CanonNames) + "; 0 unless given"},
      {"--kind", "K", u"검색 범위",
       "the collection, by number or name:\n" + ChoiceList(KindNames) + "; 0 unless given"},
      {"--all", "", u"", "list only the sutras that hold every word"},
      {"--no-variants", "", u"", "leave out the variant characters of each hanja"},
      {"--reading", "", u"",
       "read each Hangul syllable of the words as every hanja with that\n"
       "reading (Chinese canons only; needs the character file)"},
      {"--reference", "", u"", "scan with the plain reference method instead of the fast one"},
      {"--time", "", u"", "print the scan time on standard error"},
      {"--marks", "N", u"경전 번호",
       "instead of the list, print the highlighted ranges of sutra N\n"
       "(its catalogue number) as family, start and end"},
      {"--context", "W", u"너비",
       "instead of the list, print a concordance row for each hit: number,\n"
       "family, start, end, W units of text before, the hit, W units after\n"
       "(W from 0 to " +
           std::to_string(MaxContextWidth) + ")"}},
     AnyNumber,
     "Each WORD is a line of the search box. Without --marks or --context, prints for each sutra\n"
     "its number, title, name and the texts that hold a word (the sum of 1 한글대장경,\n"
     "2 고려대장경 and 4 신수대장경), tab-separated, then the count line.",
     &RunSearchCommand}};

} // namespace
