#include "browse/LineIndex.h"

#include "browse/SutraTexts.h"
#include "data/HanmoonText.h"

#include <algorithm>
#include <tuple>

namespace {

bool InEveryFile(const TLoadedData& data, std::int32_t n)
{
    for (const TVesko_File& file : data.TextFiles)
        if (n < 0 || n >= file.SuttaTable.Count || static_cast<std::size_t>(n) >= file.SuttaTable.Items.size())
            return false;
    return true;
}

bool IsChineseFamily(int family)
{
    return family == KorFamily || family == SinsuFamily;
}

// Counts units as the views hold them: each line break (CR LF, LF CR, a lone CR or LF) is
// one unit, as the search's positions count it.
class TViewUnits
{
public:
    std::int64_t Count = 0;

    void Add(const char16_t* first, const char16_t* last)
    {
        Count += last - first;
        // Only the second unit of a two-unit break takes nothing: it follows at once the unit
        // that opened the break, its partner. Every other unit is passed with one comparison.
        const std::ptrdiff_t length = last - first;
        char16_t open = OpenBreak;
        std::ptrdiff_t openAt = -1; // where open stands, -1 for the unit before first
        for (std::ptrdiff_t i = 0; i < length; ++i) {
            const char16_t c = first[i];
            if (c > u'\r' || (c != u'\r' && c != u'\n')) continue;
            if (open != 0 && openAt == i - 1 && c == (open == u'\r' ? u'\n' : u'\r')) {
                --Count;
                open = 0;
                continue;
            }
            open = c;
            openAt = i;
        }
        OpenBreak = open != 0 && openAt == length - 1 ? open : 0;
    }
    void Add(std::u16string_view text) { Add(text.data(), text.data() + text.size()); }

private:
    char16_t OpenBreak = 0; // a CR or LF whose partner, if next, belongs to the same break
};

// Walks the body of n in family's file: onLine(headOffset, viewPosition) for each line, and
// returns the view text's length. The view positions count from the start of the view text.
template <typename OnLine>
std::int32_t WalkSutraLines(const TLoadedData& data, std::int32_t n, int family, OnLine&& onLine)
{
    const TVesko_File& file = data.TextFiles[family];
    const TSuttaEntry& e = file.SuttaTable.Items[n];
    TViewUnits units;
    units.Add(TitleLine(data.TextFiles[HanFamily], n));
    WalkHanmoonText(
        file.Text, file.TextLength(), e.BodyStart, e.BodyLength,
        [&](const char16_t* first, const char16_t* last) { units.Add(first, last); },
        [&](std::int64_t head, std::int64_t) {
            onLine(static_cast<std::int32_t>(head), static_cast<std::int32_t>(units.Count));
        });
    units.Add(u"\r\n"); // the closing line break
    return static_cast<std::int32_t>(units.Count);
}

// Volume, page, column and line packed into one key; every number within its id's width.
std::optional<std::uint64_t> TaishoNumbersKey(const TTaishoLine& line)
{
    if (line.Volume < 0 || line.Volume > 99 || line.Page < 0 || line.Page > 9999 || line.Line < 0 || line.Line > 99)
        return std::nullopt;
    return ((std::uint64_t(line.Volume) * 10000 + std::uint64_t(line.Page)) * 3 + (line.Column - u'a')) * 100 +
           std::uint64_t(line.Line);
}

// A whole id of the usual shape packed into one key below 2^45: its letter (the Taishō's
// first), its text number, then its numbers.
constexpr std::uint64_t TextKeySpan = 100000000000ull; // above every TaishoNumbersKey
constexpr std::uint64_t TextKeyCount = 10000;          // text numbers of one letter
std::uint64_t NumberedIdKey(char16_t opener, const TTaishoLine& line, std::uint64_t numbersKey)
{
    const std::uint64_t letter = opener == SinsuHeadOpener ? 0 : 1;
    return (letter * TextKeyCount + std::uint64_t(*line.Text)) * TextKeySpan + numbersKey;
}

std::size_t TableSize(std::size_t entries)
{
    // At most half full, so that a probe ends after a step or two.
    std::size_t size = 16;
    while (size < 2 * entries)
        size *= 2;
    return size;
}

// FNV-1a over the units, its high bits folded into the low ones the table uses.
std::size_t HashId(std::u16string_view id)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (char16_t c : id)
        hash = (hash ^ c) * 1099511628211ull;
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

// Sorts the lines by key and keeps the first of each key in catalogue order. The lines come
// in runs, one per family, each walked in catalogue order, which mostly is key order already:
// a run is sorted only when it is not, and the two runs are then put one after the other.
void SortAndKeepFirst(std::vector<TLineIndex::TKeyedLine>& lines, std::size_t secondRun)
{
    const auto before = [](const TLineIndex::TKeyedLine& a, const TLineIndex::TKeyedLine& b) {
        const std::uint64_t keyA = a.KeyAndFamily >> 2, keyB = b.KeyAndFamily >> 2;
        if (keyA != keyB) return keyA < keyB;
        return std::tie(a.KeyAndFamily, a.Sutta, a.Position) < std::tie(b.KeyAndFamily, b.Sutta, b.Position);
    };
    const auto middle = lines.begin() + static_cast<std::ptrdiff_t>(secondRun);
    for (const auto& [first, last] : {std::pair(lines.begin(), middle), std::pair(middle, lines.end())})
        if (!std::is_sorted(first, last, before)) std::sort(first, last, before);
    if (middle != lines.begin() && middle != lines.end() && before(*(lines.end() - 1), *lines.begin()))
        std::rotate(lines.begin(), middle, lines.end());
    else
        std::inplace_merge(lines.begin(), middle, lines.end(), before);
    lines.erase(std::unique(lines.begin(), lines.end(),
                            [](const TLineIndex::TKeyedLine& a, const TLineIndex::TKeyedLine& b) {
                                return a.KeyAndFamily >> 2 == b.KeyAndFamily >> 2;
                            }),
                lines.end());
}

using TKeyedLines = std::vector<TLineIndex::TKeyedLine>;

std::optional<TLinePlace> FindKey(TKeyedLines::const_iterator first, TKeyedLines::const_iterator last,
                                  std::uint64_t key)
{
    const auto found = std::lower_bound(first, last, key, [](const TLineIndex::TKeyedLine& line, std::uint64_t k) {
        return line.KeyAndFamily >> 2 < k;
    });
    if (found == last || found->KeyAndFamily >> 2 != key) return std::nullopt;
    return TLinePlace{found->Sutta, static_cast<int>(found->KeyAndFamily & 3), found->Position};
}

// The first line whose key is not below key, looked for outward from near: doubling steps
// away from it, then a binary search within the last step.
std::size_t LowerBoundNear(const TKeyedLines& lines, std::uint64_t key, std::size_t near)
{
    const std::size_t count = lines.size();
    if (count == 0) return 0;
    const auto below = [&](std::size_t i) { return lines[i].KeyAndFamily >> 2 < key; };
    const auto search = [&](std::size_t first, std::size_t last) {
        return static_cast<std::size_t>(std::lower_bound(lines.begin() + static_cast<std::ptrdiff_t>(first),
                                                         lines.begin() + static_cast<std::ptrdiff_t>(last), key,
                                                         [](const TLineIndex::TKeyedLine& line, std::uint64_t k) {
                                                             return line.KeyAndFamily >> 2 < k;
                                                         }) -
                                        lines.begin());
    };
    std::size_t at = std::min(near, count - 1), step = 1;
    if (below(at)) {
        // The answer lies after at: in (at, at + step] once that end is not below.
        while (at + step < count && below(at + step)) {
            at += step;
            step *= 2;
        }
        return search(at + 1, std::min(at + step, count - 1) + 1);
    }
    // The answer is at or before at: in (at - step, at] once that start is below.
    while (at >= step && !below(at - step)) {
        at -= step;
        step *= 2;
    }
    return search(at >= step ? at - step + 1 : 0, at + 1);
}

} // namespace

TSutraLines SutraLines(const TLoadedData& data, std::int32_t n, int family)
{
    TSutraLines lines;
    if (!InEveryFile(data, n) || family < 0 || family >= TextFileCount) return lines;
    if (!IsChineseFamily(family)) {
        TViewUnits units;
        units.Add(FamilyViewText(data, n, family));
        lines.ViewLength = static_cast<std::int32_t>(units.Count);
        return lines;
    }
    lines.ViewLength = WalkSutraLines(data, n, family, [&](std::int32_t head, std::int32_t position) {
        lines.Lines.push_back({position, head});
    });
    return lines;
}

std::optional<TSutraLine> LineHolding(std::span<const TSutraLine> lines, std::int32_t p)
{
    if (lines.empty()) return std::nullopt;
    const auto after = std::upper_bound(lines.begin(), lines.end(), p,
                                        [](std::int32_t q, const TSutraLine& l) { return q < l.Position; });
    return after == lines.begin() ? lines.front() : *(after - 1);
}

std::u16string_view LineId(const TLoadedData& data, int family, const TSutraLine& line)
{
    const TTextUnits& text = data.TextFiles[family].Text;
    // Every head was recognised with its closing unit inside the text.
    return std::u16string_view(text.data() + line.Head, static_cast<std::size_t>(LineIdLength));
}

TLineIndex::TLineIndex(const TLoadedData& data)
{
    // A line is some forty units with its head: room for both texts' lines at once, so that
    // the first run is not copied when the second comes.
    ById.reserve((data.TextFiles[KorFamily].Text.size() + data.TextFiles[SinsuFamily].Text.size()) / 32);
    std::size_t secondRun = 0;
    for (int family : {KorFamily, SinsuFamily}) {
        secondRun = ById.size();
        const TTextUnits& text = data.TextFiles[family].Text;
        Texts[family] = text.data();
        for (std::int32_t n = 0; InEveryFile(data, n); ++n)
            WalkSutraLines(data, n, family, [&](std::int32_t head, std::int32_t position) {
                const std::u16string_view id(text.data() + head, static_cast<std::size_t>(LineIdLength));
                const std::optional<TNumberedLineId> parsed = ParseNumberedLineId(id);
                if (!parsed) {
                    OtherLines.push_back({head, {n, family, position}});
                    return;
                }
                const std::uint64_t numbers = *TaishoNumbersKey(parsed->Numbers);
                ById.push_back({NumberedIdKey(parsed->Opener, parsed->Numbers, numbers) << 2 | family, n, position});
            });
    }
    Count = ById.size() + OtherLines.size();
    SortAndKeepFirst(ById, secondRun);

    OtherSlots.assign(TableSize(OtherLines.size()), 0);
    const std::size_t mask = OtherSlots.size() - 1;
    for (std::uint32_t i = 0; i < OtherLines.size(); ++i) {
        const std::u16string_view id = IdOf(OtherLines[i]);
        std::size_t slot = HashId(id) & mask;
        while (OtherSlots[slot] != 0 && IdOf(OtherLines[OtherSlots[slot] - 1]) != id)
            slot = (slot + 1) & mask;
        if (OtherSlots[slot] == 0) OtherSlots[slot] = i + 1;
    }
}

std::u16string_view TLineIndex::IdOf(const TOtherLine& line) const
{
    return std::u16string_view(Texts[line.Place.Family] + line.Head, static_cast<std::size_t>(LineIdLength));
}

std::optional<TLinePlace> TLineIndex::FindOtherId(std::u16string_view id) const
{
    const std::size_t mask = OtherSlots.size() - 1;
    for (std::size_t slot = HashId(id) & mask; OtherSlots[slot] != 0; slot = (slot + 1) & mask)
        if (IdOf(OtherLines[OtherSlots[slot] - 1]) == id) return OtherLines[OtherSlots[slot] - 1].Place;
    return std::nullopt;
}

std::optional<TLinePlace> TLineIndex::Find(const TLineReference& reference) const
{
    return FindNumbered(reference, nullptr);
}

std::optional<TLinePlace> TLineIndex::Find(const TLineReference& reference, TNear& near) const
{
    return FindNumbered(reference, &near);
}

std::optional<TLinePlace> TLineIndex::FindNumbered(const TLineReference& reference, TNear* near) const
{
    // An id of the usual shape and a Taishō reference come with their numbers read; any other id is read here.
    std::optional<TNumberedLineId> numbered = reference.Numbered;
    if (!numbered && reference.Taisho && reference.Taisho->Text)
        numbered = TNumberedLineId{SinsuHeadOpener, *reference.Taisho};
    else if (!numbered && reference.HasId)
        numbered = ParseNumberedLineId(reference.Id());
    if (!numbered && reference.HasId) return FindOtherId(reference.Id());
    if (!numbered && !reference.Taisho) return std::nullopt;
    const TTaishoLine& line = numbered ? numbered->Numbers : *reference.Taisho;
    const std::optional<std::uint64_t> numbers = TaishoNumbersKey(line);
    if (!numbers) return std::nullopt;
    if (!numbered) return FindWithoutText(*numbers);
    if (*line.Text < 0 || *line.Text > 9999) return std::nullopt;
    const std::uint64_t key = NumberedIdKey(numbered->Opener, line, *numbers);
    if (near == nullptr) return FindKey(ById.begin(), ById.end(), key);
    near->At = LowerBoundNear(ById, key, near->At);
    const auto found = ById.begin() + static_cast<std::ptrdiff_t>(near->At);
    return FindKey(found, std::min(found + 1, ById.end()), key);
}

std::optional<TLinePlace> TLineIndex::FindWithoutText(std::uint64_t numbers) const
{
    // The Taishō texts' runs one after another, lowest text number first.
    auto at = ById.begin();
    while (at != ById.end() && at->KeyAndFamily >> 2 < TextKeySpan * TextKeyCount) {
        const std::uint64_t text = (at->KeyAndFamily >> 2) / TextKeySpan;
        const auto end =
            std::lower_bound(at, ById.end(), (text + 1) * TextKeySpan,
                             [](const TKeyedLine& line, std::uint64_t k) { return line.KeyAndFamily >> 2 < k; });
        if (const std::optional<TLinePlace> place = FindKey(at, end, text * TextKeySpan + numbers)) return place;
        at = end;
    }
    return std::nullopt;
}

std::optional<TLinePlace> FindGoToTarget(const TLoadedData& data, const TLineIndex& index, std::u16string_view text)
{
    if (const std::optional<TLineReference> reference = ParseLineReference(text)) return index.Find(*reference);
    if (const std::optional<std::int32_t> n = FindCatalogueTitle(data.TextFiles[HanFamily], text))
        return TLinePlace{*n, -1, 0};
    return std::nullopt;
}
