#pragma once

#include <cstdint>
#include <string>
#include <span>
#include <vector>

// The halves of a surrogate pair, the UTF-16 form of a character above the basic plane.
inline constexpr bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline constexpr bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
inline constexpr bool IsSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// length units of buffer from start, unchanged; empty for length 0. The range must lie
// inside the buffer (the loaders reject files whose ranges do not).
std::u16string CopyWideChars(std::span<const char16_t> buffer, std::int32_t start, std::int32_t length);
