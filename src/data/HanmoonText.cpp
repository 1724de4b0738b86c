#include "data/HanmoonText.h"

#include <algorithm>

void AppendHanmoonText(std::u16string& out, std::span<const char16_t> buffer, std::int32_t textLength,
                       std::int32_t start, std::int32_t length)
{
    const std::int64_t limit = std::min<std::int64_t>(textLength, static_cast<std::int64_t>(buffer.size()));
    const std::int64_t first = std::clamp<std::int64_t>(start, 0, limit);
    out.reserve(out.size() +
                static_cast<std::size_t>(
                    std::clamp<std::int64_t>(std::int64_t(start) + std::max(length, 0), first, limit) - first));
    WalkHanmoonText(
        buffer, textLength, start, length, [&](const char16_t* from, const char16_t* to) { out.append(from, to); },
        [](std::int64_t, std::int64_t) {});
}

std::u16string CopyHanmoonText(std::span<const char16_t> buffer, std::int32_t textLength, std::int32_t start,
                               std::int32_t length)
{
    std::u16string out;
    AppendHanmoonText(out, buffer, textLength, start, length);
    return out;
}

namespace {

// Copies the units from first on up to the first that may open a head or is a line break
// or another control unit, and returns where it stopped. A block is written whole before it
// is looked into: out has room for every unit up to last.
const char16_t* CopyPlainUnits(const char16_t* first, const char16_t* last, char16_t*& out)
{
#if VESKO3_UNIT_BLOCKS
    while (last - first >= UnitBlockSize) {
        const TUnitBlock units = LoadUnitBlock(first);
        StoreUnitBlock(out, units);
        const int found = FirstSetLane((units <= UnitBlockOf(u'\r')) | (units == UnitBlockOf(SinsuHeadOpener)) |
                                       (units == UnitBlockOf(KorHeadOpener)));
        first += found;
        out += found;
        if (found < UnitBlockSize) return first;
    }
#endif
    while (first<last&& * first> u'\r' && !IsLineHeadOpener(*first))
        *out++ = *first++;
    return first;
}

} // namespace

// WalkHanmoonText's walk with the kept runs cut at line breaks too, so that what lies
// between is copied as it stands and the units around a break are taken one by one.
char16_t* WriteHanmoonText(std::span<const char16_t> buffer, std::int32_t textLength, std::int32_t start,
                           std::int32_t length, TLineBreakNormalizer& normalizer, char16_t* out)
{
    const char16_t* units = buffer.data();
    const std::int64_t limit = std::min<std::int64_t>(textLength, static_cast<std::int64_t>(buffer.size()));
    std::int64_t p = std::clamp<std::int64_t>(start, 0, limit);
    const std::int64_t end = std::clamp<std::int64_t>(std::int64_t(start) + std::max(length, 0), p, limit);
    while (p < end) {
        const char16_t c = units[p];
        if (IsLineHeadOpener(c) && IsLineHeadAt(units, limit, p)) {
            p = AfterLineHead(units, end, p);
            if (p >= end) break;
            // Kept even when it opens a further head.
            out = normalizer.Put(units[p++], out);
        } else if (c <= u'\r' || IsLineHeadOpener(c)) {
            out = normalizer.Put(c, out);
            ++p;
        } else {
            p = CopyPlainUnits(units + p, units + end, out) - units;
            normalizer.PlainWritten();
        }
    }
    return out;
}
