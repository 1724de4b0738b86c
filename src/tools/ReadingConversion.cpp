#include "tools/ReadingConversion.h"

#include <algorithm>

std::vector<std::u16string> SourceLines(std::u16string_view text)
{
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::u16string ConvertReadingLine(std::u16string_view line, const TReadingFile& readingFile)
{
    // A short or unloaded table must never be read past; the header's length is trusted
    // only as far as the block really reaches.
    const std::size_t tableLength =
        std::min<std::size_t>(std::max(readingFile.Header.DataLength, 0), readingFile.Text.size());
    std::u16string converted(line);
    for (char16_t& unit : converted) {
        if (unit < 256 || unit >= tableLength)
            continue;
        // An entry of 0 would put a NUL into the view; the character stays readable instead.
        if (const char16_t reading = readingFile.Text[unit]; reading != 0)
            unit = reading;
    }
    return converted;
}

std::vector<std::u16string> ConvertReadings(std::u16string_view source, const TReadingFile& readingFile)
{
    std::vector<std::u16string> result;
    for (std::u16string& line : SourceLines(source)) {
        std::u16string converted = ConvertReadingLine(line, readingFile);
        result.push_back(std::move(line));
        result.push_back(std::move(converted));
        result.emplace_back();
    }
    return result;
}
