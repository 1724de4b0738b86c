#include "session/ProgramPaths.h"

#include "util/Files.h"
#include "util/MyUtils.h"

#include <QStandardPaths>
#include <QString>

namespace {

std::filesystem::path PathOf(const QString& text)
{
    return std::filesystem::path(text.toStdU16String());
}

bool IsFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool Exists(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// The file in the user's configuration folder that names the chosen data folder.
constexpr std::u16string_view ChosenDataFolderFile = u"data-folder";

} // namespace

TProgramPaths::TProgramPaths(const std::filesystem::path& programFolder)
    : DataFolder(ExeFolderPath(programFolder, u"Data")), SettingsFolder(programFolder)
{
}

TProgramPaths::TProgramPaths(std::filesystem::path dataFolder, std::filesystem::path settingsFolder)
    : DataFolder(std::move(dataFolder)), SettingsFolder(std::move(settingsFolder))
{
}

std::vector<std::filesystem::path> DataFolderCandidates(const std::filesystem::path& programFolder,
                                                        const std::vector<std::filesystem::path>& appDataFolders,
                                                        const std::optional<std::filesystem::path>& chosen)
{
    std::vector<std::filesystem::path> candidates;
    if (const QString named = qEnvironmentVariable(DataFolderVariable); !named.isEmpty())
        candidates.push_back(PathOf(named));
    if (chosen) candidates.push_back(*chosen);
    candidates.push_back(ExeFolderPath(programFolder, u"Data"));
    for (const std::filesystem::path& folder : appDataFolders)
        candidates.push_back(ExeFolderPath(folder, u"Data"));
    return candidates;
}

std::optional<std::filesystem::path> FirstExistingFolder(const std::vector<std::filesystem::path>& candidates)
{
    for (const std::filesystem::path& folder : candidates)
        if (IsFolder(folder)) return folder;
    return std::nullopt;
}

std::filesystem::path FindDataFolder(const std::optional<std::filesystem::path>& dataArgument,
                                     const std::filesystem::path& programFolder,
                                     const std::vector<std::filesystem::path>& appDataFolders,
                                     const std::optional<std::filesystem::path>& chosen)
{
    if (dataArgument) return *dataArgument;
    if (auto found = FirstExistingFolder(DataFolderCandidates(programFolder, appDataFolders, chosen))) return *found;
    // None exists: the messages then name where a user's data belong.
    if (appDataFolders.empty()) return ExeFolderPath(programFolder, u"Data");
    return ExeFolderPath(appDataFolders.front(), u"Data");
}

std::filesystem::path FindSettingsFolder(const std::filesystem::path& programFolder,
                                         const std::filesystem::path& configFolder)
{
    const bool portable =
        Exists(ExeFolderPath(programFolder, u"Vesko3.ini")) || IsFolder(ExeFolderPath(programFolder, u"Data"));
    return portable ? programFolder : configFolder;
}

std::optional<std::filesystem::path> ReadChosenDataFolder(const std::filesystem::path& configFolder)
{
    std::string bytes;
    if (ReadWholeFile(configFolder / std::filesystem::path(std::u16string(ChosenDataFolderFile)), bytes, 64 * 1024) !=
        TFileRead::Ok)
        return std::nullopt;
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r'))
        bytes.pop_back();
    if (bytes.empty()) return std::nullopt;
    return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
}

bool SaveChosenDataFolder(const std::filesystem::path& configFolder, const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(configFolder, error);
    const std::u8string text = folder.u8string() + u8"\n";
    return ReplaceFile(configFolder / std::filesystem::path(std::u16string(ChosenDataFolderFile)),
                       std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

std::vector<std::filesystem::path> AppDataFolders()
{
    std::vector<std::filesystem::path> folders;
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        folders.push_back(PathOf(folder));
    return folders;
}

std::filesystem::path AppConfigFolder()
{
    return PathOf(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

TProgramPaths LocateProgramPaths(const std::optional<std::filesystem::path>& dataArgument,
                                 const std::filesystem::path& programFolder)
{
    const std::filesystem::path config = AppConfigFolder();
    return {FindDataFolder(dataArgument, programFolder, AppDataFolders(), ReadChosenDataFolder(config)),
            FindSettingsFolder(programFolder, config)};
}

std::vector<std::filesystem::path> DefaultDataFolderCandidates(const std::filesystem::path& programFolder)
{
    return DataFolderCandidates(programFolder, AppDataFolders(), ReadChosenDataFolder(AppConfigFolder()));
}
