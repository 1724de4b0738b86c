#include "session/ProgramPaths.h"

#include "util/MyUtils.h"

#include <QStandardPaths>
#include <QString>
#include <QTemporaryFile>

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

// Making a file is the one test that holds everywhere: permission bits do not tell it on
// Windows, nor for root, nor on a read-only mount.
bool CanMakeFileIn(const std::filesystem::path& folder)
{
    QTemporaryFile probe(QString::fromStdU16String((folder / "Vesko3-probe").u16string()));
    return probe.open();
}

} // namespace

TProgramPaths::TProgramPaths(const std::filesystem::path& programFolder)
    : DataFolder(ExeFolderPath(programFolder, u"Data")), SettingsFolder(programFolder)
{
}

TProgramPaths::TProgramPaths(std::filesystem::path dataFolder, std::filesystem::path settingsFolder)
    : DataFolder(std::move(dataFolder)), SettingsFolder(std::move(settingsFolder))
{
}

std::filesystem::path FindDataFolder(const std::optional<std::filesystem::path>& dataArgument,
                                     const std::filesystem::path& programFolder,
                                     const std::vector<std::filesystem::path>& appDataFolders)
{
    if (dataArgument) return *dataArgument;
    const std::filesystem::path besideProgram = ExeFolderPath(programFolder, u"Data");
    std::vector<std::filesystem::path> candidates;
    if (const QString named = qEnvironmentVariable(DataFolderVariable); !named.isEmpty())
        candidates.push_back(PathOf(named));
    candidates.push_back(besideProgram);
    for (const std::filesystem::path& folder : appDataFolders)
        candidates.push_back(ExeFolderPath(folder, u"Data"));
    for (const std::filesystem::path& folder : candidates)
        if (IsFolder(folder)) return folder;
    // None exists: the messages then name where the data belong, beside a portable program,
    // else in the user's own data folder.
    if (appDataFolders.empty() || CanMakeFileIn(programFolder)) return besideProgram;
    return ExeFolderPath(appDataFolders.front(), u"Data");
}

std::filesystem::path FindSettingsFolder(const std::filesystem::path& programFolder,
                                         const std::filesystem::path& configFolder)
{
    std::error_code error;
    if (std::filesystem::exists(ExeFolderPath(programFolder, u"Vesko3.ini"), error)) return programFolder;
    return CanMakeFileIn(programFolder) ? programFolder : configFolder;
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
    return {FindDataFolder(dataArgument, programFolder, AppDataFolders()),
            FindSettingsFolder(programFolder, AppConfigFolder())};
}
