#pragma once

#include <string_view>
#include <vector>

// The lines of a text, as views into it. CR LF, a lone CR and a lone LF each end a line, so
// a Windows text, a Unix text and an old Mac text split alike. A break at the very end opens
// no further line, and an empty text has no lines. The settings file splits its raw bytes
// this way; the memo, the source tables and the demo tables their decoded text.
std::vector<std::string_view> SplitLines(std::string_view text);
std::vector<std::u16string_view> SplitLines(std::u16string_view text);

// The position of the first CR or LF in text at or after from; text.size() when there is none.
std::size_t FindLineBreak(std::string_view text, std::size_t from);
std::size_t FindLineBreak(std::u16string_view text, std::size_t from);

// Calls onLine with each line SplitLines would give, in order, without making the list.
template <typename TChar, typename TOnLine> void ForEachLine(std::basic_string_view<TChar> text, TOnLine&& onLine)
{
    std::size_t start = 0;
    for (std::size_t i = FindLineBreak(text, 0); i < text.size(); i = FindLineBreak(text, i + 1)) {
        onLine(text.substr(start, i - start));
        if (text[i] == TChar('\r') && i + 1 < text.size() && text[i + 1] == TChar('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size()) onLine(text.substr(start));
}
