// list, subjects, show: the browse lists and the view texts, as the window shows them.

#include "ToolCommon.h"

#include "browse/CatalogueRows.h"
#include "browse/SutraTexts.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr std::string_view ViewNames =
    "total-han, han-body, han-subject, han-summary, total-kor, kor, total-sinsu, sinsu";

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
    std::optional<int> kind = 0;
    if (const std::optional<std::string> kindText = arguments.Value("--kind")) kind = ParseChoice(*kindText, KindNames);
    if (!kind) return ArgumentError(arguments, ChoiceError(u"범위", *arguments.Value("--kind"), KindNames));
    TVesko3Session session;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;

    const std::optional<TCatalogueList> list =
        SutraListRows(session.Data.TextFiles[0], byName, static_cast<int>(*kind));
    PrintRows(*list, 3);
    PrintLine(list->CountText);
    return ExitSuccess;
}

int RunSubjects(TToolArguments& arguments)
{
    const std::optional<std::string> subjectText = arguments.Value("--subject");
    std::optional<long long> subject;
    if (subjectText) {
        subject = ParseInteger(*subjectText, 1, INT32_MAX);
        if (!subject)
            return ArgumentError(arguments, u"--subject는 1부터 세는 주제 목록의 줄 번호여야 합니다: " +
                                                Utf8ToUtf16(*subjectText));
    }
    TVesko3Session session;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;

    const TVesko_File& catalogue = session.Data.TextFiles[0];
    if (!subject) {
        PrintRows(SubjectRows(catalogue), 2);
        return ExitSuccess;
    }
    const std::optional<TCatalogueList> list = SubjectSutraRows(catalogue, static_cast<std::int32_t>(*subject - 1));
    if (!list)
        return InputError(arguments, DecimalText(*subject) + u"번째 줄의 주제가 없습니다. 주제는 " +
                                         DecimalText(catalogue.JoojeTable.Count) + u"개입니다.");
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
        return ArgumentError(arguments, (viewText ? u"알 수 없는 보기입니다: " + Utf8ToUtf16(*viewText)
                                                  : std::u16string(u"--view가 있어야 합니다.")) +
                                            u" (" + Utf8ToUtf16(ViewNames) + u")");
    if (arguments.Positional().empty()) return ArgumentError(arguments, u"경전 번호가 있어야 합니다.");
    const std::optional<std::int32_t> number = SutraNumberArgument(arguments, arguments.Positional()[0]);
    if (!number) return ExitBadInput;
    TVesko3Session session;
    if (int loaded = LoadToolData(arguments, session); loaded != ExitSuccess) return loaded;
    if (!InCatalogue(arguments, session, *number)) return ExitBadInput;

    const TSutraViewTexts texts = BuildSutraViewTexts(session.Data, static_cast<std::int32_t>(*number - 1));
    WriteOutput(Utf16ToUtf8(WithCrLfBreaks(SutraViewText(texts, *view))));
    return ExitSuccess;
}

const TToolCommand ListCommand{
    {"list",
     "list [--data DIR] [--by-name] [--kind K]",
     "list the sutras of the catalogue, all or one collection's",
     {DataOption(),
      {"--by-name", "", u"", "in name order instead of catalogue order"},
      {"--kind", "K", u"범위", "the collection, by number or name: " + ChoiceList(std::span(KindNames))}},
     0,
     "Prints number, title and name of each sutra, tab-separated, then the count line.",
     &RunList}};

const TToolCommand SubjectsCommand{
    {"subjects",
     "subjects [--data DIR] [--subject S]",
     "list the subjects, or the sutras of one",
     {DataOption(), {"--subject", "S", u"주제 번호", "list the sutras of the subject in row S of the list, from 1"}},
     0,
     "",
     &RunSubjects}};

const TToolCommand ShowCommand{{"show",
                                "show [--data DIR] N --view V",
                                "print one view of sutra N",
                                {DataOption(), {"--view", "V", u"보기 이름", "the view: " + std::string(ViewNames)}},
                                1,
                                "Line breaks are printed as CR LF, as the views hold them.",
                                &RunShow}};

} // namespace
