#pragma once

// Shared pieces of vesko3-tool: the subcommand registry, argument access, UTF-8 output and
// loading the data set with the loaders' messages on standard error.

#include "data/DataFile.h"
#include "session/Vesko3Session.h"
#include "util/Messages.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum TExitCode
{
    ExitSuccess = 0,
    ExitLoadFailed = 1,
    ExitBadInput = 2,
};

// The words after the subcommand. Options are "--name value" or "--name"; everything else
// is positional, in order.
class TToolArguments
{
public:
    TToolArguments(std::vector<std::string> words, std::filesystem::path programFolder);

    // Declares an option that takes a value, so that the word after it is not positional.
    std::optional<std::string> Value(std::string_view name);
    bool Flag(std::string_view name);
    const std::vector<std::string>& Positional();
    // The first word that no Value or Flag call claimed and that is not positional, if any.
    std::optional<std::string> Unclaimed() const;

    const std::filesystem::path& ProgramFolder() const { return Folder; }
    // --data DIR, or the first existing of $VESKO3_DATA, the Data folder beside the program
    // and the Data folder in each of the platform's data folders for the program.
    std::filesystem::path DataFolder();

private:
    void Split() const;
    std::vector<std::string> Words;
    std::vector<bool> Claimed;
    mutable std::vector<std::string> PositionalWords;
    std::filesystem::path Folder;
};

using TCommandFunction = int (*)(TToolArguments& arguments);

// A subcommand registers itself from its own file: static const TToolCommand x{...};
struct TToolCommand
{
    TToolCommand(std::string_view name, std::string_view usage, TCommandFunction run);
};

// Writes text as UTF-8 to standard output, then "\n".
void PrintLine(std::u16string_view text);
void PrintLine(std::string_view utf8);
// Writes text as UTF-8 to standard error, then "\n".
void PrintError(std::u16string_view text);
void PrintError(std::string_view utf8);

// Messages of the core on standard error as "caption: text".
class TStderrMessages : public IMessages
{
public:
    void Show(const std::u16string& text, const std::u16string& caption) override;
};

// Loads the session from --data (or the default folder) as the window does. Returns
// ExitSuccess, or ExitLoadFailed after the messages went to stderr.
int LoadToolData(TToolArguments& arguments, TVesko3Session& session, ILoadListener* listener = nullptr);

// Runs the subcommand named by argv[1]; prints the usage and returns ExitBadInput for none.
int RunToolCommand(int argc, char** argv, const std::filesystem::path& programFolder);

// Parses a decimal integer argument; nullopt when the text is not one or lies outside [low, high].
std::optional<long long> ParseInteger(std::string_view text, long long low, long long high);
