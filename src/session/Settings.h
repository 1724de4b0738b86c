#pragma once

// The settings file Vesko3.ini beside the program: seven options as "Key=value" lines.
// Lines are kept as raw bytes, never decoded, so that any line the program does not own
// survives a save byte for byte.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct TSettings
{
    std::filesystem::path IniFileName;
    std::vector<std::string> IniLines; // raw bytes of each line, without its line break
    std::int32_t HangeulFontSize = 0;  // 0..2
    std::int32_t HanmoonFontSize = 0;  // 0..2
    std::int32_t SearchFontSize = 0;   // 0..2
    std::int32_t Transparent = 0;      // 0..2
    std::int32_t FullScreen = 0;       // 0..1
    std::int32_t ColorIndex = 0;       // 0..10
    std::int32_t CopyTarget = 0;       // 0..1
};

// Takes the lines of the file's bytes into IniLines and the seven options from them, each
// clamped to its range.
void ParseSettings(TSettings& settings, std::string_view bytes);

// The file's new bytes: the seven options written into IniLines (each key's first line, else
// a new line at the end), every line ended by CR LF.
std::string SettingsFileBytes(TSettings& settings);

// Reads programFolder/Vesko3.ini into settings. A missing or unreadable file, one too large to
// be settings and anything that is no regular file (a pipe would never end) give all zeros.
void LoadSettings(TSettings& settings, const std::filesystem::path& programFolder);

// Writes the seven options back into IniLines and the file, then frees IniLines. Returns
// whether the file was written; the window ignores a failure. A read-only file, one too large
// to be settings and anything that is no regular file are left as they are; a replaced file
// keeps its permissions.
bool SaveSettings(TSettings& settings);
