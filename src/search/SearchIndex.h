#pragma once

// What the scan reads instead of the loaded bodies, made once when the data are loaded:
// for every body the characters the matcher looks at, in order (the Korean body without its
// line breaks; a Chinese body as CopyHanmoonText gives it, without the ignorable
// characters), and a summary of which characters occur there. A sutra whose summary lacks
// every form of some character of a word cannot hold that word and is decided without
// reading its text.

#include "data/Vesko3Common.h"

#include <array>
#include <cstdint>
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

struct TSearchIndex
{
    struct TFamily
    {
        // What the index was made from, so that it is never applied to other data.
        const char16_t* Buffer = nullptr;
        std::size_t BufferSize = 0;
        std::vector<std::int32_t> Starts, Lengths;

        std::u16string Searched;            // every body's searched characters, in catalogue order
        std::vector<std::uint32_t> Offsets; // body i is Searched[Offsets[i], Offsets[i + 1])
        std::vector<TCharSignature> Signatures;
    };
    std::array<TFamily, TextFileCount> Families;
};

TSearchIndex BuildSearchIndex(const TLoadedData& data);

struct TSearchedBody
{
    std::u16string_view Text;
    const TCharSignature* Signature = nullptr;
};

// Body i of text file family as the index holds it, or nullopt when the index was not made
// from this very range of this very buffer (no index, or other data).
std::optional<TSearchedBody> FindSearchedBody(const TSearchIndex& index, const TLoadedData& data, int family,
                                              std::int32_t i, std::int32_t start, std::int32_t length);
