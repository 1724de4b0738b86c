#include "data/DemoDataSet.h"

#include "data/DataFile.h"
#include "data/DataSetSource.h"
#include "data/HanmoonText.h"
#include "data/Vesko3Common.h"
#include "util/Files.h"
#include "util/MyUtils.h"
#include "util/TextLines.h"

#include <bzlib.h>

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace {

constexpr std::size_t BmpSize = 0x10000;
constexpr int LineChars = 17;      // Chinese characters per line after the 18-unit head
constexpr int LinesPerColumn = 29; // a Taishō page has columns a, b and c of 29 lines

// splitmix64: tiny, and unlike the standard distributions it gives the same numbers everywhere.
class TDemoRandom
{
public:
    explicit TDemoRandom(std::uint64_t seed) : State(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

private:
    std::uint64_t State;
};

struct TWord
{
    std::u16string Hanja, Hangul;
};

struct THanjaTable
{
    std::vector<char16_t> Readings; // identity for characters without a reading
    std::vector<TWord> Words;       // 2 to 4 characters, one syllable per character
};

struct TCollection
{
    std::u16string_view Name;
    int Share;                        // sutras in the real collection
    std::u16string_view Volume, Text; // Taishō volume and text number of the line heads
};

constexpr TCollection Collections[] = {
    {u"장아함", 30, u"01", u"0001"},
    {u"중아함", 222, u"01", u"0026"},
    {u"잡아함", 1355, u"02", u"0099"},
    {u"증일아함", 472, u"02", u"0125"},
};

bool IsHangulSyllable(char16_t c)
{
    return c >= 0xAC00 && c <= 0xD7A3;
}

bool IsHanja(char16_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF);
}

TResult MissingTable(const std::filesystem::path& path, std::u16string_view package)
{
    return TResult::Failure(PathText(path) + u": 파일을 읽을 수 없습니다. " + std::u16string(package) +
                            u" 꾸러미가 있어야 합니다.");
}

// Decompresses every bzip2 stream of compressed, one after another; false for damaged or cut-short input.
bool DecompressBzip2(const std::string& compressed, std::string& text)
{
    text.clear();
    std::vector<char> buffer(1 << 20);
    std::size_t consumed = 0;
    while (consumed < compressed.size()) {
        bz_stream stream{};
        if (BZ2_bzDecompressInit(&stream, 0, 0) != BZ_OK) return false;
        stream.next_in = const_cast<char*>(compressed.data() + consumed);
        stream.avail_in = static_cast<unsigned>(compressed.size() - consumed);
        int status = BZ_OK;
        while (status != BZ_STREAM_END) {
            stream.next_out = buffer.data();
            stream.avail_out = static_cast<unsigned>(buffer.size());
            status = BZ2_bzDecompress(&stream);
            const bool stalled = status == BZ_OK && stream.avail_in == 0 && stream.avail_out != 0;
            if ((status != BZ_OK && status != BZ_STREAM_END) || stalled) {
                BZ2_bzDecompressEnd(&stream);
                return false;
            }
            text.append(buffer.data(), buffer.size() - stream.avail_out);
        }
        consumed = compressed.size() - stream.avail_in;
        BZ2_bzDecompressEnd(&stream);
    }
    return true;
}

// hanja.txt lines are "hangul:hanja:comment". A character's reading is the one of its
// one-syllable entries that its words use most, so 十 reads 십 rather than the first-listed 시.
THanjaTable ParseHanjaTable(std::u16string_view text)
{
    THanjaTable table;
    std::vector<std::pair<char16_t, char16_t>> singles;   // character, syllable, in file order
    std::unordered_map<std::uint32_t, std::int32_t> uses; // character << 16 | syllable
    for (const std::u16string_view line : SplitLines(text)) {
        if (line.empty() || line[0] == u'#') continue;
        const std::size_t colon = line.find(u':');
        const std::size_t colon2 = colon == std::u16string_view::npos ? colon : line.find(u':', colon + 1);
        if (colon2 == std::u16string_view::npos) continue;
        const std::u16string_view hangul = line.substr(0, colon), hanja = line.substr(colon + 1, colon2 - colon - 1);
        if (hangul.empty() || hangul.size() != hanja.size() ||
            !std::all_of(hangul.begin(), hangul.end(), IsHangulSyllable) ||
            !std::all_of(hanja.begin(), hanja.end(), IsHanja))
            continue;
        if (hanja.size() == 1) {
            singles.emplace_back(hanja[0], hangul[0]);
            continue;
        }
        for (std::size_t i = 0; i < hanja.size(); ++i)
            ++uses[std::uint32_t(hanja[i]) << 16 | hangul[i]];
        if (hanja.size() <= 4) table.Words.push_back({std::u16string(hanja), std::u16string(hangul)});
    }
    table.Readings.resize(BmpSize);
    std::iota(table.Readings.begin(), table.Readings.end(), char16_t(0));
    std::vector<std::int32_t> bestUses(BmpSize, -1);
    for (const auto& [character, syllable] : singles) {
        const auto found = uses.find(std::uint32_t(character) << 16 | syllable);
        const std::int32_t count = found == uses.end() ? 0 : found->second;
        if (count > bestUses[character]) {
            bestUses[character] = count;
            table.Readings[character] = syllable;
        }
    }
    return table;
}

// Union-find over BMP code units.
class TCharSets
{
public:
    TCharSets() : Parent(BmpSize), Linked(BmpSize, false) { std::iota(Parent.begin(), Parent.end(), 0u); }

    void Link(std::uint32_t a, std::uint32_t b)
    {
        Linked[a] = Linked[b] = true;
        a = Root(a);
        b = Root(b);
        if (a != b) Parent[std::max(a, b)] = std::min(a, b);
    }

    std::vector<std::u16string> Groups()
    {
        std::vector<std::u16string> groups;
        std::vector<std::int32_t> groupOfRoot(BmpSize, -1);
        for (std::uint32_t c = 0; c < BmpSize; ++c) {
            if (!Linked[c]) continue;
            const std::uint32_t root = Root(c);
            if (groupOfRoot[root] < 0) {
                groupOfRoot[root] = static_cast<std::int32_t>(groups.size());
                groups.emplace_back();
            }
            groups[groupOfRoot[root]].push_back(static_cast<char16_t>(c));
        }
        return groups;
    }

private:
    std::uint32_t Root(std::uint32_t c)
    {
        while (Parent[c] != c)
            c = Parent[c] = Parent[Parent[c]];
        return c;
    }
    std::vector<std::uint32_t> Parent;
    std::vector<bool> Linked;
};

// "U+4E00" or "U+4E00<kMatthews": the code point, or -1.
std::int64_t ParseCodePoint(std::string_view field)
{
    if (field.size() < 6 || field.substr(0, 2) != "U+") return -1;
    std::int64_t value = 0;
    std::size_t i = 2;
    for (; i < field.size() && i < 9; ++i) {
        const char c = field[i];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) break;
        value = value * 16 + digit;
    }
    if (i < 6 || (i < field.size() && field[i] != '<')) return -1;
    return value;
}

// Where the line heads of one collection stand: page, column a to c, line 1 to 29.
class TLineHeads
{
public:
    explicit TLineHeads(const TCollection& collection) : Collection(collection) {}

    // The next Taishō reference, "T01n0001_p0001a01" (17 units).
    std::u16string Next()
    {
        if (++Line > LinesPerColumn) {
            Line = 1;
            if (++Column > 2) {
                Column = 0;
                Page = Page == 9999 ? 1 : Page + 1;
            }
        }
        return SinsuHeadOpener + std::u16string(Collection.Volume) + u"n" + std::u16string(Collection.Text) + u"_p" +
               ZeroPad(Page, 4) + static_cast<char16_t>(u'a' + Column) + ZeroPad(Line, 2);
    }

private:
    const TCollection& Collection;
    int Page = 1, Column = 0, Line = 0;
};

class TDemoWriter
{
public:
    TDemoWriter(std::uint64_t seed, const THanjaTable& hanja, const std::vector<std::u16string>& variants)
        : Random(seed), Vocabulary(hanja.Words), GroupOf(BmpSize, -1), Variants(variants)
    {
        // A seeded shuffle, then a skewed draw: some words are common, most are rare.
        for (std::size_t i = Vocabulary.size(); i > 1; --i)
            std::swap(Vocabulary[i - 1], Vocabulary[Random.Below(static_cast<std::uint32_t>(i))]);
        for (std::size_t g = 0; g < variants.size(); ++g)
            for (char16_t c : variants[g])
                GroupOf[c] = static_cast<std::int32_t>(g);
    }

    void Make(std::int32_t count, TDataSetSource& source)
    {
        std::int32_t shareTotal = 0;
        for (const TCollection& collection : Collections)
            shareTotal += collection.Share;
        std::int32_t first = 0, shareSoFar = 0;
        for (int k = 0; k < 4; ++k) {
            shareSoFar += Collections[k].Share;
            const std::int32_t last =
                static_cast<std::int32_t>((std::int64_t(count) * shareSoFar * 2 + shareTotal) / (2 * shareTotal));
            MakeCollection(k, first, last, source);
            first = last;
        }
    }

private:
    const TWord& DrawWord()
    {
        const double u = Random.Unit();
        return Vocabulary[static_cast<std::size_t>(u * u * u * static_cast<double>(Vocabulary.size()))];
    }

    void MakeCollection(int k, std::int32_t first, std::int32_t last, TDataSetSource& source)
    {
        const TCollection& collection = Collections[k];
        TLineHeads heads(collection);
        for (std::int32_t i = first; i < last;) {
            const std::int32_t size = std::min<std::int32_t>(last - i, 5 + static_cast<std::int32_t>(Random.Below(36)));
            TSourceSubject subject;
            const std::u16string chapter = DrawWord().Hangul + u"품";
            subject.Name = std::u16string(collection.Name) + u" " + chapter;
            for (std::int32_t j = i; j < i + size; ++j) {
                subject.Suttas.push_back(j);
                TSourceSutta sutta = MakeSutta(heads);
                sutta.Kind = k + 1;
                sutta.Title = std::u16string(collection.Name) + u" " + ZeroPad(j - first + 1, 4);
                sutta.HanSubject = subject.Name + u" — " + sutta.Name;
                source.Suttas.push_back(std::move(sutta));
            }
            source.Subjects.push_back(std::move(subject));
            i += size;
        }
    }

    TSourceSutta MakeSutta(TLineHeads& heads)
    {
        TWord name = DrawWord();
        for (int tries = 0; name.Hanja.size() > 3 && tries < 100; ++tries)
            name = DrawWord();
        name.Hanja.resize(std::min<std::size_t>(name.Hanja.size(), 3));
        name.Hangul.resize(name.Hanja.size());
        TSourceSutta sutta;
        sutta.Name = name.Hangul + u"경";

        const double u = Random.Unit();
        std::int32_t targetLines = 3 + static_cast<std::int32_t>(u * u * u * 190);
        if (Random.Below(100) == 0) targetLines *= 6;
        std::int32_t lines = 0;
        AppendParagraph(name.Hanja + u"經", name.Hangul + u"경", heads, sutta, lines);
        while (lines < targetLines) {
            std::u16string chinese, korean;
            const int words = 6 + static_cast<int>(Random.Below(40));
            for (int w = 0; w < words;) {
                const int clause = std::min(words - w, 2 + static_cast<int>(Random.Below(4)));
                for (int c = 0; c < clause; ++c) {
                    const TWord& word = DrawWord();
                    chinese += word.Hanja;
                    korean += (korean.empty() || korean.back() == u' ') ? u"" : u" ";
                    korean += word.Hangul;
                }
                w += clause;
                chinese += w == words ? u'。' : u'，';
                korean += w == words ? u"." : u", ";
            }
            AppendParagraph(chinese, korean, heads, sutta, lines);
        }
        sutta.HanSummary = Summary(sutta.HanBody);
        return sutta;
    }

    // One paragraph: a line of the Korean text, and lines of at most 17 characters under
    // their heads in the Chinese editions, where the 고려대장경 sometimes has a variant form.
    void AppendParagraph(const std::u16string& chinese, const std::u16string& korean, TLineHeads& heads,
                         TSourceSutta& sutta, std::int32_t& lines)
    {
        if (!sutta.HanBody.empty()) sutta.HanBody += u"\r\n";
        sutta.HanBody += korean;
        for (std::size_t at = 0; at < chinese.size(); at += LineChars) {
            const std::u16string_view piece = std::u16string_view(chinese).substr(at, LineChars);
            const std::u16string reference = heads.Next();
            if (!sutta.SinsuBody.empty()) {
                sutta.SinsuBody += u"\r\n";
                sutta.KorBody += u"\r\n";
            }
            sutta.SinsuBody += reference + SinsuHeadCloser;
            sutta.SinsuBody += piece;
            sutta.KorBody += KorHeadOpener + reference.substr(1) + KorHeadCloser;
            for (char16_t c : piece)
                sutta.KorBody.push_back(KorForm(c));
            ++lines;
        }
    }

    char16_t KorForm(char16_t c)
    {
        const std::int32_t group = GroupOf[c];
        if (group < 0 || Variants[group].size() < 2 || Random.Below(200) != 0) return c;
        const std::u16string& members = Variants[group];
        const std::size_t self = members.find(c);
        return members[(self + 1 + Random.Below(static_cast<std::uint32_t>(members.size() - 1))) % members.size()];
    }

    // The text up to its 200th Hangul syllable, paragraph breaks turned into spaces.
    static std::u16string Summary(const std::u16string& body)
    {
        std::u16string summary;
        int syllables = 0;
        for (std::size_t i = 0; i < body.size() && syllables < 200; ++i) {
            if (body[i] == u'\r') continue;
            summary.push_back(body[i] == u'\n' ? u' ' : body[i]);
            syllables += IsHangulSyllable(body[i]) ? 1 : 0;
        }
        return summary;
    }

    TDemoRandom Random;
    std::vector<TWord> Vocabulary;
    std::vector<std::int32_t> GroupOf; // variant group of H0 per character, -1 for none
    const std::vector<std::u16string>& Variants;
};

} // namespace

std::array<std::vector<std::u16string>, 2> UnihanVariantGroups(std::string_view unihanText)
{
    TCharSets sets[2];
    for (const std::string_view line : SplitLines(unihanText)) {
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (line.empty() || line[0] == '#' || tab2 == std::string_view::npos) continue;
        const std::string_view field = line.substr(tab1 + 1, tab2 - tab1 - 1);
        int target = -1;
        if (field == "kZVariant" || field == "kSemanticVariant" || field == "kSpecializedSemanticVariant")
            target = 0;
        else if (field == "kTraditionalVariant" || field == "kSimplifiedVariant")
            target = 1;
        const std::int64_t from = ParseCodePoint(line.substr(0, tab1));
        if (target < 0 || from < 0 || from >= std::int64_t(BmpSize)) continue;
        std::string_view values = line.substr(tab2 + 1);
        while (!values.empty()) {
            const std::size_t space = values.find(' ');
            const std::int64_t to = ParseCodePoint(values.substr(0, space));
            if (to > 0 && to < std::int64_t(BmpSize) && to != from)
                sets[target].Link(static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to));
            values = space == std::string_view::npos ? std::string_view() : values.substr(space + 1);
        }
    }
    return {sets[0].Groups(), sets[1].Groups()};
}

TResult MakeDemoDataSet(const TDemoOptions& options, TDataSetSource& source)
{
    source = TDataSetSource{};
    if (options.SuttaCount < 1 || options.SuttaCount > MaxSuttaCount)
        return TResult::Failure(u"경전 수는 1에서 " + DecimalText(MaxSuttaCount) + u" 사이여야 합니다.");

    std::string bytes;
    if (ReadWholeFile(options.HanjaTable, bytes) != TFileRead::Ok)
        return MissingTable(options.HanjaTable, u"libhangul-data");
    std::u16string hanjaText;
    if (std::size_t line = DecodeSourceText(bytes, hanjaText); line != 0)
        return TResult::Failure(PathText(options.HanjaTable) + u":" + DecimalText(line) +
                                u": UTF-8이 아닌 바이트가 있습니다.");
    const THanjaTable hanja = ParseHanjaTable(hanjaText);
    if (hanja.Words.empty()) return TResult::Failure(PathText(options.HanjaTable) + u": 한자 낱말이 없습니다.");

    std::string compressed, unihanText;
    if (ReadWholeFile(options.UnihanVariants, compressed) != TFileRead::Ok)
        return MissingTable(options.UnihanVariants, u"unicode-data");
    if (!DecompressBzip2(compressed, unihanText))
        return TResult::Failure(PathText(options.UnihanVariants) + u": bzip2 압축을 풀 수 없습니다.");
    std::array<std::vector<std::u16string>, 2> groups = UnihanVariantGroups(unihanText);
    if (groups[0].empty() || groups[1].empty())
        return TResult::Failure(PathText(options.UnihanVariants) + u": 이체자 묶음이 없습니다.");

    TDemoWriter writer(options.Seed, hanja, groups[0]);
    writer.Make(options.SuttaCount, source);
    source.Readings = hanja.Readings;
    source.VariantGroups[0] = std::move(groups[0]);
    source.VariantGroups[1] = std::move(groups[1]);
    return TResult::Success();
}
