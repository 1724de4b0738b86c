#include "util/MyUtils.h"

#include <limits>

std::filesystem::path ExeFolderPath(const std::filesystem::path& programFolder, std::u16string_view name)
{
    return programFolder / std::filesystem::path(std::u16string(name));
}

std::u16string_view TrimControlAndBlank(std::u16string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] <= u' ')
        ++first;
    while (last > first && text[last - 1] <= u' ')
        --last;
    return text.substr(first, last - first);
}

std::int32_t LeadingNumber(std::u16string_view text)
{
    constexpr std::int64_t Max = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (char16_t c : TrimControlAndBlank(text)) {
        if (c < u'0' || c > u'9') break;
        value = value * 10 + (c - u'0');
        if (value > Max) return static_cast<std::int32_t>(Max);
    }
    return static_cast<std::int32_t>(value);
}

std::u16string DecimalText(std::int64_t value)
{
    std::u16string digits;
    for (char c : std::to_string(value))
        digits.push_back(static_cast<char16_t>(c));
    return digits;
}

std::u16string ZeroPad(std::int32_t value, int width)
{
    std::u16string digits = DecimalText(value);
    if (static_cast<int>(digits.size()) >= width) return digits;
    return std::u16string(width - digits.size(), u'0') + digits;
}
