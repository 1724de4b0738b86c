#include "util/TextLines.h"

#include <cstdint>
#include <cstring>

namespace {

template <typename TChar> std::vector<std::basic_string_view<TChar>> Split(std::basic_string_view<TChar> text)
{
    std::vector<std::basic_string_view<TChar>> lines;
    ForEachLine(text, [&](std::basic_string_view<TChar> line) { lines.push_back(line); });
    return lines;
}

} // namespace

std::vector<std::string_view> SplitLines(std::string_view text)
{
    return Split(text);
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text)
{
    return Split(text);
}

std::size_t FindLineBreak(std::string_view text, std::size_t from)
{
    const std::size_t at = text.find_first_of("\r\n", from);
    return at == std::string_view::npos ? text.size() : at;
}

std::size_t FindLineBreak(std::u16string_view text, std::size_t from)
{
    std::size_t i = from;
#if defined(__GNUC__)
    // Eight units at a time, where the compiler offers vectors; each lane is all ones where
    // its unit is a break, and the units of a block with one are then looked at one by one.
    using TUnits = std::uint16_t __attribute__((vector_size(16)));
    constexpr TUnits Cr = {u'\r', u'\r', u'\r', u'\r', u'\r', u'\r', u'\r', u'\r'};
    constexpr TUnits Lf = {u'\n', u'\n', u'\n', u'\n', u'\n', u'\n', u'\n', u'\n'};
    for (; i + 8 <= text.size(); i += 8) {
        TUnits units;
        std::memcpy(&units, text.data() + i, sizeof units);
        const auto breaks = (units == Cr) | (units == Lf);
        std::uint64_t lanes[2];
        std::memcpy(lanes, &breaks, sizeof lanes);
        if (lanes[0] | lanes[1]) break;
    }
#endif
    for (; i < text.size(); ++i)
        if (text[i] == u'\r' || text[i] == u'\n') return i;
    return text.size();
}
