// The fast scan against the reference matcher on random texts, words and options.

#include "search/Concordance.h"
#include "search/FastMatcher.h"
#include "search/ReadingSearch.h"
#include "search/SearchScan.h"
#include "search/SearchWords.h"

#include "SearchTestData.h"
#include "browse/SutraTexts.h"
#include "data/DataSetSource.h"
#include "util/TextCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// Few distinct characters, so that words occur often and overlap; the ignorable ones, the
// letters and closing marks of line heads, and the halves of a surrogate pair among them.
const std::u16string Alphabet = u"甲乙丙丁戊己 \u3000。．,\tTK║;\U00020000";

// What words are mostly made of: characters that the Chinese texts do not skip either.
const std::u16string WordChars = u"甲乙丙丁戊己TK";

class TRandomCase
{
public:
    explicit TRandomCase(unsigned seed) : Random(seed) {}

    char16_t Char() { return Alphabet[Pick(Alphabet.size())]; }
    std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(Random); }

    // A line head inside a line, its middle of searchable characters, so that a head
    // wrongly kept or dropped changes what is found.
    std::u16string Head()
    {
        const bool sinsu = Pick(2) != 0;
        std::u16string head(1, sinsu ? u'T' : u'K');
        for (int i = 0; i < 16; ++i)
            head += Char();
        return head + (sinsu ? u'\u2551' : u';');
    }

    std::u16string Text(std::size_t maxLength)
    {
        std::u16string text;
        const std::size_t length = Pick(maxLength + 1);
        for (std::size_t i = 0; i < length; ++i) {
            const std::size_t roll = Pick(40);
            if (roll < 3)
                text += u"\r\n";
            else if (roll == 3)
                text += Head();
            else
                text += Char();
        }
        return text;
    }

    std::vector<std::u16string> Lines()
    {
        std::vector<std::u16string> lines;
        for (std::size_t n = Pick(4) + 1; n > 0; --n) {
            std::u16string line = Text(20);
            if (Pick(3) == 0) line = u"  " + line; // spaces after a head are dropped with it
            lines.push_back(line);
        }
        return lines;
    }

    TDataSetSource Source(int sutras)
    {
        TDataSetSource source;
        for (int i = 0; i < sutras; ++i)
            source.Suttas.push_back(SearchSutta(std::int32_t(Pick(4) + 1), Text(60), Lines(), Lines()));
        // Overlapping groups: a character in several groups keeps the last one.
        for (auto& groups : source.VariantGroups)
            for (std::size_t n = Pick(4); n > 0; --n) {
                std::u16string group;
                for (std::size_t k = Pick(3) + 1; k > 0; --k)
                    group += Char();
                groups.push_back(group);
            }
        return source;
    }

    void Options(TSearchInfo& info)
    {
        BeginSearch(info, {std::int32_t(Pick(4)), std::int32_t(Pick(5)), std::int32_t(Pick(2)), Pick(3) != 0});
        std::vector<std::u16string> words;
        for (std::size_t n = Pick(4) + 1; n > 0; --n) {
            std::u16string word;
            // Now and then an empty word, which occurs everywhere.
            for (std::size_t k = Pick(20) == 0 ? 0 : Pick(4) + 1; k > 0; --k)
                word += Pick(6) == 0 ? Char() : WordChars[Pick(WordChars.size())];
            words.push_back(word);
        }
        SetWords(info, words);
    }

    std::mt19937 Random;
};

// The fast scan with and without the index of the bodies' characters, against the reference.
void ExpectSameScan(const TLoadedData& data, const TSearchIndex& index, const TSearchInfo& options,
                    const std::string& what)
{
    TSearchInfo reference = options;
    ScanSutras(data, reference, {}, TScanMethod::Reference);
    for (bool indexed : {false, true}) {
        TSearchInfo fast = options;
        if (indexed) fast.Index = index;
        ScanSutras(data, fast, {}, TScanMethod::Fast, 2);
        EXPECT_EQ(fast.HitCount, reference.HitCount) << what << (indexed ? " indexed" : "");
        EXPECT_EQ(fast.HitFlags, reference.HitFlags) << what << (indexed ? " indexed" : "");
    }
}

// Fresh variant groups, so that many group shapes meet the random words.
void NewVariantGroups(TRandomCase& random, TVariantFiles& variants)
{
    const TDataSetSource groups = random.Source(0);
    for (int f = 0; f < VariantFileCount; ++f)
        ASSERT_EQ(ParseVariantFile(SerializeVariantFile(groups.VariantGroups[f]), variants[f]), TDataFileStatus::Ok);
}

// What MatchText leaves, found one word after another as the matcher once did: its marks,
// occurrence count and decision must not depend on trying every word in one pass.
void ExpectMarksOfEachWord(const TSearchInfo& options, const TVariantFiles& variants, std::u16string_view text,
                           const std::string& what)
{
    TSearchInfo info = options;
    const bool qualifies = MatchText(info, variants, text);
    TSearchInfo expected = options;
    BuildPositions(expected, text);
    std::vector<std::uint8_t> marks(text.size() + 1, 0);
    std::int32_t occurrences = 0;
    int found = 0;
    for (int w = 0; w < expected.WordCount; ++w) {
        const std::u16string_view word = SearchWord(expected, w);
        const auto length = static_cast<std::int32_t>(word.size());
        const std::int32_t count = ForEachOccurrence(expected, variants, text, word, [&](std::int32_t s) {
            for (std::int32_t k = 0; k < length; ++k)
                marks[expected.Work.Positions[s + k]] |= k + 1 < length ? MarkedChar | JoinedToNextMark : MarkedChar;
        });
        occurrences += count;
        found += count > 0;
    }
    ASSERT_EQ(qualifies, expected.SearchMode == 0 ? found >= 1 : found == expected.WordCount) << what;
    ASSERT_EQ(info.Work.OccurrenceCount, occurrences) << what;
    ASSERT_TRUE(std::equal(marks.begin(), marks.end(), info.Work.Marks.begin())) << what;
}

} // namespace

TEST(SearchDifferential, MatchTextMarksEveryWordAsOnePassPerWordWould)
{
    TRandomCase random(2312);
    TVariantFiles variants;
    for (int round = 0; round < 5000; ++round) {
        if (round % 100 == 0) {
            ASSERT_NO_FATAL_FAILURE(NewVariantGroups(random, variants));
        }
        TSearchInfo info;
        random.Options(info);
        const std::u16string text = random.Text(round % 2 ? 200 : 30);
        ASSERT_NO_FATAL_FAILURE(ExpectMarksOfEachWord(info, variants, text, "round " + std::to_string(round)));
    }
}

TEST(SearchDifferential, FastMatcherDecidesLikeMatchTextOnRandomTexts)
{
    TRandomCase random(20071105);
    TVariantFiles variants;
    for (int round = 0; round < 10000; ++round) {
        if (round % 100 == 0) {
            ASSERT_NO_FATAL_FAILURE(NewVariantGroups(random, variants));
        }
        TSearchInfo info;
        random.Options(info);
        const std::u16string text = random.Text(30);
        ASSERT_EQ(TFastMatcher(info, variants).QualifiesText(text), MatchText(info, variants, text))
            << "round " << round << " text " << Utf16ToUtf8(text);
    }
}

// Up to twenty words share the few classes of the two-character filter, and long texts
// keep the scan in its four-at-a-time loop, where a start and its successor are read apart.
TEST(SearchDifferential, FastMatcherDecidesLikeMatchTextWithManyWordsOnLongTexts)
{
    TRandomCase random(1999);
    TVariantFiles variants;
    for (int round = 0; round < 2000; ++round) {
        if (round % 100 == 0) {
            ASSERT_NO_FATAL_FAILURE(NewVariantGroups(random, variants));
        }
        TSearchInfo info;
        random.Options(info);
        std::vector<std::u16string> words;
        for (std::size_t n = random.Pick(13) + 8; n > 0; --n) {
            std::u16string word;
            for (std::size_t k = random.Pick(3) + 1; k > 0; --k)
                word += WordChars[random.Pick(WordChars.size())];
            words.push_back(word);
        }
        SetWords(info, words);
        const std::u16string text = random.Text(200);
        ASSERT_EQ(TFastMatcher(info, variants).QualifiesText(text), MatchText(info, variants, text))
            << "round " << round << " text " << Utf16ToUtf8(text);
    }
}

TEST(SearchDifferential, FastScanGivesTheReferenceFlagsOnRandomDataSets)
{
    TRandomCase random(1127);
    for (int set = 0; set < 12; ++set) {
        TLoadedData data;
        ParseSearchData(random.Source(80), data);
        const TSearchIndex index = BuildSearchIndex(data);
        for (int search = 0; search < 25; ++search) {
            TSearchInfo info;
            random.Options(info);
            ExpectSameScan(data, index, info, "set " + std::to_string(set) + " search " + std::to_string(search));
        }
    }
}

TEST(SearchDifferential, FastScanGivesTheReferenceFlagsOnTheCorpus)
{
    const std::filesystem::path folder = CorpusFolder();
    if (folder.empty()) GTEST_SKIP() << "no shared corpus beside this checkout";
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_EQ(ReadSourceFolder(folder, source, skips).Message(), u"");
    TLoadedData data;
    ParseSearchData(source, data);
    const TSearchIndex index = BuildSearchIndex(data);

    // Words cut from the texts themselves, so that they occur, across line breaks too.
    TRandomCase random(2500);
    for (int search = 0; search < 8; ++search) {
        TSearchInfo info;
        random.Options(info);
        std::vector<std::u16string> words;
        for (std::size_t n = random.Pick(5) + 1; n > 0; --n) {
            const TSourceSutta& s = source.Suttas[random.Pick(source.Suttas.size())];
            const std::u16string& body = info.TitleIndex == 0 ? s.HanBody : s.SinsuBody;
            if (body.size() < 8) continue;
            const std::u16string cut = body.substr(random.Pick(body.size() - 8), random.Pick(4) + 1);
            words.push_back(CleanSearchLine(cut, info.TitleIndex));
        }
        SetWords(info, words);
        ExpectSameScan(data, index, info, "corpus search " + std::to_string(search));
        // The concordance counts the hits past its rows in the index as it does in the view texts.
        TSearchInfo scanned = info;
        ScanSutras(data, scanned);
        TSearchInfo indexed = scanned;
        indexed.Index = index;
        const TConcordance viewed = BuildConcordance(data, scanned, 5, 10),
                           counted = BuildConcordance(data, indexed, 5, 10);
        EXPECT_EQ(counted.Total, viewed.Total) << "corpus search " << search;
        ASSERT_EQ(counted.Rows.size(), viewed.Rows.size());
        for (std::size_t r = 0; r < viewed.Rows.size(); ++r)
            EXPECT_EQ(counted.Rows[r].Run, viewed.Rows[r].Run);
        for (std::int32_t n : HitPositions(info, data))
            for (int family = 1; family <= 2; ++family) {
                std::u16string text = FamilyViewText(data, n, family);
                NormalizeLineBreaks(text);
                ASSERT_NO_FATAL_FAILURE(
                    ExpectMarksOfEachWord(info, data.VariantFiles, text, "corpus " + std::to_string(n)));
            }
    }
}

TEST(SearchDifferential, ConcordanceListsTheHighlightedOccurrencesOfEveryHitWithTheirContext)
{
    TRandomCase random(2007);
    // Two syllables read as some of the words' characters, for the searches by reading.
    TCharacterFile characters;
    characters.Loaded = true;
    for (char16_t c : std::u16string(u"甲乙丙丁戊己")) {
        characters.Characters.emplace_back();
        characters.Characters.back().Character = c;
        characters.Characters.back().Readings = random.Pick(2) ? u"가" : u"나가";
    }
    const auto readings = std::make_shared<const TReadingIndex>(BuildReadingIndex(characters));
    for (int set = 0; set < 12; ++set) {
        TLoadedData data;
        TDataSetSource source = random.Source(60);
        // Words in the title line too, which the display leaves unmarked, and across its end.
        for (TSourceSutta& sutta : source.Suttas)
            for (std::size_t k = random.Pick(2) * random.Pick(7); k > 0; --k)
                sutta.Name += u"甲乙丙丁戊己 。"[random.Pick(8)];
        ParseSearchData(source, data);
        for (int search = 0; search < 20; ++search) {
            TSearchInfo info;
            random.Options(info);
            if (info.TitleIndex != HanCanon && random.Pick(3) == 0) {
                info.ByReading = true;
                info.Readings = readings;
                std::vector<std::u16string> words;
                for (int w = 0; w < info.WordCount; ++w)
                    words.push_back(std::u16string(SearchWord(info, w)) + (random.Pick(2) ? u"가" : u"나"));
                SetWords(info, words);
            }
            // With the index, the hits past the rows kept are counted in it.
            if (random.Pick(2) == 0) info.Index = BuildSearchIndex(data);
            ScanSutras(data, info);
            const int width = static_cast<int>(random.Pick(12));
            const std::size_t limit = random.Pick(3) == 0 ? random.Pick(20) : 100000;
            const TConcordance concordance = BuildConcordance(data, info, width, limit, 1 + search % 3);
            // Expected: the display's occurrences of each hit, the context cut here unit by unit.
            std::int64_t total = 0;
            std::size_t row = 0;
            for (std::int32_t n : HitPositions(info, data)) {
                TSearchInfo display = info;
                for (const TFamilyRuns& family : SearchHitRuns(data, display, n)) {
                    std::u16string text = FamilyViewText(data, n, family.Family);
                    NormalizeLineBreaks(text);
                    for (char16_t& c : text)
                        if (c == u'\r' || c == u'\t') c = u' ';
                    for (const THitOccurrence& occurrence : family.Occurrences) {
                        const THighlightRun& run = occurrence.Span;
                        ++total;
                        if (row >= limit) continue;
                        ASSERT_LT(row, concordance.Rows.size());
                        const TConcordanceRow& got = concordance.Rows[row++];
                        EXPECT_EQ(got.Sutra, n);
                        EXPECT_EQ(got.Family, family.Family);
                        EXPECT_EQ(got.Run, run);
                        EXPECT_EQ(got.Text, text.substr(run.Begin, run.End - run.Begin));
                        const std::size_t left = std::max(run.Begin - width, 0);
                        // A pair cut at the edge is dropped: the expected piece loses one unit.
                        EXPECT_LE(text.substr(left, run.Begin - left).size() - got.Left.size(), 1u);
                        EXPECT_TRUE(text.substr(left, run.Begin - left).ends_with(got.Left));
                        EXPECT_LE(text.substr(run.End, width).size() - got.Right.size(), 1u);
                        EXPECT_TRUE(text.substr(run.End, width).starts_with(got.Right));
                    }
                }
            }
            EXPECT_EQ(concordance.Rows.size(), row) << "set " << set << " search " << search;
            EXPECT_EQ(concordance.Total, total);
        }
    }
}
