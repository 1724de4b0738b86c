#pragma once

// The "한자음변환" page's conversion: every source line shown as it is and with each code
// unit of 256 or more replaced by its entry in the reading table.

#include "data/Vesko3Common.h"

#include <string>
#include <string_view>
#include <vector>

// The line with every unit of 256 or more, surrogate halves included, replaced by its
// table entry; same length as the line. A unit beyond the table or whose entry is 0 stays.
std::u16string ConvertReadingLine(std::u16string_view line, const TReadingFile& readingFile);

// For each source line (SplitLines: the memo's LF, a pasted CR LF and an old Mac text's CR
// all end one): the line, its conversion and an empty line.
std::vector<std::u16string> ConvertReadings(std::u16string_view source, const TReadingFile& readingFile);

// The same lines as the result memo holds them, in one text: each of them followed by a line
// break (LF), so the text ends in two. Made in one pass into one buffer, where the lines
// apart cost three strings a source line.
std::u16string ConvertReadingsText(std::u16string_view source, const TReadingFile& readingFile);
