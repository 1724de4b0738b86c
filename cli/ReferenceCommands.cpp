// cite, goto, parallels: line references and parallels, as the views' citation, the go-to box
// and the parallels pane give them.

#include "ToolCommon.h"

#include "browse/Citation.h"
#include "browse/LineIndex.h"
#include "browse/LineReference.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <cstdint>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>
#include <string>

namespace {

constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();

int RunCite(TToolArguments& arguments)
{
    const std::vector<std::string>& words = arguments.Positional();
    if (words.size() != 4) return ArgumentError(arguments, u"N FAMILY START END 네 인자가 있어야 합니다.");
    const std::optional<std::int32_t> number = SutraNumberArgument(arguments, words[0]);
    if (!number) return ExitBadInput;
    const std::optional<long long> family = ParseInteger(words[1], 0, TextFileCount - 1);
    if (!family) return ArgumentError(arguments, u"FAMILY는 0, 1, 2 가운데 하나여야 합니다: " + Utf8ToUtf16(words[1]));
    const std::optional<long long> start = ParseInteger(words[2], Int32Min, Int32Max);
    const std::optional<long long> end = ParseInteger(words[3], Int32Min, Int32Max);
    if (!start || !end)
        return ArgumentError(arguments, u"START와 END는 보기 글의 위치여야 합니다: " + Utf8ToUtf16(words[2]) + u" " +
                                            Utf8ToUtf16(words[3]));

    TVesko3Session session;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;
    if (!InCatalogue(arguments, session, *number)) return ExitBadInput;
    const std::optional<TCitation> citation =
        CiteViewRange(session.Data, *number - 1, static_cast<int>(*family), static_cast<std::int32_t>(*start),
                      static_cast<std::int32_t>(*end));
    if (!citation)
        return InputError(arguments,
                          u"보기 글 안의 범위가 아닙니다: " + DecimalText(*start) + u"–" + DecimalText(*end));
    const bool korean = *family == HanFamily;
    PrintLine((korean ? u"-" : citation->FirstId) + u"\t" + (korean ? u"-" : citation->LastId) + u"\t" +
              citation->Text);
    return ExitSuccess;
}

// Looks up each reference as goto prints it; tells whether any was not found or malformed.
struct TGotoOutcome
{
    bool Missing = false;
    bool Malformed = false;
};

// word as UTF-16 in wide, which is kept from one reference to the next: a list of references
// is mostly ASCII, widened without a fresh string each.
std::u16string_view Widened(std::string_view word, std::u16string& wide)
{
    if (std::any_of(word.begin(), word.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        wide = Utf8ToUtf16(word);
    else {
        wide.resize(word.size());
        for (std::size_t i = 0; i < word.size(); ++i)
            wide[i] = static_cast<char16_t>(word[i]);
    }
    return wide;
}

// Appends the answer for one reference to out, as goto prints it.
void GoTo(const TToolArguments& arguments, TVesko3Session& session, std::string_view word, std::string& out,
          TGotoOutcome& outcome)
{
    thread_local std::u16string wide;
    const std::optional<TLineReference> reference = ParseLineReference(Widened(word, wide));
    if (!reference) {
        InputError(arguments, u"줄 번호의 꼴이 아닙니다: " + Utf8ToUtf16(word));
        outcome.Malformed = true;
    }
    const std::optional<TLinePlace> place = reference ? session.LineIndex().Find(*reference) : std::nullopt;
    out += word;
    if (!place) {
        outcome.Missing = true;
        out += "\t-\t-\t-\n";
        return;
    }
    for (const std::int32_t field : {place->Sutta + 1, place->Family, place->Position}) {
        char digits[16];
        const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, field);
        out += '\t';
        out.append(digits, written.ptr);
    }
    out += '\n';
}

// Standard input whole: a list of references is small beside the texts they point into.
std::string ReadStandardInput()
{
    std::string input(std::size_t(1) << 16, '\0');
    std::size_t size = 0;
    for (std::size_t got; (got = std::fread(input.data() + size, 1, input.size() - size, stdin)) > 0;) {
        size += got;
        if (size == input.size()) input.resize(2 * input.size());
    }
    input.resize(size);
    return input;
}

int RunGoto(TToolArguments& arguments)
{
    if (arguments.Positional().empty()) return ArgumentError(arguments, u"줄 번호가 있어야 합니다.");
    TVesko3Session session;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;
    TGotoOutcome outcome;
    std::string out;
    for (const std::string& word : arguments.Positional()) {
        if (word != "-") {
            GoTo(arguments, session, word, out, outcome);
            continue;
        }
        const std::string input = ReadStandardInput();
        out.reserve(out.size() + 2 * input.size());
        // Line by line, CR and LF each ending one; the empty pieces between are no references.
        for (std::size_t start = 0; start < input.size();) {
            std::size_t end = start;
            while (end < input.size() && input[end] != '\n' && input[end] != '\r')
                ++end;
            if (end > start) GoTo(arguments, session, std::string_view(input).substr(start, end - start), out, outcome);
            start = end + 1;
        }
    }
    // The answers go out in one piece; a line without its break is never printed.
    if (!out.empty()) out.pop_back();
    PrintLine(out);
    if (outcome.Malformed) return ExitBadInput;
    return outcome.Missing ? ExitLoadFailed : ExitSuccess;
}

int RunParallels(TToolArguments& arguments)
{
    if (arguments.Positional().size() != 1) return ArgumentError(arguments, u"경전 번호가 있어야 합니다.");
    const std::optional<std::int32_t> number = SutraNumberArgument(arguments, arguments.Positional()[0]);
    if (!number) return ExitBadInput;
    TVesko3Session session;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;
    if (!InCatalogue(arguments, session, *number)) return ExitBadInput;
    if (!session.Parallels.Present) {
        PrintToolError(u"대응경전 자료가 없습니다.", "parallels");
        return ExitLoadFailed;
    }
    for (const TParallel& row : session.Parallels.Of(*number - 1))
        PrintLine(std::string(ParallelRelationNames[static_cast<int>(row.Relation)]) + "\t" + Utf16ToUtf8(row.Id) +
                  "\t" + Utf16ToUtf8(row.Label) + "\t" + (row.Corpus >= 0 ? std::to_string(row.Corpus + 1) : ""));
    return ExitSuccess;
}

const TToolCommand CiteCommand{
    {"cite",
     "cite [--data DIR] N FAMILY START END",
     "print the lines and the citation of a passage of a view",
     {DataOption()},
     4,
     "Prints the line ids of the lines holding the first and the last unit of view positions\n"
     "[START, END) of sutra N (its catalogue number) in FAMILY (0 한글대장경, 1 고려대장경,\n"
     "2 신수대장경; positions as search --marks gives them), then the citation the views copy\n"
     "after the quote, tab-separated; for FAMILY 0 the line ids are \"-\". START >= END or a\n"
     "position outside the text exits with 2.",
     &RunCite}};

const TToolCommand GotoCommand{
    {"goto",
     "goto [--data DIR] REF... | goto [--data DIR] -",
     "find the lines of line references",
     {DataOption()},
     AnyNumber,
     "Each REF is a line id (T01n0001_p0011a08, K01n0001_p0011a08) or a Taisho reference as\n"
     "scholars write it (\"T01, no. 1, p. 11a08\", \"T01n0001, p. 11a08\", \"T1 p11a8\"); \"-\"\n"
     "reads references from standard input, one a line. Prints for each, in order, the\n"
     "reference, the sutra's catalogue number, the family (1 고려대장경, 2 신수대장경) and the\n"
     "view position of the line's first unit, tab-separated, or the reference and three \"-\"\n"
     "when there is no such line. Exits with 1 when a reference names no line and with 2 when\n"
     "one is in no reference form.",
     &RunGoto}};

const TToolCommand ParallelsCommand{
    {"parallels",
     "parallels [--data DIR] N",
     "list the parallels of a sutra",
     {DataOption()},
     1,
     "Prints the parallels of sutra N (its catalogue number), one a line, in the order of the\n"
     "source: relation (full, partial or resembling), id, label and, for a sutra of the data\n"
     "set, its catalogue number, tab-separated; nothing for a sutra without parallels. Exits\n"
     "with 1 when the data set has no parallels file.",
     &RunParallels}};

} // namespace
