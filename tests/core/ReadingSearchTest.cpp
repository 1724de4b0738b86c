// Search by Korean reading: the fast scan against the reference with words read by reading,
// and on the shared corpus every sutra a Chinese string finds is found by its reading.

#include "search/ReadingSearch.h"

#include "SearchTestData.h"
#include "data/CharacterFile.h"
#include "data/CharacterSource.h"
#include "data/DataSetSource.h"
#include "search/FastMatcher.h"
#include "search/SearchScan.h"
#include "util/TextCodec.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const std::u16string Alphabet = u"甲乙丙丁戊己가나 \u3000。\r\nTK║;";
const std::u16string Syllables = u"가나다";

TCharacterFile RandomReadings(std::mt19937& random)
{
    TCharacterFile file;
    file.Loaded = true;
    for (char16_t c : std::u16string(u"甲乙丙丁戊己")) {
        TCharacterInfo info;
        info.Character = c;
        for (char16_t s : Syllables)
            if (random() % 3 == 0) info.Readings.push_back(s);
        file.Characters.push_back(info);
    }
    return file;
}

std::u16string RandomText(std::mt19937& random, std::size_t length)
{
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) {
        if (random() % 25 == 0) text += u"T01n0001_p0001a01║"; // a line head inside the text
        text += Alphabet[random() % Alphabet.size()];
    }
    return text;
}

TSearchInfo ReadingSearch(const std::vector<std::u16string>& words, std::int32_t canon, bool variants,
                          std::shared_ptr<const TReadingIndex> readings, std::int32_t mode = 0)
{
    TSearchInfo info;
    BeginSearch(info, {canon, 0, mode, variants, true});
    info.Readings = std::move(readings);
    SetWords(info, words);
    return info;
}

} // namespace

TEST(ReadingSearch, FastMatcherDecidesLikeMatchTextWhenWordsAreReadByReading)
{
    std::mt19937 random(22);
    TVariantFiles variants;
    std::shared_ptr<const TReadingIndex> readings;
    for (int round = 0; round < 6000; ++round) {
        if (round % 100 == 0) {
            readings = std::make_shared<const TReadingIndex>(BuildReadingIndex(RandomReadings(random)));
            std::vector<std::u16string> groups;
            for (int g = 0; g < 2; ++g)
                groups.push_back({Alphabet[random() % 6], Alphabet[random() % 6], u"가나"[random() % 2]});
            ASSERT_EQ(ParseVariantFile(SerializeVariantFile(groups), variants[0]), TDataFileStatus::Ok);
        }
        std::vector<std::u16string> words;
        for (std::size_t n = random() % 3 + 1; n > 0; --n) {
            std::u16string word;
            for (std::size_t k = random() % 4 + 1; k > 0; --k)
                word += random() % 4 == 0 ? Alphabet[random() % 8] : Syllables[random() % 3];
            words.push_back(word);
        }
        TSearchInfo info =
            ReadingSearch(words, std::int32_t(random() % 4), random() % 2 == 0, readings, std::int32_t(random() % 2));
        const std::u16string text = RandomText(random, random() % 40);
        ASSERT_EQ(TFastMatcher(info, variants).QualifiesText(text), MatchText(info, variants, text))
            << "round " << round << " text " << Utf16ToUtf8(text);
    }
}

TEST(ReadingSearch, ASyllableStandsForEveryCharacterReadingItAcrossLineHeadsAndWithVariants)
{
    TCharacterFile file;
    file.Loaded = true;
    for (auto [c, readings] : {std::pair{U'利', u"리이"}, {U'弗', u"불"}, {U'舍', u"사"}, {U'舎', u""}}) {
        file.Characters.emplace_back();
        file.Characters.back().Character = c;
        file.Characters.back().Readings = readings;
    }
    const auto readings = std::make_shared<const TReadingIndex>(BuildReadingIndex(file));
    TVariantFiles variants;
    ASSERT_EQ(ParseVariantFile(SerializeVariantFile({u"舍舎"}), variants[0]), TDataFileStatus::Ok);

    auto matches = [&](const std::u16string& word, std::int32_t canon, bool allowed, std::u16string_view text) {
        TSearchInfo info = ReadingSearch({word}, canon, allowed, readings);
        return MatchText(info, variants, text) ? info.Work.OccurrenceCount : 0;
    };
    // Skipped characters between the syllables' characters; a variant only with the option.
    EXPECT_EQ(matches(u"사리불", SinsuCanon, true, u"佛告舎利。\r\n弗舍利弗"), 2);
    EXPECT_EQ(matches(u"사리불", SinsuCanon, false, u"佛告舎利。\r\n弗舍利弗"), 1);
    EXPECT_EQ(matches(u"사이불", KorCanon, false, u"舍利弗"), 1);
    EXPECT_EQ(matches(u"사이불", HanCanon, true, u"舍利弗"), 0);

    // The scan reads the bodies with their line heads, which a reading steps over too.
    TDataSetSource source;
    source.Suttas.push_back(SearchSutta(1, u"사리불", {u"佛告舍利", u"弗"}, {u"舍利"}));
    source.Suttas.push_back(SearchSutta(2, u"", {u"舎利弗"}, {u"舍弗利"}));
    source.VariantGroups[0] = {u"舍舎"};
    TLoadedData data;
    ParseSearchData(source, data);
    for (TScanMethod method : {TScanMethod::Reference, TScanMethod::Fast}) {
        TSearchInfo info = ReadingSearch({u"사리불"}, BothHanmoonCanons, true, readings);
        ScanSutras(data, info, {}, method);
        EXPECT_EQ(info.HitCount, 2);
        EXPECT_EQ(info.HitFlags[0], KorHit);
        EXPECT_EQ(info.HitFlags[1], KorHit);
    }
}

TEST(ReadingSearch, FindsEverySutraTheChineseStringItReadsFindsOnTheCorpus)
{
    const std::filesystem::path folder = CorpusFolder();
    if (folder.empty()) GTEST_SKIP() << "no shared corpus beside this checkout";
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_EQ(ReadSourceFolder(folder, source, skips).Message(), u"");
    if (const TResult added = AddCharacterTable(TCharacterTables{}, source); !added)
        GTEST_SKIP() << Utf16ToUtf8(added.Message());
    TLoadedData data;
    ParseSearchData(source, data);
    data.CharacterFile.Characters = source.Characters;
    data.CharacterFile.Loaded = true;
    TSearchInfo prepared;
    PrepareSearch(prepared, data);

    std::mt19937 random(2433);
    for (int round = 0; round < 24; ++round) {
        // A run of hanja cut from a text and its reading by the conversion.
        const TSourceSutta& s = source.Suttas[random() % source.Suttas.size()];
        const std::u16string cleaned = CleanSearchLine(s.SinsuBody.substr(random() % s.SinsuBody.size()), SinsuCanon);
        std::u16string chinese, reading;
        for (char16_t c : cleaned) {
            if (chinese.size() == 2 + std::size_t(round % 3)) break;
            if (!IsHangulSyllable(source.Readings[c])) {
                chinese.clear();
                reading.clear();
                continue;
            }
            chinese.push_back(c);
            reading.push_back(source.Readings[c]);
        }
        if (chinese.size() < 2) continue;
        for (bool variants : {false, true}) {
            TSearchInfo byChinese = prepared, byReading = prepared;
            BeginSearch(byChinese, {BothHanmoonCanons, 0, 0, variants, false});
            BeginSearch(byReading, {BothHanmoonCanons, 0, 0, variants, true});
            SetWords(byChinese, {chinese});
            SetWords(byReading, {reading});
            ScanSutras(data, byChinese);
            ScanSutras(data, byReading);
            ASSERT_GT(byChinese.HitCount, 0) << Utf16ToUtf8(chinese);
            for (std::size_t n = 0; n < byChinese.HitFlags.size(); ++n)
                ASSERT_EQ(byReading.HitFlags[n] & byChinese.HitFlags[n], byChinese.HitFlags[n])
                    << Utf16ToUtf8(chinese) << " " << Utf16ToUtf8(reading) << " sutra " << n + 1;
        }
    }
}
