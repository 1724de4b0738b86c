#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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

// The character starting at text[at] (a whole pair counts as one character; a lone half is
// itself) and its units in count.
inline constexpr char32_t CodePointAt(std::u16string_view text, std::size_t at, std::size_t& count)
{
    if (IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
        count = 2;
        return 0x10000 + ((char32_t(text[at]) - 0xD800) << 10) + (char32_t(text[at + 1]) - 0xDC00);
    }
    count = 1;
    return text[at];
}

// The UTF-16 form of c.
inline std::u16string CodePointText(char32_t c)
{
    if (c < 0x10000) return std::u16string(1, static_cast<char16_t>(c));
    c -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

// length units of buffer from start, unchanged; empty for length 0. The range must lie
// inside the buffer (the loaders reject files whose ranges do not).
std::u16string CopyWideChars(std::span<const char16_t> buffer, std::int32_t start, std::int32_t length);
