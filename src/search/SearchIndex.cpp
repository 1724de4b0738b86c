#include "search/SearchIndex.h"

#include "data/HanmoonText.h"
#include "search/Matcher.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>

namespace {

// The body's range as CopyWideChars (Korean) or CopyHanmoonText (Chinese) clamps it.
struct TClampedRange
{
    std::int64_t First = 0, End = 0, Limit = 0;
};

TClampedRange ClampBody(const TVesko_File& file, bool hanmoon, const TSuttaEntry& e)
{
    const auto size = static_cast<std::int64_t>(file.Text.size());
    if (!hanmoon) {
        const std::int64_t first = std::clamp<std::int64_t>(e.BodyStart, 0, size);
        const std::int64_t count = std::clamp<std::int64_t>(e.BodyLength, 0, size - first);
        return {first, first + count, size};
    }
    const std::int64_t limit = std::max<std::int64_t>(0, std::min<std::int64_t>(file.TextLength(), size));
    const std::int64_t first = std::clamp<std::int64_t>(e.BodyStart, 0, limit);
    const std::int64_t end =
        std::clamp<std::int64_t>(std::int64_t(e.BodyStart) + std::max(e.BodyLength, 0), first, limit);
    return {first, end, limit};
}

// What the copy must know of a unit, one look-up for both: an ignorable character is met
// every few units, at no pattern a branch could learn, and a head opener once a line.
constexpr std::uint8_t IgnorableUnit = 1;
constexpr std::uint8_t HeadOpenerUnit = 2;
constexpr std::array<std::uint8_t, 65536> UnitClasses = [] {
    std::array<std::uint8_t, 65536> classes{};
    for (char16_t c : IgnorableChars)
        classes[c] |= IgnorableUnit;
    for (char16_t c : LineHeadOpeners)
        classes[c] |= HeadOpenerUnit;
    return classes;
}();

// Every unit is written; the count moves on only past a searched one. The summary is
// gathered a byte per bit, plain stores that never wait for each other, and packed at the
// end. Skipped units go into it too: it may only ever hold more than the text, never
// less, and a few bits that every body has cost less than a branch on every unit. A
// skipped unit sets the gap bit of the place the next searched one will take.
class TSearchedWriter
{
public:
    TSearchedWriter(char16_t* out, std::uint64_t* gaps, std::size_t offset) : Out(out), Gaps(gaps), Offset(offset) {}

    void Put(char16_t c, bool skipped)
    {
        Out[Count] = c;
        const std::size_t at = Offset + static_cast<std::size_t>(Count);
        // Gathered a word at a time: stored when the next searched unit begins a new one.
        GapWord |= std::uint64_t(skipped) << (at & 63);
        Count += !skipped;
        if (!skipped && ((at + 1) & 63) == 0) {
            Gaps[at >> 6] |= GapWord;
            GapWord = 0;
        }
        Seen[TCharSignature::BitOf(c)] = 1;
    }

    std::int64_t Finish(TCharSignature& signature)
    {
        Gaps[(Offset + static_cast<std::size_t>(Count)) >> 6] |= GapWord;
        for (std::size_t word = 0; word < signature.Bits.size(); ++word) {
            std::uint64_t bits = 0;
            for (std::size_t part = 0; part < 8; ++part) {
                // Eight bytes of 0 or 1 into eight bits: the multiplication gathers byte k's
                // low bit at bit 56 + k.
                const std::uint8_t* from = Seen.data() + word * 64 + part * 8;
                std::uint64_t bytes = 0;
                if constexpr (std::endian::native == std::endian::little)
                    std::memcpy(&bytes, from, sizeof bytes);
                else
                    for (std::size_t k = 0; k < 8; ++k)
                        bytes |= std::uint64_t(from[k]) << (8 * k);
                bits |= ((bytes * 0x0102040810204080ull) >> 56) << (part * 8);
            }
            signature.Bits[word] = bits;
        }
        return Count;
    }

private:
    char16_t* Out;
    std::uint64_t* Gaps;
    std::size_t Offset;
    std::uint64_t GapWord = 0;
    std::int64_t Count = 0;
    std::array<std::uint8_t, SignatureBits> Seen{};
};

// The Korean body without its line breaks.
std::int64_t CopyKorean(const char16_t* units, TClampedRange range, char16_t* out, std::uint64_t* gaps,
                        std::size_t offset, TCharSignature& signature)
{
    TSearchedWriter writer(out, gaps, offset);
    for (std::int64_t p = range.First; p < range.End; ++p) {
        const char16_t c = units[p];
        writer.Put(c, (c == u'\n') | (c == u'\r'));
    }
    static_assert(IsSkippedChar(u'\n', HanCanon) && IsSkippedChar(u'\r', HanCanon) && !IsSkippedChar(u' ', HanCanon));
    return writer.Finish(signature);
}

// The Chinese body as CopyHanmoonText gives it, without the ignorable characters.
std::int64_t CopyHanmoon(const char16_t* units, TClampedRange range, char16_t* out, std::uint64_t* gaps,
                         std::size_t offset, TCharSignature& signature)
{
    TSearchedWriter writer(out, gaps, offset);
    for (std::int64_t p = range.First; p < range.End; ++p) {
        char16_t c = units[p];
        std::uint8_t unitClass = UnitClasses[c];
        if ((unitClass & HeadOpenerUnit) && IsLineHeadAt(units, range.Limit, p)) {
            p = AfterLineHead(units, range.End, p);
            if (p >= range.End) break;
            // The unit after a dropped head is taken without testing it for a further head.
            c = units[p];
            unitClass = UnitClasses[c];
        }
        writer.Put(c, unitClass & IgnorableUnit);
    }
    return writer.Finish(signature);
}

} // namespace

// Made from these data's buffers only: a slot compares them before it makes or hands out
// anything.
struct TSearchIndex::TSlot
{
    const char16_t* Buffer = nullptr;
    std::size_t BufferSize = 0;
    std::once_flag Once;
    std::optional<TIndexedFamily> Made;
};

namespace {

std::optional<TIndexedFamily> MakeFamily(const TVesko_File& file, int f)
{
    TIndexedFamily family;
    const std::int32_t count = std::clamp(file.SuttaTable.Count, 0, MaxSuttaCount);
    // The Korean family is searched only as the Korean canon, the others only as Chinese ones.
    const bool hanmoon = f != HanFamily;
    std::vector<TClampedRange> ranges(count);
    std::size_t room = 1;
    for (std::int32_t i = 0; i < count; ++i) {
        ranges[i] = ClampBody(file, hanmoon, file.SuttaTable.Items[i]);
        room += static_cast<std::size_t>(ranges[i].End - ranges[i].First);
    }
    // Bodies that overlap over and over (damaged tables) would make the index many times
    // the text; such a family is left to be scanned in its buffer.
    if (room > 2 * file.Text.size() + 1 || room > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;

    family.Starts.resize(count);
    family.Lengths.resize(count);
    family.Offsets.resize(count + 1);
    family.Signatures.resize(count);
    family.Gaps.assign(room / 64 + 1, 0);
    // Left uninitialised: only what the bodies write is ever read.
    family.Storage.reset(new char16_t[room]);
    char16_t* const storage = family.Storage.get();
    std::size_t used = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const TSuttaEntry& e = file.SuttaTable.Items[i];
        family.Starts[i] = e.BodyStart;
        family.Lengths[i] = e.BodyLength;
        family.Offsets[i] = static_cast<std::uint32_t>(used);
        char16_t* const out = storage + used;
        std::uint64_t* const gaps = family.Gaps.data();
        used += static_cast<std::size_t>(
            hanmoon ? CopyHanmoon(file.Text.data(), ranges[i], out, gaps, used, family.Signatures[i])
                    : CopyKorean(file.Text.data(), ranges[i], out, gaps, used, family.Signatures[i]));
    }
    family.Offsets[count] = static_cast<std::uint32_t>(used);
    storage[used] = 0;
    family.Searched = std::u16string_view(storage, used);
    return family;
}

} // namespace

TSearchIndex BuildSearchIndex(const TLoadedData& data)
{
    TSearchIndex index;
    for (int f = 0; f < TextFileCount; ++f) {
        auto slot = std::make_shared<TSearchIndex::TSlot>();
        slot->Buffer = data.TextFiles[f].Text.data();
        slot->BufferSize = data.TextFiles[f].Text.size();
        index.Families[f] = std::move(slot);
    }
    return index;
}

const TIndexedFamily* IndexedFamily(const TSearchIndex& index, const TLoadedData& data, int family)
{
    if (family < 0 || family >= TextFileCount || !index.Families[family]) return nullptr;
    TSearchIndex::TSlot& slot = *index.Families[family];
    const TVesko_File& file = data.TextFiles[family];
    if (slot.Buffer != file.Text.data() || slot.BufferSize != file.Text.size()) return nullptr;
    std::call_once(slot.Once, [&] {
        try {
            slot.Made = MakeFamily(file, family);
        } catch (const std::bad_alloc&) {
            // No room for the copy: the scan reads the buffer instead.
            slot.Made.reset();
        }
    });
    return slot.Made ? &*slot.Made : nullptr;
}

std::optional<TSearchedBody> FindSearchedBody(const TSearchIndex& index, const TLoadedData& data, int family,
                                              std::int32_t i, std::int32_t start, std::int32_t length)
{
    const TIndexedFamily* made = IndexedFamily(index, data, family);
    if (!made || i < 0 || static_cast<std::size_t>(i) >= made->Signatures.size()) return std::nullopt;
    if (made->Starts[i] != start || made->Lengths[i] != length) return std::nullopt;
    return TSearchedBody{made->Searched.substr(made->Offsets[i], made->Offsets[i + 1] - made->Offsets[i]),
                         &made->Signatures[i], made->Gaps.data(), made->Offsets[i]};
}
