#pragma once

// The "한자음변환" page's conversion: every source line shown as it is and with each code
// unit of 256 or more replaced by its entry in the reading table.

#include "data/Vesko3Common.h"

#include <string>
#include <string_view>
#include <vector>

// The lines of a text. CR LF, a lone CR and a lone LF each end a line, so text from the
// memo (LF), a pasted Windows text (CR LF) and an old Mac text (CR) split alike. A break at
// the very end opens no further line, and an empty text has no lines.
std::vector<std::u16string> SourceLines(std::u16string_view text);

// The line with every unit of 256 or more, surrogate halves included, replaced by its
// table entry; same length as the line. A unit beyond the table or whose entry is 0 stays.
std::u16string ConvertReadingLine(std::u16string_view line, const TReadingFile& readingFile);

// For each source line: the line, its conversion and an empty line.
std::vector<std::u16string> ConvertReadings(std::u16string_view source, const TReadingFile& readingFile);
