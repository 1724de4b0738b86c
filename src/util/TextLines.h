#pragma once

#include <string_view>
#include <vector>

// The lines of a text, as views into it. CR LF, a lone CR and a lone LF each end a line, so
// a Windows text, a Unix text and an old Mac text split alike. A break at the very end opens
// no further line, and an empty text has no lines. The settings file splits its raw bytes
// this way; the memo, the source tables and the demo tables their decoded text.
std::vector<std::string_view> SplitLines(std::string_view text);
std::vector<std::u16string_view> SplitLines(std::u16string_view text);
