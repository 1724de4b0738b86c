#include "session/Settings.h"

#include "util/MyUtils.h"

#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <exception>
#include <fstream>
#include <optional>
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
    {"HangeulFontSize", &TSettings::HangeulFontSize, 2},
    {"HanmoonFontSize", &TSettings::HanmoonFontSize, 2},
    {"SearchFontSize", &TSettings::SearchFontSize, 2},
    {"Transparent", &TSettings::Transparent, 2},
    {"FullScreen", &TSettings::FullScreen, 1},
    {"ColorIndex", &TSettings::ColorIndex, 10},
    {"CopyTarget", &TSettings::CopyTarget, 1},
};

// The whole file, or nothing when it is missing or cannot be read to its end.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return bytes;
}

// CR LF, a lone CR and a lone LF each end a line; a break at the very end opens no new line.
std::vector<std::string> SplitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

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

} // namespace

void LoadSettings(TSettings& settings, const std::filesystem::path& programFolder)
{
    settings.IniFileName = ExeFolderPath(programFolder, u"Vesko3.ini");
    settings.IniLines.clear();
    if (std::optional<std::string> bytes = ReadWholeFile(settings.IniFileName))
        settings.IniLines = SplitLines(*bytes);

    for (const TSettingKey& key : SettingKeys) {
        std::int32_t value = 0;
        auto line = FindKeyLine(settings.IniLines, key.Name);
        if (line != settings.IniLines.end())
            value = ValueNumber(std::string_view(*line).substr(line->find('=') + 1));
        settings.*key.Field = std::clamp(value, 0, key.Maximum);
    }
}

bool SaveSettings(TSettings& settings)
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
    settings.IniLines.clear();
    settings.IniLines.shrink_to_fit();

    // The new text goes to a file beside the old one that replaces it only once complete, so
    // a crash or a full disk midway leaves the old settings whole.
    QString fileName;
    try {
        fileName = QString::fromStdU16String(settings.IniFileName.u16string());
    } catch (const std::exception&) {
        return false; // a name the platform cannot spell is a failed write like any other
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() loses an error of the final flush and would rename a cut-off file into
    // place, so the flush is checked here.
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
