#include "util/TextLines.h"

namespace {

template <typename TChar> std::vector<std::basic_string_view<TChar>> Split(std::basic_string_view<TChar> text)
{
    std::vector<std::basic_string_view<TChar>> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != TChar('\r') && text[i] != TChar('\n')) continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == TChar('\r') && i + 1 < text.size() && text[i + 1] == TChar('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
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
