#include "session/Settings.h"

#include "util/Files.h"
#include "util/MyUtils.h"
#include "util/TextLines.h"

#include <algorithm>
#include <string_view>

namespace {

struct TSettingKey
{
    std::string_view Name;
    std::int32_t TSettings::*Field;
    std::int32_t Maximum;
};

// The order in which keys are read and written; a new file lists them in this order.
constexpr TSettingKey SettingKeys[] = {
    {"HangeulFontSize", &TSettings::HangeulFontSize, 2}, {"HanmoonFontSize", &TSettings::HanmoonFontSize, 2},
    {"SearchFontSize", &TSettings::SearchFontSize, 2},   {"Transparent", &TSettings::Transparent, 2},
    {"FullScreen", &TSettings::FullScreen, 1},           {"ColorIndex", &TSettings::ColorIndex, 10},
    {"CopyTarget", &TSettings::CopyTarget, 1},
};

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Keys are ASCII, so comparing bytes without regard to ASCII case is the locale's
// case-insensitive comparison for every line that can match; nothing else is decoded.
bool SameKey(std::string_view text, std::string_view key)
{
    return text.size() == key.size() && std::equal(text.begin(), text.end(), key.begin(),
                                                   [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

// The first line whose text before its first "=" is the key, untrimmed.
std::vector<std::string>::iterator FindKeyLine(std::vector<std::string>& lines, std::string_view key)
{
    return std::find_if(lines.begin(), lines.end(), [key](const std::string& line) {
        const std::size_t equals = line.find('=');
        return equals != std::string::npos && SameKey(std::string_view(line).substr(0, equals), key);
    });
}

// LeadingNumber looks only at digits and codes 0 to 32, which no byte of a Korean code page
// character can be, so widening byte by byte is as good as decoding.
std::int32_t ValueNumber(std::string_view valueText)
{
    std::u16string wide(valueText.size(), u'\0');
    std::transform(valueText.begin(), valueText.end(), wide.begin(),
                   [](char c) { return static_cast<char16_t>(static_cast<unsigned char>(c)); });
    return LeadingNumber(wide);
}

// Seven short lines and whatever the user added: a "settings file" past this is not one, and
// reading it would only cost memory.
constexpr std::uint64_t MaxSettingsFileBytes = 1 << 20;

// A file too large to be settings, a read-only one (the user's way of pinning the settings) and
// anything that is no regular file are left as they are.
bool MaySaveTo(const std::filesystem::path& path)
{
    std::error_code error;
    if (!MayReplaceFile(path)) return false;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error || size <= MaxSettingsFileBytes;
}

} // namespace

void ParseSettings(TSettings& settings, std::string_view bytes)
{
    settings.IniLines.clear();
    for (std::string_view line : SplitLines(bytes))
        settings.IniLines.emplace_back(line);

    for (const TSettingKey& key : SettingKeys) {
        std::int32_t value = 0;
        auto line = FindKeyLine(settings.IniLines, key.Name);
        if (line != settings.IniLines.end()) value = ValueNumber(std::string_view(*line).substr(line->find('=') + 1));
        settings.*key.Field = std::clamp(value, 0, key.Maximum);
    }
}

std::string SettingsFileBytes(TSettings& settings)
{
    for (const TSettingKey& key : SettingKeys) {
        std::string entry = std::string(key.Name) + "=" + std::to_string(settings.*key.Field);
        auto line = FindKeyLine(settings.IniLines, key.Name);
        if (line != settings.IniLines.end())
            *line = std::move(entry);
        else
            settings.IniLines.push_back(std::move(entry));
    }
    std::string bytes;
    for (const std::string& line : settings.IniLines)
        bytes.append(line).append("\r\n");
    return bytes;
}

void LoadSettings(TSettings& settings, const std::filesystem::path& programFolder)
{
    settings.IniFileName = ExeFolderPath(programFolder, u"Vesko3.ini");
    // A file that is missing, cannot be read to its end or is no regular file counts as empty.
    std::string bytes;
    if (ReadWholeFile(settings.IniFileName, bytes, MaxSettingsFileBytes) != TFileRead::Ok) bytes.clear();
    ParseSettings(settings, bytes);
}

bool SaveSettings(TSettings& settings)
{
    const std::string bytes = SettingsFileBytes(settings);
    settings.IniLines.clear();
    settings.IniLines.shrink_to_fit();
    // The old file is replaced only by a complete new one, so a crash or a full disk midway
    // leaves the old settings whole.
    return MaySaveTo(settings.IniFileName) && ReplaceFile(settings.IniFileName, bytes);
}
