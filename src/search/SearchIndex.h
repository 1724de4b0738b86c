#pragma once

// What the scan reads instead of the loaded bodies: for every body the characters the
// matcher looks at, in order (the Korean body without its line breaks; a Chinese body as
// CopyHanmoonText gives it, without the ignorable characters), and a summary of which
// characters occur there. A sutra whose summary lacks every form of some character of a
// word cannot hold that word and is decided without reading its text.
//
// Preparing the index only notes which buffers it belongs to; each text family is made
// the first time a search asks for one of its bodies, so that loading pays nothing for it
// and a search of the Chinese canons never holds a copy of the Korean text.

#include "data/Vesko3Common.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int SignatureBits = 2048;

struct TCharSignature
{
    std::array<std::uint64_t, SignatureBits / 64> Bits{};

    static constexpr std::uint32_t BitOf(char16_t c) { return (std::uint32_t(c) * 2654435761u) >> 21; }
    bool Has(std::uint32_t bit) const { return (Bits[bit >> 6] >> (bit & 63)) & 1; }
    void Add(char16_t c)
    {
        const std::uint32_t bit = BitOf(c);
        Bits[bit >> 6] |= std::uint64_t(1) << (bit & 63);
    }
};
static_assert((std::uint64_t(0xFFFFFFFFu) >> 21) < SignatureBits);

struct TIndexedFamily
{
    std::vector<std::int32_t> Starts, Lengths; // the entries it was made from
    std::u16string_view Searched;              // every body's searched characters, in catalogue order
    std::vector<std::uint32_t> Offsets;        // body i is Searched[Offsets[i], Offsets[i + 1])
    std::vector<TCharSignature> Signatures;
    // Bit j: in the view text a character the matcher steps over stands before Searched[j]
    // (meaningless for a body's first character), so that the concordance can tell
    // occurrences that touch there from those that do not.
    std::vector<std::uint64_t> Gaps;
    // Allocated for every unit of the bodies but written only as far as the searched
    // characters go, so that the pages a stripped Chinese text never reaches stay untouched.
    std::unique_ptr<char16_t[]> Storage;
};

struct TSearchIndex
{
    struct TSlot; // one family, made once; copies of the index share it
    std::array<std::shared_ptr<TSlot>, TextFileCount> Families;
};

// Notes the buffers of data; nothing is copied until a family is asked for.
TSearchIndex BuildSearchIndex(const TLoadedData& data);

// Text file family as the index holds it, made now if it was not yet; nullptr when the
// index was not prepared for this very buffer (no index, or other data), or when the
// family's bodies overlap so much that it is better scanned in its buffer. Safe to call
// from several threads at once.
const TIndexedFamily* IndexedFamily(const TSearchIndex& index, const TLoadedData& data, int family);

struct TSearchedBody
{
    std::u16string_view Text;
    const TCharSignature* Signature = nullptr;
    const std::uint64_t* Gaps = nullptr; // the family's Gaps
    std::size_t Offset = 0;              // Text[0]'s place in Searched
    bool GapBefore(std::size_t j) const { return (Gaps[(Offset + j) >> 6] >> ((Offset + j) & 63)) & 1; }
};

// Body i of text file family as the index holds it, or nullopt when the index was not made
// from this very range of this very buffer (no index, or other data).
std::optional<TSearchedBody> FindSearchedBody(const TSearchIndex& index, const TLoadedData& data, int family,
                                              std::int32_t i, std::int32_t start, std::int32_t length);
