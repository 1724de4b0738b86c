#include "BrowseTestData.h"
#include "browse/CatalogueRows.h"
#include "util/TextCodec.h"

#include <algorithm>

namespace {

class CatalogueRowsSmall : public ::testing::Test
{
protected:
    void SetUp() override { ParseTextFiles(SmallDataSetSource(), Data); }
    const TVesko_File& Catalogue() const { return Data.TextFiles[0]; }
    TLoadedData Data;
};

std::vector<std::u16string> Column(const TCatalogueList& list, int column)
{
    std::vector<std::u16string> cells;
    for (const TCatalogueRow& row : list.Rows)
        cells.push_back(row.Cells[column]);
    return cells;
}

using TTexts = std::vector<std::u16string>;

} // namespace

TEST_F(CatalogueRowsSmall, ListsEveryEntryInCatalogueOrder)
{
    const std::optional<TCatalogueList> list = SutraListRows(Catalogue(), false, 0);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->RowCount, 4);
    EXPECT_EQ(list->CountText, u"4 개");
    EXPECT_EQ(Column(*list, 0), (TTexts{u"1", u"2", u"3", u"4"}));
    EXPECT_EQ(list->Rows[1].Position, 1);
    EXPECT_EQ(list->Rows[1].Cells[1], u"중아함 0001");
    EXPECT_EQ(list->Rows[1].Cells[2], u"선법경");
}

TEST_F(CatalogueRowsSmall, FilterKeepsCatalogueNumbers)
{
    const std::optional<TCatalogueList> middle = SutraListRows(Catalogue(), false, 2);
    ASSERT_TRUE(middle);
    ASSERT_EQ(middle->Rows.size(), 1u);
    EXPECT_EQ(middle->Rows[0].Cells[0], u"2");
    EXPECT_EQ(middle->Rows[0].Position, 1);
    EXPECT_EQ(middle->CountText, u"1 개");

    const std::optional<TCatalogueList> last = SutraListRows(Catalogue(), true, 4);
    ASSERT_TRUE(last);
    ASSERT_EQ(last->Rows.size(), 1u);
    EXPECT_EQ(last->Rows[0].Cells, (std::array<std::u16string, 3>{u"4", u"대본경", u"증일아함 0001"}));
}

TEST_F(CatalogueRowsSmall, KindOutsideTheFormatChangesNothing)
{
    EXPECT_FALSE(SutraListRows(Catalogue(), false, -1));
    EXPECT_FALSE(SutraListRows(Catalogue(), true, 8));
    // 5 to 7 exist in the format but hold nothing here.
    const std::optional<TCatalogueList> seventh = SutraListRows(Catalogue(), true, 7);
    ASSERT_TRUE(seventh);
    EXPECT_EQ(seventh->RowCount, 0);
    EXPECT_TRUE(seventh->Rows.empty());
    EXPECT_EQ(seventh->CountText, u"0 개");
}

TEST_F(CatalogueRowsSmall, RowCountFollowsKindCountsWhileRowsComeFromEntries)
{
    TVesko_File catalogue = Catalogue();
    catalogue.Header.KindCounts[1] = 3;
    catalogue.Header.KindCounts[3] = 0;
    // A damaged name order must not index the table.
    TNamePositions damaged = NameOrderOf(catalogue);
    damaged[0] = 2500;
    catalogue.NameOrder.Set(std::make_shared<const TNamePositions>(damaged));

    const std::optional<TCatalogueList> first = SutraListRows(catalogue, false, 1);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->RowCount, 3);
    EXPECT_EQ(first->CountText, u"3 개");
    ASSERT_EQ(first->Rows.size(), 1u);
    EXPECT_EQ(first->RowAt(0).Cells[0], u"1");
    EXPECT_EQ(first->RowAt(2).Position, -1);
    EXPECT_TRUE(first->RowAt(2).Cells[0].empty());

    const std::optional<TCatalogueList> third = SutraListRows(catalogue, false, 3);
    EXPECT_EQ(third->RowCount, 0);
    EXPECT_EQ(third->Rows.size(), 1u);
    EXPECT_EQ(SutraListRows(catalogue, true, 0)->Rows.size(), 3u);
}

TEST(CatalogueRows, NameOrderKeepsEqualNamesInCatalogueOrderAndPrefixesFirst)
{
    TDataSetSource source;
    for (auto [kind, name] : {std::pair{1, u"나무"},
                              {2, u"가나다"},
                              {1, u"가나"},
                              {2, u"나무"},
                              {1, u"beta"},
                              {2, u"Alpha"},
                              {1, u"ALPHA"}})
        source.Suttas.push_back(SourceSutta(kind, u"제목", name));
    TLoadedData data;
    ParseTextFiles(source, data);

    const std::optional<TCatalogueList> all = SutraListRows(data.TextFiles[0], true, 0);
    ASSERT_TRUE(all);
    const TTexts numbers = Column(*all, 0);
    ASSERT_EQ(numbers.size(), 7u);
    auto at = [&](const char16_t* number) {
        return std::find(numbers.begin(), numbers.end(), number) - numbers.begin();
    };
    EXPECT_EQ(at(u"4"), at(u"1") + 1);
    EXPECT_LT(at(u"3"), at(u"2"));
    // Case does not order names: the two spellings of alpha keep catalogue order.
    EXPECT_EQ(at(u"7"), at(u"6") + 1);
    EXPECT_LT(at(u"7"), at(u"5"));
    EXPECT_EQ(all->Rows[at(u"3")].Cells[1], u"가나");
    EXPECT_EQ(all->Rows[at(u"3")].Cells[2], u"제목");

    // The filter leaves the other collection out and keeps the name order.
    const std::optional<TCatalogueList> second = SutraListRows(data.TextFiles[0], true, 2);
    TTexts expected;
    for (const std::u16string& number : numbers)
        if (number == u"2" || number == u"4" || number == u"6") expected.push_back(number);
    EXPECT_EQ(Column(*second, 0), expected);
}

TEST(CatalogueRows, FullLengthTitleAndNameAreShownWholeInUnicode)
{
    // 32 units, no terminator; the name holds characters code page 949 lacks.
    const std::u16string title(32, u'經');
    const std::u16string name = u"똠😀" + std::u16string(29, u'가');
    ASSERT_EQ(name.size(), 32u);
    TDataSetSource source;
    source.Suttas = {SourceSutta(1, title, name), SourceSutta(1, u"둘", u"가")};
    TLoadedData data;
    ParseTextFiles(source, data);

    const std::optional<TCatalogueList> byOrder = SutraListRows(data.TextFiles[0], false, 0);
    EXPECT_EQ(byOrder->Rows[0].Cells[1], title);
    EXPECT_EQ(byOrder->Rows[0].Cells[2], name);
    const std::optional<TCatalogueList> byName = SutraListRows(data.TextFiles[0], true, 0);
    EXPECT_EQ(Column(*byName, 1), (TTexts{u"가", name}));
}

TEST_F(CatalogueRowsSmall, SubjectsAndTheirSutras)
{
    const TCatalogueList subjects = SubjectRows(Catalogue());
    EXPECT_EQ(subjects.RowCount, 3);
    EXPECT_EQ(Column(subjects, 0), (TTexts{u"제일분", u"빈 주제", u"제이분"}));
    EXPECT_EQ(Column(subjects, 1), (TTexts{u"2 개", u"0 개", u"2 개"}));
    EXPECT_TRUE(subjects.CountText.empty());

    const std::optional<TCatalogueList> second = SubjectSutraRows(Catalogue(), 2);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->RowCount, 2);
    EXPECT_EQ(second->CountText, u"2 개");
    EXPECT_EQ(second->Rows[1].Cells, (std::array<std::u16string, 3>{u"4", u"증일아함 0001", u"대본경"}));
}

TEST_F(CatalogueRowsSmall, SubjectWithoutSutrasLeavesAnEmptyList)
{
    const std::optional<TCatalogueList> empty = SubjectSutraRows(Catalogue(), 1);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->RowCount, 0);
    EXPECT_TRUE(empty->Rows.empty());
    EXPECT_EQ(empty->CountText, u"0 개");
    EXPECT_FALSE(SubjectSutraRows(Catalogue(), 3));
    EXPECT_FALSE(SubjectSutraRows(Catalogue(), -1));
}

TEST_F(CatalogueRowsSmall, SubjectKeepsItsOwnOrderAndBlanksABadIndex)
{
    TVesko_File catalogue = Catalogue();
    TJoojeEntry& subject = catalogue.JoojeTable.Items[0];
    subject.Count = 3;
    subject.Suttas = {3, 4, 0}; // 4 is beyond the table
    const std::optional<TCatalogueList> list = SubjectSutraRows(catalogue, 0);
    EXPECT_EQ(Column(*list, 0), (TTexts{u"4", u"", u"1"}));
    EXPECT_EQ(list->Rows[1].Position, -1);
}

TEST_F(CatalogueRowsSmall, RowTurnsBackIntoACataloguePosition)
{
    EXPECT_EQ(RowSutra(Catalogue(), u"1", u"3"), 2);
    EXPECT_EQ(RowSutra(Catalogue(), u" 1\t", u" 4 "), 3);
    // A list holding only its empty row is ignored, whatever the row.
    EXPECT_FALSE(RowSutra(Catalogue(), u" \t", u"2"));
    EXPECT_FALSE(IsFilledList(u"  "));
    // Numbers that name no sutra never reach the tables.
    for (const char16_t* cell : {u"", u"0", u"5", u"abc", u"-1", u"99999999999"})
        EXPECT_FALSE(RowSutra(Catalogue(), u"1", cell)) << Utf16ToUtf8(cell);
}
