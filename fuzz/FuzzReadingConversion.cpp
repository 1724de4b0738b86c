// Feeds an arbitrary reading table and text to the reading conversion: each converted line is
// as long as its source, units below 256 and units without an entry stay, every other unit
// becomes its entry; and the result is each source line, its conversion and an empty line,
// the same in the lines apart and in the memo's one text.

#include "FuzzCheck.h"
#include "tools/ReadingConversion.h"
#include "util/TextLines.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Two bytes give the header's table length, two the units that really follow (either may
    // be the shorter), then the table, then the text.
    if (size < 4) return 0;
    TReadingFile table;
    table.Header.DataLength = data[0] | data[1] << 8;
    const std::size_t tableUnits = data[2] | data[3] << 8;
    std::size_t at = 4;
    for (; table.Text.size() < tableUnits && at + 1 < size; at += 2)
        table.Text.push_back(static_cast<char16_t>(data[at] | data[at + 1] << 8));
    std::u16string text;
    for (; at + 1 < size; at += 2)
        text.push_back(static_cast<char16_t>(data[at] | data[at + 1] << 8));

    const std::vector<std::u16string_view> lines = SplitLines(text);
    const std::vector<std::u16string> converted = ConvertReadings(text, table);
    Require(converted.size() == 3 * lines.size(), "not three lines per source line");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::u16string_view line = lines[i];
        const std::u16string& reading = converted[3 * i + 1];
        Require(converted[3 * i] == line && converted[3 * i + 2].empty(), "a source line not shown as it is");
        Require(reading.size() == line.size(), "a conversion of another length");
        for (std::size_t k = 0; k < line.size(); ++k) {
            const char16_t c = line[k];
            const std::size_t reach = std::min<std::size_t>(std::size_t(table.Header.DataLength), table.Text.size());
            const char16_t entry = c < reach ? table.Text[c] : u'\0';
            const char16_t expected = c >= 256 && entry != 0 ? entry : c;
            Require(reading[k] == expected, "a unit converted wrongly");
        }
    }
    std::u16string joined;
    for (const std::u16string& line : converted)
        joined += line + u'\n';
    Require(ConvertReadingsText(text, table) == joined, "the one text differs from the lines");
    return 0;
}
