// The two Chinese editions aligned: small cases where a careless alignment splits or shifts a
// difference, and the shared corpus, whose 고려 text is its 신수 text with known swaps.

#include "search/EditionCompare.h"

#include "SearchTestData.h"
#include "data/DataSetSource.h"
#include "util/TextCodec.h"
#include "util/TextLines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

namespace {

std::array<TVariantFile, VariantFileCount> Groups(const std::vector<std::u16string>& groups)
{
    std::array<TVariantFile, VariantFileCount> files;
    EXPECT_EQ(ParseVariantFile(SerializeVariantFile(groups), files[0]), TDataFileStatus::Ok);
    EXPECT_EQ(ParseVariantFile(SerializeVariantFile({}), files[1]), TDataFileStatus::Ok);
    return files;
}

} // namespace

TEST(EditionCompare, KeepsSwapsAsSubstitutionsAndJoinsAdjacentOnes)
{
    const auto variants = Groups({u"說説", u"一壹", u"甲乙丙"});
    // A swap next to its own replacement could be read as a deletion and an insertion apart.
    EXPECT_EQ(AlignEditions(u"如是我聞壹壹佛", u"如是我聞一壹佛", variants),
              (std::vector<TEditionDifference>{{4, 5, 4, 5, true}}));
    // Two adjacent swaps are one difference; a swap outside every group is other.
    EXPECT_EQ(AlignEditions(u"佛説壹是甲", u"佛說一是乙", variants),
              (std::vector<TEditionDifference>{{1, 3, 1, 3, true}, {4, 5, 4, 5, true}}));
    EXPECT_EQ(AlignEditions(u"佛説是", u"佛語是", variants), (std::vector<TEditionDifference>{{1, 2, 1, 2, false}}));
    // Insertions and deletions, at the ends too, shift what follows.
    EXPECT_EQ(AlignEditions(u"甲佛說法", u"佛說法乙", variants),
              (std::vector<TEditionDifference>{{0, 1, 0, 0, false}, {4, 4, 3, 4, false}}));
    EXPECT_EQ(AlignEditions(u"", u"佛", variants), (std::vector<TEditionDifference>{{0, 0, 0, 1, false}}));
    EXPECT_TRUE(AlignEditions(u"如是", u"如是", variants).empty());
    // Characters outside the basic plane that share a first half differ as whole characters.
    EXPECT_EQ(AlignEditions(u"佛\U00020000法", u"佛\U00020001法", variants),
              (std::vector<TEditionDifference>{{1, 3, 1, 3, false}}));
    EXPECT_EQ(AlignEditions(u"佛\U00020000\U00020000", u"佛\U00020001\U00020001", variants),
              (std::vector<TEditionDifference>{{1, 5, 1, 5, false}}));

    // Positions map across: one to one in equal text, to the start inside a difference.
    const std::vector<TEditionDifference> shifted = AlignEditions(u"甲佛說法", u"佛說法乙", variants);
    EXPECT_EQ(AlignedPosition(shifted, 2, true), 1);
    EXPECT_EQ(AlignedPosition(shifted, 0, true), 0);
    EXPECT_EQ(AlignedPosition(shifted, 1, false), 2);
    EXPECT_EQ(AlignedPosition(shifted, 3, false), 4);
}

TEST(EditionCompare, TwoUnrelatedTextsBeyondTheEditLimitAreOneDifference)
{
    const std::u16string a(3 * MaxAlignedEdits, u'甲'), b(3 * MaxAlignedEdits, u'乙');
    EXPECT_EQ(AlignEditions(u"佛" + a + u"法", u"佛" + b + u"法", Groups({})),
              (std::vector<TEditionDifference>{{1, 1 + std::int32_t(a.size()), 1, 1 + std::int32_t(b.size()), false}}));
}

TEST(EditionCompare, FindsExactlyTheSwapsOfTheCorpusAsVariantDifferences)
{
    const std::filesystem::path folder = CorpusFolder();
    if (folder.empty()) GTEST_SKIP() << "no shared corpus beside this checkout";
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_EQ(ReadSourceFolder(folder, source, skips).Message(), u"");
    TLoadedData data;
    ParseSearchData(source, data);

    // number, original (신수), replacement (고려) -> count
    std::map<std::tuple<std::int32_t, char16_t, char16_t>, std::int32_t> expected, found;
    std::ifstream in(folder / "kor-variants.tsv", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    std::int32_t swaps = 0;
    for (std::string_view line : SplitLines(std::string_view(text))) {
        std::vector<std::u16string> cells;
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            cells.push_back(Utf8ToUtf16(line.substr(start, tab - start)));
            if (tab == std::string_view::npos) break;
            start = tab + 1;
        }
        if (cells.size() != 4 || cells[0] == u"number") continue;
        const std::int32_t count = std::stoi(Utf16ToUtf8(cells[3]));
        expected[{std::stoi(Utf16ToUtf8(cells[0])), cells[1][0], cells[2][0]}] += count;
        swaps += count;
    }
    ASSERT_EQ(swaps, 2433);

    std::size_t differences = 0;
    for (std::int32_t n = 0; n < data.TextFiles[0].SuttaTable.Count; ++n) {
        const TEditionComparison comparison = CompareEditions(data, n);
        for (const TEditionDifference& d : comparison.Differences) {
            ++differences;
            EXPECT_TRUE(d.Variant) << "sutra " << n + 1 << " at " << d.KorBegin;
            // A swap changes no length, so it stands at the same place in both texts.
            EXPECT_EQ(d.KorBegin, d.SinsuBegin) << "sutra " << n + 1;
            EXPECT_EQ(d.KorEnd, d.SinsuEnd) << "sutra " << n + 1;
            for (std::int32_t p = d.KorBegin; p < d.KorEnd && p < d.SinsuEnd; ++p)
                ++found[{n + 1, comparison.Sinsu[p], comparison.Kor[p]}];
        }
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(differences, 2431u);
}
