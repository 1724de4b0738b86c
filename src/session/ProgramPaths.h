#pragma once

// Where the program finds its Data folder and keeps Vesko3.ini: beside the executable for
// portable use, else where the platform keeps each program's data and configuration.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

// The program's name for the platform's per-program folders (QCoreApplication's
// application name): ~/.local/share/vesko3, ~/.config/vesko3 and so on.
inline constexpr std::u16string_view ProgramName = u"vesko3";

// The environment variable that names a data folder.
inline constexpr char DataFolderVariable[] = "VESKO3_DATA";

struct TProgramPaths
{
    // The portable layout, Data and Vesko3.ini both beside the program; tests stand a
    // temporary folder in for the program's.
    TProgramPaths(const std::filesystem::path& programFolder);
    TProgramPaths(std::filesystem::path dataFolder, std::filesystem::path settingsFolder);

    std::filesystem::path DataFolder;
    std::filesystem::path SettingsFolder; // holds Vesko3.ini; may not exist before the first save
};

// The data folder: dataArgument when given (a named folder is used even when it is missing,
// so that the messages name it); else the first existing one of $VESKO3_DATA, Data beside
// the program and Data under each of appDataFolders (the user's first); else Data beside the
// program when a file can be made there (portable use), or Data in the user's folder.
std::filesystem::path FindDataFolder(const std::optional<std::filesystem::path>& dataArgument,
                                     const std::filesystem::path& programFolder,
                                     const std::vector<std::filesystem::path>& appDataFolders);

// The folder of Vesko3.ini: the program folder when the file is there or a file can be
// made there; else configFolder.
std::filesystem::path FindSettingsFolder(const std::filesystem::path& programFolder,
                                         const std::filesystem::path& configFolder);

// The platform's data folders for this program, the user's first
// (QStandardPaths::AppDataLocation), and its configuration folder (AppConfigLocation).
std::vector<std::filesystem::path> AppDataFolders();
std::filesystem::path AppConfigFolder();

// Both folders as an installed or a portable program finds them.
TProgramPaths LocateProgramPaths(const std::optional<std::filesystem::path>& dataArgument,
                                 const std::filesystem::path& programFolder);
