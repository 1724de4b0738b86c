#pragma once

// Which characters each body holds, summarised once when the data are loaded. A sutra
// whose summary lacks every form of some character of a word cannot hold that word, so
// the scan decides it without reading the text. The summary covers the body's whole range
// in the loaded buffer, line heads included: a superset of what is searched, so it may
// only ever let a sutra through that then turns out not to qualify.

#include "data/Vesko3Common.h"

#include <array>
#include <cstdint>
#include <vector>

inline constexpr int SignatureBits = 2048;

struct TCharSignature
{
    std::array<std::uint64_t, SignatureBits / 64> Bits{};

    static constexpr std::uint32_t BitOf(char16_t c) { return (std::uint32_t(c) * 2654435761u) >> 21; }
    bool Has(std::uint32_t bit) const { return (Bits[bit >> 6] >> (bit & 63)) & 1; }
};
static_assert((std::uint64_t(0xFFFFFFFFu) >> 21) < SignatureBits);

struct TSearchIndex
{
    struct TFamily
    {
        // What the summaries were made from, so that they are never applied to other data.
        const char16_t* Buffer = nullptr;
        std::size_t BufferSize = 0;
        std::vector<std::int32_t> Starts, Lengths;
        std::vector<TCharSignature> Signatures;
    };
    std::array<TFamily, TextFileCount> Families;
};

TSearchIndex BuildSearchIndex(const TLoadedData& data);

// The summary of entry i of text file family, or nullptr when the index was not made from
// this very range of this very buffer (no index, or other data).
const TCharSignature* FindSignature(const TSearchIndex& index, const TLoadedData& data, int family, std::int32_t i,
                                    std::int32_t start, std::int32_t length);
