// list, subjects, show: the browse lists and the view texts, as the window shows them.

#include "ToolCommon.h"

#include "browse/CatalogueRows.h"
#include "browse/SutraTexts.h"
#include "util/TextCodec.h"

#include <cstdint>
#include <cstdio>

namespace {

int BadInput(std::string_view message)
{
    PrintError(message);
    return ExitBadInput;
}

// Rejects options nobody asked for and stray positional words.
bool ArgumentsAreClean(TToolArguments& arguments, std::string_view command, std::size_t positionalCount)
{
    if (std::optional<std::string> option = arguments.Unclaimed()) {
        PrintError(std::string(command) + ": unknown option " + *option);
        return false;
    }
    if (arguments.Positional().size() != positionalCount) {
        PrintError(std::string(command) + ": wrong number of arguments");
        return false;
    }
    return true;
}

void PrintRows(const TCatalogueList& list, int columns)
{
    for (std::int32_t i = 0; i < list.RowCount; ++i) {
        const TCatalogueRow& row = list.RowAt(i);
        std::u16string line = row.Cells[0];
        for (int c = 1; c < columns; ++c)
            line += u'\t' + row.Cells[c];
        PrintLine(line);
    }
}

int RunList(TToolArguments& arguments)
{
    const bool byName = arguments.Flag("--by-name");
    const bool hasKind = arguments.Flag("--kind");
    const std::optional<std::string> kindText = arguments.Value("--kind");
    std::optional<long long> kind = 0;
    if (hasKind) kind = kindText ? ParseInteger(*kindText, 0, SelectableKinds - 1) : std::nullopt;
    if (!kind) return BadInput("list: --kind takes a collection from 0 to 4");
    TVesko3Session session;
    arguments.DataFolder();
    if (!ArgumentsAreClean(arguments, "list", 0)) return ExitBadInput;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;

    const std::optional<TCatalogueList> list =
        SutraListRows(session.Data.TextFiles[0], byName, static_cast<int>(*kind));
    PrintRows(*list, 3);
    PrintLine(list->CountText);
    return ExitSuccess;
}

int RunSubjects(TToolArguments& arguments)
{
    const bool hasSubject = arguments.Flag("--subject");
    const std::optional<std::string> subjectText = arguments.Value("--subject");
    std::optional<long long> subject;
    if (hasSubject) {
        subject = subjectText ? ParseInteger(*subjectText, 1, INT32_MAX) : std::nullopt;
        if (!subject) return BadInput("subjects: --subject takes a row number of the subject list, from 1");
    }
    TVesko3Session session;
    arguments.DataFolder();
    if (!ArgumentsAreClean(arguments, "subjects", 0)) return ExitBadInput;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;

    const TVesko_File& catalogue = session.Data.TextFiles[0];
    if (!subject) {
        PrintRows(SubjectRows(catalogue), 2);
        return ExitSuccess;
    }
    const std::optional<TCatalogueList> list = SubjectSutraRows(catalogue, static_cast<std::int32_t>(*subject - 1));
    if (!list)
        return BadInput("subjects: no subject in row " + std::to_string(*subject) + "; the list has " +
                        std::to_string(catalogue.JoojeTable.Count));
    PrintRows(*list, 3);
    PrintLine(list->CountText);
    return ExitSuccess;
}

// What a view holds, with every line break as CR LF: the views take a lone CR or LF as a
// line break too.
std::u16string WithCrLfBreaks(const std::u16string& text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

int RunShow(TToolArguments& arguments)
{
    const std::optional<std::string> viewText = arguments.Value("--view");
    const std::optional<TSutraView> view =
        viewText ? SutraViewFromName(Utf8ToUtf16(*viewText)) : std::optional<TSutraView>();
    if (!view)
        return BadInput("show: --view takes one of total-han, han-body, han-subject, han-summary, total-kor, kor, "
                        "total-sinsu, sinsu");
    TVesko3Session session;
    arguments.DataFolder();
    if (!ArgumentsAreClean(arguments, "show", 1)) return ExitBadInput;
    const std::optional<long long> number = ParseInteger(arguments.Positional()[0], 1, MaxSuttaCount);
    if (!number) return BadInput("show: the sutra number must lie between 1 and " + std::to_string(MaxSuttaCount));
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;

    const std::int32_t count = session.Data.TextFiles[0].SuttaTable.Count;
    if (*number > count)
        return BadInput("show: no sutra " + std::to_string(*number) + "; the catalogue holds " + std::to_string(count));
    const TSutraViewTexts texts = BuildSutraViewTexts(session.Data, static_cast<std::int32_t>(*number - 1));
    const std::string utf8 = Utf16ToUtf8(WithCrLfBreaks(SutraViewText(texts, *view)));
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return ExitSuccess;
}

const TToolCommand ListCommand{"list", "list [--by-name] [--kind K]", &RunList};
const TToolCommand SubjectsCommand{"subjects", "subjects [--subject S]", &RunSubjects};
const TToolCommand ShowCommand{"show", "show N --view V", &RunShow};

} // namespace
