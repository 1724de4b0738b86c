// Feeds arbitrary bytes as Vesko3.ini to the settings parser: every option stays in its range,
// every line without "=" survives a save byte for byte, and saving what a save wrote gives
// the same bytes again.

#include "FuzzCheck.h"
#include "session/Settings.h"
#include "util/TextLines.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TSettings settings;
    ParseSettings(settings, bytes);
    const std::int32_t values[] = {settings.HangeulFontSize, settings.HanmoonFontSize, settings.SearchFontSize,
                                   settings.Transparent,     settings.FullScreen,      settings.ColorIndex,
                                   settings.CopyTarget};
    const std::int32_t maxima[] = {2, 2, 2, 2, 1, 10, 1};
    for (int i = 0; i < 7; ++i)
        Require(values[i] >= 0 && values[i] <= maxima[i], "an option out of its range");

    const std::string saved = SettingsFileBytes(settings);
    const std::vector<std::string_view> savedLines = SplitLines(saved);
    std::size_t from = 0;
    // Lines without "=" keep their order, so each is looked for after the one before.
    for (std::string_view line : SplitLines(bytes)) {
        if (line.find('=') != std::string_view::npos) continue;
        const auto found = std::find(savedLines.begin() + std::ptrdiff_t(from), savedLines.end(), line);
        Require(found != savedLines.end(), "a line without \"=\" was lost");
        from = std::size_t(found - savedLines.begin()) + 1;
    }

    TSettings reloaded;
    ParseSettings(reloaded, saved);
    Require(SettingsFileBytes(reloaded) == saved, "a second save changed the bytes");
    return 0;
}
