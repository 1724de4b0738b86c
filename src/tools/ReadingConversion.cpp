#include "tools/ReadingConversion.h"

#include "util/TextLines.h"

#include <algorithm>

namespace {

// The units of the table that may be looked up. A short or unloaded table must never be read
// past; the header's length is trusted only as far as the block really reaches.
std::u16string_view ReadingTable(const TReadingFile& readingFile)
{
    const std::size_t length =
        std::min<std::size_t>(std::max(readingFile.Header.DataLength, 0), readingFile.Text.size());
    return {readingFile.Text.data(), length};
}

// The unit shown for unit: its reading, or the unit itself below 256, beyond the table or
// where its entry is 0 (which would put a NUL into the view; the character stays readable).
char16_t ReadingOf(char16_t unit, std::u16string_view table)
{
    if (unit < 256 || unit >= table.size()) return unit;
    const char16_t reading = table[unit];
    return reading != 0 ? reading : unit;
}

void ConvertInPlace(char16_t* units, std::size_t count, std::u16string_view table)
{
    for (char16_t* unit = units; unit != units + count; ++unit)
        *unit = ReadingOf(*unit, table);
}

// ReadingOf for every unit, so that a long text takes one look-up a unit.
std::vector<char16_t> EveryReading(std::u16string_view table)
{
    std::vector<char16_t> readings(std::size_t(1) << 16);
    for (std::size_t unit = 0; unit < readings.size(); ++unit)
        readings[unit] = ReadingOf(static_cast<char16_t>(unit), table);
    return readings;
}

} // namespace

std::u16string ConvertReadingLine(std::u16string_view line, const TReadingFile& readingFile)
{
    std::u16string converted(line);
    ConvertInPlace(converted.data(), converted.size(), ReadingTable(readingFile));
    return converted;
}

std::vector<std::u16string> ConvertReadings(std::u16string_view source, const TReadingFile& readingFile)
{
    const std::vector<std::u16string_view> lines = SplitLines(source);
    std::vector<std::u16string> result;
    result.reserve(lines.size() * 3);
    for (const std::u16string_view line : lines) {
        result.emplace_back(line);
        result.push_back(ConvertReadingLine(line, readingFile));
        result.emplace_back();
    }
    return result;
}

std::u16string ConvertReadingsText(std::u16string_view source, const TReadingFile& readingFile)
{
    const std::u16string_view table = ReadingTable(readingFile);
    // Below this many units the full table costs more than it saves.
    const std::vector<char16_t> readings =
        source.size() >= (std::size_t(1) << 16) ? EveryReading(table) : std::vector<char16_t>();
    std::u16string text;
    // Each line comes twice and with three breaks; room for lines of eight units and more.
    text.reserve(2 * source.size() + source.size() / 8 + 3);
    ForEachLine(source, [&](std::u16string_view line) {
        // One step of the string a line; the units are written in place.
        const std::size_t at = text.size();
        text.resize(at + 2 * line.size() + 3);
        char16_t* const raw = text.data() + at;
        char16_t* const converted = std::copy(line.begin(), line.end(), raw) + 1;
        raw[line.size()] = u'\n';
        if (readings.empty()) {
            std::copy(line.begin(), line.end(), converted);
            ConvertInPlace(converted, line.size(), table);
        } else {
            std::transform(line.begin(), line.end(), converted, [&](char16_t unit) { return readings[unit]; });
        }
        converted[line.size()] = u'\n';
        converted[line.size() + 1] = u'\n';
    });
    return text;
}
