#include "BrowseTestData.h"
#include "browse/SutraTexts.h"
#include "data/DataSetSource.h"
#include "util/MyWideString.h"

namespace {

const std::u16string SmallTitle = u"#제목:장아함 0001  대본경\r\n\r\n";

class SutraTextsSmall : public ::testing::Test
{
protected:
    void SetUp() override { ParseTextFiles(SmallDataSetSource(), Data); }
    TLoadedData Data;
};

} // namespace

TEST_F(SutraTextsSmall, FillsTheEightViews)
{
    const TSutraViewTexts texts = BuildSutraViewTexts(Data, 0);
    EXPECT_EQ(TitleLine(Data.TextFiles[0], 0), SmallTitle);
    EXPECT_EQ(texts.TotalHan, SmallTitle + u"여시아문 일시불\r\n재사위국\r\n");
    EXPECT_EQ(texts.HanSubject, u"주제 대본경\r\n");
    EXPECT_EQ(texts.HanSummary, u"요약 대본경\r\n");
    EXPECT_EQ(texts.TotalKor, SmallTitle + u"如是我聞\r\n一時佛在舍衛國\r\n");
    EXPECT_EQ(texts.TotalSinsu, texts.TotalKor);

    EXPECT_EQ(&SutraViewText(texts, TSutraView::HanBody), &texts.TotalHan);
    EXPECT_EQ(&SutraViewText(texts, TSutraView::Kor), &texts.TotalKor);
    EXPECT_EQ(&SutraViewText(texts, TSutraView::Sinsu), &texts.TotalSinsu);
    EXPECT_EQ(&SutraViewText(texts, TSutraView::HanSummary), &texts.HanSummary);
}

TEST_F(SutraTextsSmall, PositionOutsideTheTablesGivesEmptyTexts)
{
    for (std::int32_t n : {-1, 4, 2500}) {
        EXPECT_TRUE(TitleLine(Data.TextFiles[0], n).empty());
        EXPECT_TRUE(BuildSutraViewTexts(Data, n).TotalHan.empty());
    }
}

TEST(SutraTexts, EachFamilyUsesItsOwnRange)
{
    // The Chinese files hold one sutra more than the catalogue, and their bodies differ in
    // length from the Korean one and from each other.
    TDataSetSource korean;
    korean.Suttas = {SourceSutta(1, u"갑", u"을"), SourceSutta(2, u"병", u"정")};
    korean.Suttas[0].HanBody = u"가나다라마바사";
    korean.Suttas[1].HanBody = u"아";
    TDataSetSource chinese = korean;
    chinese.Suttas[0].KorBody = u"K01n0001_p0001a01;  如";
    chinese.Suttas[0].SinsuBody = u"";
    chinese.Suttas[1].KorBody = u"";
    chinese.Suttas[1].SinsuBody = u"T01n0001_p0001a01║ 如是我聞\r\nT01n0001_p0001a02║ 一時";
    chinese.Suttas.push_back(SourceSutta(3, u"무", u"기"));
    chinese.Suttas.back().KorBody = u"佛";
    TLoadedData data;
    ParseTextFiles(korean, data, &chinese);

    const std::u16string title = u"#제목:병  정\r\n\r\n";
    const TSutraViewTexts second = BuildSutraViewTexts(data, 1);
    EXPECT_EQ(second.TotalHan, title + u"아\r\n");
    EXPECT_EQ(second.TotalKor, title + u"\r\n");
    EXPECT_EQ(second.TotalSinsu, title + u"如是我聞\r\n一時\r\n");
    // An empty subject or summary shows only the line break.
    EXPECT_EQ(second.HanSummary, u"\r\n");
    EXPECT_EQ(BuildSutraViewTexts(data, 0).TotalKor, u"#제목:갑  을\r\n\r\n如\r\n");
    // Only the catalogue's sutras can be shown.
    EXPECT_TRUE(BuildSutraViewTexts(data, 2).TotalKor.empty());
}

TEST(SutraTexts, KoreanTextIsNeverAltered)
{
    TDataSetSource source;
    source.Suttas = {SourceSutta(1, std::u16string(32, u'經'), u"이름")};
    source.Suttas[0].HanBody = u"T01n0001_p0001a01║  본문";
    TLoadedData data;
    ParseTextFiles(source, data);
    const TSutraViewTexts texts = BuildSutraViewTexts(data, 0);
    EXPECT_EQ(texts.TotalHan,
              u"#제목:" + std::u16string(32, u'經') + u"  이름\r\n\r\n" + u"T01n0001_p0001a01║  본문\r\n");
}

TEST(SutraTexts, ViewNamesRoundTrip)
{
    for (int v = 0; v < SutraViewCount; ++v) {
        const auto view = static_cast<TSutraView>(v);
        EXPECT_EQ(SutraViewFromName(SutraViewName(view)), view);
    }
    EXPECT_EQ(SutraViewFromName(u"han-body"), TSutraView::HanBody);
    EXPECT_FALSE(SutraViewFromName(u"Kor"));
    EXPECT_FALSE(SutraViewFromName(u""));
}

TEST(SutraTexts, ShowingFromALaterTabSwitchesToTheCombinedTab)
{
    for (int page = 0; page < 4; ++page)
        EXPECT_EQ(ViewPageAfterShow(page), page);
    for (int page : {4, 5, 6})
        EXPECT_EQ(ViewPageAfterShow(page), 0);
}

TEST(MyWideString, CopiesARangeUnchanged)
{
    const std::vector<char16_t> buffer = {u'a', u'\r', u'\n', u'\0', u'b'};
    EXPECT_EQ(CopyWideChars(buffer, 0, 5), std::u16string(u"a\r\n\0b", 5));
    EXPECT_EQ(CopyWideChars(buffer, 2, 0), u"");
    EXPECT_EQ(CopyWideChars(buffer, 4, 9), u"b");
    EXPECT_EQ(CopyWideChars(buffer, 9, 1), u"");
}

namespace {

// A Chinese source line as a reader would see it: without its 18-unit head and the spaces
// after it.
std::u16string LineWithoutHead(std::u16string_view line)
{
    const bool head =
        line.size() >= 18 && ((line[0] == u'T' && line[17] == u'║') || (line[0] == u'K' && line[17] == u';'));
    if (!head) return std::u16string(line);
    std::size_t p = 18;
    while (p < line.size() && line[p] == u' ')
        ++p;
    return std::u16string(line.substr(p));
}

std::u16string LinesWithoutHeads(const std::u16string& body)
{
    std::u16string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t breakAt = body.find(u"\r\n", start);
        out += LineWithoutHead(std::u16string_view(body).substr(start, breakAt - start));
        if (breakAt == std::u16string::npos) break;
        out += u"\r\n";
        start = breakAt + 2;
    }
    return out;
}

} // namespace

TEST(SutraTexts, CorpusChineseViewsAreTheSourceLinesWithoutHeads)
{
    const std::filesystem::path folder = CorpusFolder();
    if (folder.empty()) GTEST_SKIP() << "no shared corpus";
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_TRUE(ReadSourceFolder(folder, source, skips).Ok());
    TLoadedData data;
    ParseTextFiles(source, data);

    for (std::int32_t n = 0; n < data.TextFiles[0].SuttaTable.Count; ++n) {
        const TSutraViewTexts texts = BuildSutraViewTexts(data, n);
        const std::u16string title = TitleLine(data.TextFiles[0], n);
        const TSourceSutta& s = source.Suttas[n];
        ASSERT_EQ(texts.TotalHan, title + s.HanBody + u"\r\n") << "sutra " << n + 1;
        ASSERT_EQ(texts.TotalKor, title + LinesWithoutHeads(s.KorBody) + u"\r\n") << "sutra " << n + 1;
        ASSERT_EQ(texts.TotalSinsu, title + LinesWithoutHeads(s.SinsuBody) + u"\r\n") << "sutra " << n + 1;
    }
}
