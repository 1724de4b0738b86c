// Line references: the forms readers write, the citation shapes, and the round trip from every
// line of the shared corpus to its view position and back.

#include "BrowseTestData.h"
#include "RecordingMessages.h"
#include "TestDataSet.h"
#include "ToolRun.h"

#include "browse/Citation.h"
#include "browse/LineIndex.h"
#include "browse/LineReference.h"
#include "browse/SutraTexts.h"
#include "data/DataSetSource.h"
#include "search/Matcher.h"
#include "util/TextCodec.h"
#include "util/TextLines.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct TExpectedLine
{
    std::u16string Id;
    TLinePlace Place;
    char16_t First; // the view's unit at the place: the line's first unit, or CR for an empty line
};

// A view text as the views hold it: each line break one unit.
std::u16string ViewUnits(std::u16string text)
{
    NormalizeLineBreaks(text);
    return text;
}

// The title line's length in the views: its two line breaks are a unit each.
std::int32_t ViewTitleLength(const TLoadedData& data, std::int32_t n)
{
    return static_cast<std::int32_t>(TitleLine(data.TextFiles[HanFamily], n).size()) - 2;
}

// Every line of family's source bodies where the views must put it, worked out from the
// source lines alone: the title line, then each line's text after its head and a line break.
std::vector<TExpectedLine> ExpectedLines(const TDataSetSource& source, const TLoadedData& data, int family)
{
    std::vector<TExpectedLine> lines;
    for (std::int32_t n = 0; n < static_cast<std::int32_t>(source.Suttas.size()); ++n) {
        const std::u16string& body = family == KorFamily ? source.Suttas[n].KorBody : source.Suttas[n].SinsuBody;
        std::int32_t position = ViewTitleLength(data, n);
        for (std::u16string_view line : SplitLines(body)) {
            const std::u16string_view text = line.substr(LineHeadLength);
            lines.push_back({std::u16string(line.substr(0, LineIdLength)),
                             {n, family, position},
                             text.empty() ? u'\r' : text.front()});
            position += static_cast<std::int32_t>(text.size()) + 1;
        }
    }
    return lines;
}

std::optional<TTaishoLine> Parsed(std::u16string_view text)
{
    const std::optional<TLineReference> reference = ParseLineReference(text);
    return reference ? reference->Taisho : std::nullopt;
}

bool SameLine(const std::optional<TTaishoLine>& line, std::int32_t volume, std::optional<std::int32_t> text,
              std::int32_t page, char16_t column, std::int32_t number)
{
    return line && line->Volume == volume && line->Text == text && line->Page == page && line->Column == column &&
           line->Line == number;
}

} // namespace

TEST(LineReference, ReadsTheLineIdsAndTheScholarlyForms)
{
    for (std::u16string_view text : {u"T01n0001_p0011a08", u"T01, no. 1, p. 11a08", u"T01n0001, p. 11a08",
                                     u"T1 n1 p11a8", u" t01,no.0001,p.0011A08 ", u"T1, 1, 11a08"})
        EXPECT_TRUE(SameLine(Parsed(text), 1, 1, 11, u'a', 8)) << Utf16ToUtf8(text);
    for (std::u16string_view text : {u"T1 p11a8", u"T01, p. 11a08", u"T1 11a8"})
        EXPECT_TRUE(SameLine(Parsed(text), 1, std::nullopt, 11, u'a', 8)) << Utf16ToUtf8(text);
    EXPECT_TRUE(SameLine(Parsed(u"T2, no. 99, p. 1c29"), 2, 99, 1, u'c', 29));

    // A 고려대장경 id is taken as written; it has no Taishō numbers.
    const std::optional<TLineReference> kor = ParseLineReference(u"K01n0001_p0011a08");
    ASSERT_TRUE(kor);
    EXPECT_EQ(kor->Id(), u"K01n0001_p0011a08");
    EXPECT_FALSE(kor->Taisho);

    for (std::u16string_view text : {u"", u"foo", u"T01", u"T01 p11", u"T01 p11d08", u"T01 p11a", u"K1 p11a8",
                                     u"T01n0001_p0011a08x", u"T1234567 p1a1", u"T01 p11a08 12"})
        EXPECT_FALSE(ParseLineReference(text)) << Utf16ToUtf8(text);
}

TEST(LineReference, FindsCatalogueTitlesByCollectionAndNumber)
{
    TLoadedData data;
    ParseTextFiles(SmallDataSetSource(), data);
    const TVesko_File& catalogue = data.TextFiles[HanFamily];
    EXPECT_EQ(FindCatalogueTitle(catalogue, u"중아함 1"), 1);
    EXPECT_EQ(FindCatalogueTitle(catalogue, u"중아함0001"), 1);
    EXPECT_EQ(FindCatalogueTitle(catalogue, u" 증일아함 01 "), 3);
    EXPECT_FALSE(FindCatalogueTitle(catalogue, u"중아함 2"));
    EXPECT_FALSE(FindCatalogueTitle(catalogue, u"아함 1"));
    EXPECT_FALSE(FindCatalogueTitle(catalogue, u"1"));
}

TEST(Citation, CitesTaishoLinesInTheirThreeShapesAndOtherHeadsByTheirIds)
{
    EXPECT_EQ(EditionCitation(SinsuFamily, u"T01n0001_p0011a08", u"T01n0001_p0011a10"),
              u"신수대장경 T01, no. 1, p. 11a08–10");
    EXPECT_EQ(EditionCitation(SinsuFamily, u"T01n0001_p0011a08", u"T01n0001_p0011b03"),
              u"신수대장경 T01, no. 1, p. 11a08–b03");
    EXPECT_EQ(EditionCitation(SinsuFamily, u"T01n0001_p0011a08", u"T01n0001_p0012b03"),
              u"신수대장경 T01, no. 1, p. 11a08–12b03");
    EXPECT_EQ(EditionCitation(SinsuFamily, u"T02n0099_p0001c29", u"T02n0099_p0001c29"),
              u"신수대장경 T02, no. 99, p. 1c29");
    EXPECT_EQ(EditionCitation(KorFamily, u"K01n0001_p0011a08", u"K01n0001_p0011a10"),
              u"고려대장경 K01n0001_p0011a08–K01n0001_p0011a10");

    TLoadedData data;
    ParseTextFiles(SmallDataSetSource(), data);
    // 장아함 0001: the title line, then 如是我聞 on line a01 and 一時佛在舍衛國 on a02.
    const std::int32_t title = ViewTitleLength(data, 0);
    const std::optional<TCitation> both = CiteViewRange(data, 0, SinsuFamily, title + 2, title + 8);
    ASSERT_TRUE(both);
    EXPECT_EQ(QuoteWithCitation(u"我聞\r\n一時", SinsuFamily, *both),
              u"「我聞一時」(신수대장경 T01, no. 1, p. 1a01–02; 장아함 0001 대본경)");
    const std::optional<TCitation> korean = CiteViewRange(data, 0, HanFamily, title, title + 4);
    ASSERT_TRUE(korean);
    EXPECT_EQ(QuoteWithCitation(u"여시\r\n아문", HanFamily, *korean), u"「여시\r\n아문」(장아함 0001 대본경)");
    // The closing line break belongs to the last line; the range ends at the view's end.
    const auto length = static_cast<std::int32_t>(ViewUnits(FamilyViewText(data, 0, SinsuFamily)).size());
    const std::optional<TCitation> last = CiteViewRange(data, 0, SinsuFamily, length - 1, length);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->FirstId, u"T01n0001_p0001a02");
    EXPECT_FALSE(CiteViewRange(data, 0, SinsuFamily, length - 1, length + 1));
    EXPECT_FALSE(CiteViewRange(data, 0, SinsuFamily, 5, 5));
    EXPECT_FALSE(CiteViewRange(data, 0, SinsuFamily, -1, 5));
}

TEST(LineReference, EveryCorpusLineGoesToItsFirstUnitAndIsCitedBack)
{
    const std::filesystem::path corpus = CorpusFolder();
    if (corpus.empty()) GTEST_SKIP() << "no shared corpus";
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_TRUE(ReadSourceFolder(corpus, source, skips).Ok());
    TTemporaryFolder folder;
    WriteTestDataSet(source, folder.Path());
    TVesko3Session session;
    TRecordingMessages messages;
    ASSERT_TRUE(session.LoadData(folder.Path(), messages));
    const TLoadedData& data = session.Data;
    const TLineIndex& index = session.LineIndex();

    std::string references, expectedOutput;
    std::size_t count = 0;
    for (int family : {KorFamily, SinsuFamily}) {
        std::int32_t shown = -1;
        std::u16string view;
        for (const TExpectedLine& line : ExpectedLines(source, data, family)) {
            const TLinePlace& want = line.Place;
            if (want.Sutta != shown) view = ViewUnits(FamilyViewText(data, shown = want.Sutta, family));
            const std::string id = Utf16ToUtf8(line.Id);
            const std::optional<TLineReference> reference = ParseLineReference(line.Id);
            ASSERT_TRUE(reference) << id;
            const std::optional<TLinePlace> place = index.Find(*reference);
            ASSERT_TRUE(place) << id;
            ASSERT_EQ(place->Sutta, want.Sutta) << id;
            ASSERT_EQ(place->Family, family) << id;
            ASSERT_EQ(place->Position, want.Position) << id;
            ASSERT_EQ(view.at(static_cast<std::size_t>(want.Position)), line.First) << id;
            const std::optional<TCitation> cited =
                CiteViewRange(data, want.Sutta, family, want.Position, want.Position + 1);
            ASSERT_TRUE(cited) << id;
            ASSERT_EQ(cited->FirstId, line.Id) << id;
            references += id + "\n";
            expectedOutput += id + "\t" + std::to_string(want.Sutta + 1) + "\t" + std::to_string(family) + "\t" +
                              std::to_string(want.Position) + "\n";
            ++count;
        }
    }
    EXPECT_EQ(count, 2 * 103179u);
    EXPECT_TRUE(messages.Shown.empty());

    // The tool answers the same for all of them in one run.
    const TToolRun run = RunTool({"goto", "--data", Q(folder.Path()), "-"}, QByteArray::fromStdString(references));
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_TRUE(run.Out == expectedOutput);
}
