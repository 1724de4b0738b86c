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
#include <cstring>
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

// The answers of one goto run, written out in pieces of whole lines as they grow, so that a
// list of any length takes little memory; and whether any reference was not found or malformed.
class TGotoRun
{
public:
    TGotoRun(const TToolArguments& arguments, TVesko3Session& session) : Arguments(arguments), Session(session) {}

    // Appends the answer for one reference, as goto prints it.
    void Answer(std::string_view word)
    {
        const std::optional<TLineReference> reference = ParseLineReference(Widened(word, Wide));
        if (!reference) {
            InputError(Arguments, u"줄 번호의 꼴이 아닙니다: " + Utf8ToUtf16(word));
            Malformed = true;
        }
        // References in text order find their lines beside the last one's.
        const std::optional<TLinePlace> place = reference ? Session.LineIndex().Find(*reference, Near) : std::nullopt;
        Out += word;
        if (!place) {
            Missing = true;
            Out += "\t-\t-\t-\n";
        } else {
            for (const std::int32_t field : {place->Sutta + 1, place->Family, place->Position}) {
                char digits[16];
                const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, field);
                Out += '\t';
                Out.append(digits, written.ptr);
            }
            Out += '\n';
        }
        if (Out.size() >= PieceBytes) Flush();
    }
    void Flush()
    {
        WriteOutput(Out);
        Out.clear();
    }
    int Status() const
    {
        if (Malformed) return ExitBadInput;
        return Missing ? ExitLoadFailed : ExitSuccess;
    }

private:
    static constexpr std::size_t PieceBytes = 1 << 16;

    const TToolArguments& Arguments;
    TVesko3Session& Session;
    TLineIndex::TNear Near;
    std::u16string Wide;
    std::string Out;
    bool Missing = false;
    bool Malformed = false;
};

// Answers the references of standard input, one a line, CR and LF each ending one; the empty
// pieces between are no references.
void AnswerStandardInput(TGotoRun& run)
{
    std::string input(std::size_t(1) << 16, '\0');
    std::size_t held = 0; // the start of a line not yet ended, moved to the front
    for (std::size_t got; (got = std::fread(input.data() + held, 1, input.size() - held, stdin)) > 0;) {
        const std::string_view chunk(input.data(), held + got);
        std::size_t start = 0;
        for (std::size_t end = 0; end < chunk.size(); ++end) {
            if (chunk[end] != '\n' && chunk[end] != '\r') continue;
            if (end > start) run.Answer(chunk.substr(start, end - start));
            start = end + 1;
        }
        held = chunk.size() - start;
        std::memmove(input.data(), input.data() + start, held);
        // A line longer than the buffer makes it grow.
        if (held == input.size()) input.resize(2 * input.size());
    }
    if (held > 0) run.Answer(std::string_view(input.data(), held));
}

int RunGoto(TToolArguments& arguments)
{
    if (arguments.Positional().empty()) return ArgumentError(arguments, u"줄 번호가 있어야 합니다.");
    TVesko3Session session;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;
    TGotoRun run(arguments, session);
    for (const std::string& word : arguments.Positional()) {
        if (word == "-")
            AnswerStandardInput(run);
        else
            run.Answer(word);
    }
    run.Flush();
    return run.Status();
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
