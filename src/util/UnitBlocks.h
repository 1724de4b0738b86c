#pragma once

// Eight UTF-16 units at a time, for the loops that pass over long texts looking for a few
// rare units (line breaks, line heads): where the compiler offers vectors, a block is
// compared whole and the first unit found is read from the comparison's lanes. Without
// vectors the callers' unit-by-unit loops do all the work.

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#if defined(__GNUC__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#define VESKO3_UNIT_BLOCKS 1

inline constexpr int UnitBlockSize = 8;

using TUnitBlock = std::uint16_t __attribute__((vector_size(16)));

inline TUnitBlock LoadUnitBlock(const char16_t* units)
{
    TUnitBlock block;
    std::memcpy(&block, units, sizeof block);
    return block;
}

inline void StoreUnitBlock(char16_t* out, TUnitBlock block)
{
    std::memcpy(out, &block, sizeof block);
}

constexpr TUnitBlock UnitBlockOf(char16_t c)
{
    return TUnitBlock{c, c, c, c, c, c, c, c};
}

// The position in the block of the first lane set in a comparison's result (each lane all
// ones or none), UnitBlockSize when none is.
template <typename TLanes> int FirstSetLane(TLanes found)
{
    static_assert(sizeof found == 16);
#if defined(__SSE2__)
    // One bit a byte, two a lane.
    __m128i bytes;
    std::memcpy(&bytes, &found, sizeof bytes);
    const auto bits = static_cast<unsigned>(_mm_movemask_epi8(bytes));
    return bits ? std::countr_zero(bits) / 2 : UnitBlockSize;
#else
    std::uint64_t lanes[2];
    std::memcpy(lanes, &found, sizeof lanes);
    if (lanes[0]) return std::countr_zero(lanes[0]) / 16;
    if (lanes[1]) return 4 + std::countr_zero(lanes[1]) / 16;
    return UnitBlockSize;
#endif
}
#endif
