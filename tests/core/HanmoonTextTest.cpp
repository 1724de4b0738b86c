#include "data/HanmoonText.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const std::u16string KorHead = u"K01n0001_p0001a01;";
const std::u16string SinsuHead = u"T01n0001_p0001a01║";

// The text as a loaded buffer: TextLength units, then the 0 unit and the spare room.
std::vector<char16_t> Loaded(const std::u16string& text)
{
    std::vector<char16_t> buffer(text.begin(), text.end());
    buffer.resize(text.size() + 10, u'\0');
    return buffer;
}

std::u16string Extract(const std::u16string& text, std::int32_t start, std::int32_t length)
{
    return CopyHanmoonText(Loaded(text), static_cast<std::int32_t>(text.size()), start, length);
}

std::u16string ExtractAll(const std::u16string& text)
{
    return Extract(text, 0, static_cast<std::int32_t>(text.size()));
}

} // namespace

TEST(HanmoonText, DropsHeadsAndTheSpacesAfterThem)
{
    EXPECT_EQ(ExtractAll(SinsuHead + u"   如是\r\n" + KorHead + u" 我聞"), u"如是\r\n我聞");
    // A line without a head, and the pairing of the letters with their closing units.
    EXPECT_EQ(ExtractAll(u"如是我聞\r\n一時"), u"如是我聞\r\n一時");
    const std::u16string mixed = u"K01n0001_p0001a01║T01n0001_p0001a01;";
    EXPECT_EQ(ExtractAll(mixed), mixed);
}

TEST(HanmoonText, RecognisesAHeadAnywhereInALine)
{
    EXPECT_EQ(ExtractAll(u"如是" + KorHead + u"我聞"), u"如是我聞");
}

TEST(HanmoonText, TakesTheUnitAfterADroppedHeadUntested)
{
    // The second head's T follows the first head directly, so the second head stays.
    EXPECT_EQ(ExtractAll(SinsuHead + SinsuHead + u"如"), SinsuHead + u"如");
    // After a space the next head is tested again.
    EXPECT_EQ(ExtractAll(SinsuHead + u"如" + SinsuHead + u"是"), u"如是");
}

TEST(HanmoonText, HeadNearTheEndOfARangeRemovesTheRest)
{
    const std::u16string text = u"如是" + SinsuHead + u"  我聞" + KorHead;
    // The range ends inside the head: the head is still recognised by its closing unit
    // beyond the range, and nothing of it or beyond is shown.
    EXPECT_EQ(Extract(text, 0, 10), u"如是");
    // The range ends inside the spaces after the head.
    EXPECT_EQ(Extract(text, 0, 21), u"如是");
    EXPECT_EQ(Extract(text, 0, 23), u"如是我");
    // A head that closes on the text's last unit is recognised; its range ends the text.
    EXPECT_EQ(Extract(text, 22, static_cast<std::int32_t>(text.size()) - 22), u"我聞");
}

TEST(HanmoonText, NoHeadWhereItsClosingUnitLiesBeyondTheLoadedText)
{
    // 17 units: the closing unit would be the terminating 0.
    const std::u16string cut = SinsuHead.substr(0, 17);
    EXPECT_EQ(ExtractAll(u"如" + cut), u"如" + cut);
    // Text beyond textLength that would close a head does not count either.
    const std::u16string text = u"如" + SinsuHead;
    std::vector<char16_t> buffer = Loaded(text);
    EXPECT_EQ(CopyHanmoonText(buffer, 18, 0, 18), text.substr(0, 18));
}

TEST(HanmoonText, FirstAndLastUnitOfTheText)
{
    EXPECT_EQ(ExtractAll(KorHead + u"如"), u"如");
    EXPECT_EQ(Extract(u"如是", 0, 1), u"如");
    EXPECT_EQ(Extract(u"如是", 1, 1), u"是");
    EXPECT_EQ(ExtractAll(u"T"), u"T");
}

TEST(HanmoonText, RangesOutsideTheTextShowNothingBeyondIt)
{
    EXPECT_EQ(Extract(u"如是", 0, 0), u"");
    EXPECT_EQ(Extract(u"如是", 1, 50), u"是");
    EXPECT_EQ(Extract(u"如是", 5, 1), u"");
    EXPECT_EQ(Extract(u"如是", -1, 2), u"如");
    EXPECT_EQ(Extract(u"如是", 1, -1), u"");
    EXPECT_EQ(Extract(u"如是", 2147483647, 2147483647), u"");
}

namespace {

// The extraction one unit at a time, as plainly as it can be written.
std::u16string ExtractUnitByUnit(const std::u16string& text, std::int64_t start, std::int64_t length)
{
    const auto n = static_cast<std::int64_t>(text.size());
    auto isHead = [&](std::int64_t p) {
        return p + 17 < n && ((text[p] == u'T' && text[p + 17] == u'║') || (text[p] == u'K' && text[p + 17] == u';'));
    };
    std::u16string out;
    std::int64_t p = start;
    const std::int64_t end = start + length;
    while (p < end) {
        if (isHead(p)) {
            p += 18;
            while (p < n && text[p] == u' ')
                ++p;
            if (p >= end) break;
        }
        out.push_back(text[p]);
        ++p;
    }
    return out;
}

} // namespace

TEST(HanmoonText, AgreesWithTheUnitByUnitExtractionOnRandomText)
{
    // Few distinct units, so that heads, near-heads, runs of spaces and adjacent heads abound.
    const std::u16string alphabet = u"TTKK║;  如如如如如\r\n\t0";
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::u16string text;
        const int size = static_cast<int>(random() % 120);
        for (int i = 0; i < size; ++i) {
            if (random() % 6 == 0)
                text += random() % 2 ? SinsuHead : KorHead;
            else
                text.push_back(alphabet[random() % alphabet.size()]);
        }
        const auto n = static_cast<std::int32_t>(text.size());
        const std::int32_t start = n ? static_cast<std::int32_t>(random() % (n + 1)) : 0;
        const std::int32_t length = static_cast<std::int32_t>(random() % (n - start + 1));
        const std::u16string expected = ExtractUnitByUnit(text, start, length);
        ASSERT_EQ(Extract(text, start, length), expected)
            << "round " << round << " start " << start << " length " << length;
        // Read in one pass with the line breaks made one unit each, as the pieces of the
        // walk give them to a normalizer: a break left open before the range is finished
        // inside it, and one the range leaves open is finished after it.
        const std::vector<char16_t> buffer = Loaded(text);
        const std::u16string before = random() % 2 ? u"如\r" : u"如";
        std::u16string joined = before + expected + u"\n如";
        std::u16string written(before.size() + static_cast<std::size_t>(length) + 2, u'\0');
        TLineBreakNormalizer normalizer;
        char16_t* end = normalizer.Write(before, written.data());
        end = WriteHanmoonText(buffer, n, start, length, normalizer, end);
        end = normalizer.Write(u"\n如", end);
        written.resize(static_cast<std::size_t>(end - written.data()));
        TLineBreakNormalizer whole;
        joined.resize(static_cast<std::size_t>(whole.Write(joined, joined.data()) - joined.data()));
        ASSERT_EQ(written, joined) << "round " << round << " start " << start << " length " << length;
    }
}
