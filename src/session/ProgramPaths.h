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

// The data folders looked in when none is named, in order: $VESKO3_DATA, the folder the
// user chose at a first start (chosen), Data beside the program and Data under each of
// appDataFolders (the user's first).
std::vector<std::filesystem::path> DataFolderCandidates(const std::filesystem::path& programFolder,
                                                        const std::vector<std::filesystem::path>& appDataFolders,
                                                        const std::optional<std::filesystem::path>& chosen);

// The first existing folder of candidates, or nothing.
std::optional<std::filesystem::path> FirstExistingFolder(const std::vector<std::filesystem::path>& candidates);

// The data folder: dataArgument when given (a named folder is used even when it is missing,
// so that the messages name it); else the first existing one of the candidates above; else
// Data in the user's own data folder (beside the program when the platform names none).
std::filesystem::path FindDataFolder(const std::optional<std::filesystem::path>& dataArgument,
                                     const std::filesystem::path& programFolder,
                                     const std::vector<std::filesystem::path>& appDataFolders,
                                     const std::optional<std::filesystem::path>& chosen = std::nullopt);

// The folder of Vesko3.ini: the program folder when the user put the program there for
// portable use, that is when Vesko3.ini or a Data folder is already beside it; else
// configFolder. Nothing is written to find out, so an installed program run by root leaves
// its folder alone.
std::filesystem::path FindSettingsFolder(const std::filesystem::path& programFolder,
                                         const std::filesystem::path& configFolder);

// The data folder chosen at a first start, kept in the user's configuration folder; nothing
// when none was chosen or the file is unreadable.
std::optional<std::filesystem::path> ReadChosenDataFolder(const std::filesystem::path& configFolder);
[[nodiscard]] bool SaveChosenDataFolder(const std::filesystem::path& configFolder, const std::filesystem::path& folder);

// The platform's data folders for this program, the user's first
// (QStandardPaths::AppDataLocation), and its configuration folder (AppConfigLocation).
std::vector<std::filesystem::path> AppDataFolders();
std::filesystem::path AppConfigFolder();

// Both folders as an installed or a portable program finds them.
TProgramPaths LocateProgramPaths(const std::optional<std::filesystem::path>& dataArgument,
                                 const std::filesystem::path& programFolder);

// The data folders such a program looks in without --data, in the order it looks.
std::vector<std::filesystem::path> DefaultDataFolderCandidates(const std::filesystem::path& programFolder);
