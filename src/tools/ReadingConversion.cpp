#include "tools/ReadingConversion.h"

#include "util/TextLines.h"

#include <algorithm>

std::u16string ConvertReadingLine(std::u16string_view line, const TReadingFile& readingFile)
{
    // A short or unloaded table must never be read past; the header's length is trusted
    // only as far as the block really reaches.
    const std::size_t tableLength =
        std::min<std::size_t>(std::max(readingFile.Header.DataLength, 0), readingFile.Text.size());
    std::u16string converted(line);
    for (char16_t& unit : converted) {
        if (unit < 256 || unit >= tableLength) continue;
        // An entry of 0 would put a NUL into the view; the character stays readable instead.
        if (const char16_t reading = readingFile.Text[unit]; reading != 0) unit = reading;
    }
    return converted;
}

std::vector<std::u16string> ConvertReadings(std::u16string_view source, const TReadingFile& readingFile)
{
    std::vector<std::u16string> result;
    for (const std::u16string_view line : SplitLines(source)) {
        result.emplace_back(line);
        result.push_back(ConvertReadingLine(line, readingFile));
        result.emplace_back();
    }
    return result;
}
