// vesko3-tool search: the search button and the hit display on the command line.

#include "ToolCommon.h"

#include "search/Concordance.h"
#include "search/SearchHit.h"
#include "search/SearchScan.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

namespace {

constexpr std::string_view Usage = "search [--canon C] [--kind K] [--all] [--no-variants] [--reference] [--time] "
                                   "[--marks N | --context W] WORD...";

int BadArgument(std::string_view what)
{
    PrintError(std::string(what));
    PrintError("usage: vesko3-tool " + std::string(Usage));
    return ExitBadInput;
}

std::string NumberText(std::int64_t value)
{
    return std::to_string(value);
}

int RunSearchCommand(TToolArguments& arguments)
{
    TSearchOptions options;
    constexpr long long Low = std::numeric_limits<std::int32_t>::min();
    constexpr long long High = std::numeric_limits<std::int32_t>::max();
    if (std::optional<std::string> canon = arguments.Value("--canon")) {
        const std::optional<long long> value = ParseInteger(*canon, 0, 3);
        if (!value) return BadArgument("--canon takes 0 to 3");
        options.TitleIndex = static_cast<std::int32_t>(*value);
    }
    if (std::optional<std::string> kind = arguments.Value("--kind")) {
        const std::optional<long long> value = ParseInteger(*kind, 0, 4);
        if (!value) return BadArgument("--kind takes 0 to 4");
        options.KindIndex = static_cast<std::int32_t>(*value);
    }
    std::optional<std::int32_t> marks; // the catalogue position, -1 for a number naming none
    if (std::optional<std::string> number = arguments.Value("--marks")) {
        const std::optional<long long> value = ParseInteger(*number, Low, High);
        if (!value) return BadArgument("--marks takes a catalogue number");
        marks = static_cast<std::int32_t>(std::max(*value - 1, -1LL));
    }
    std::optional<int> context;
    if (std::optional<std::string> width = arguments.Value("--context")) {
        const std::optional<long long> value = ParseInteger(*width, 0, MaxContextWidth);
        if (!value) return BadArgument("--context takes 0 to 200");
        if (marks) return BadArgument("--context and --marks exclude each other");
        context = static_cast<int>(*value);
    }
    options.SearchMode = arguments.Flag("--all") ? 1 : 0;
    options.SameCharacter = !arguments.Flag("--no-variants");
    const TScanMethod method = arguments.Flag("--reference") ? TScanMethod::Reference : TScanMethod::Fast;
    const bool timed = arguments.Flag("--time");
    arguments.DataFolder(); // claims --data
    if (std::optional<std::string> unknown = arguments.Unclaimed()) return BadArgument("unknown option " + *unknown);

    std::vector<std::u16string> lines;
    for (const std::string& word : arguments.Positional())
        lines.push_back(Utf8ToUtf16(word));

    TVesko3Session session;
    if (const int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;
    TSearchInfo& info = session.SearchInfo;

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
        for (const TConcordanceRow& row : BuildConcordance(session.Data, info, *context).Rows)
            PrintLine(NumberText(std::int64_t(row.Sutra) + 1) + "	" + NumberText(row.Family) + "	" +
                      NumberText(row.Run.Begin) + "	" + NumberText(row.Run.End) + "	" + Utf16ToUtf8(row.Left) + "	" +
                      Utf16ToUtf8(row.Text) + "	" + Utf16ToUtf8(row.Right));
        return ExitSuccess;
    }
    for (const TCatalogueRow& row : outcome.List.Rows)
        PrintLine(row.Cells[0] + u"\t" + row.Cells[1] + u"\t" + row.Cells[2] + u"\t" +
                  DecimalText(info.HitFlags[row.Position]));
    PrintLine(outcome.List.CountText);
    return ExitSuccess;
}

const TToolCommand SearchCommand{"search", Usage, &RunSearchCommand};

} // namespace
