#pragma once

// The command line of one subcommand: the options it declares, read the conventional way
// ("--name value" or "--name=value", "--" ending the options, -h or --help anywhere before
// it), and the help text made from the same declarations, so the two cannot drift apart.

#include <cstddef>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TToolOption
{
    std::string Name;         // "--canon"
    std::string ValueName;    // "C" in the help; empty for an option that takes no value
    std::u16string ValueNoun; // what a missing value is called in the message: u"폴더"
    std::string Help;         // '\n' starts a further line
};

class TToolArguments;
using TCommandFunction = int (*)(TToolArguments& arguments);

inline constexpr std::size_t AnyNumber = std::numeric_limits<std::size_t>::max();

struct TCommandEntry
{
    std::string Name;
    std::string Usage;   // the synopsis after "vesko3-tool "
    std::string Summary; // its line in the overall help
    std::vector<TToolOption> Options;
    std::size_t MaxPositional = 0;
    std::string Notes; // paragraphs after the options in the help
    TCommandFunction Run = nullptr;
};

enum class TParseStatus
{
    Run,
    Help,
    Failed,
};

// The options and words given to one subcommand, as ParseCommandLine found them.
class TToolArguments
{
public:
    TToolArguments(const TCommandEntry& entry, std::filesystem::path programFolder);

    const TCommandEntry& Entry() const { return *Command; }
    // The value of the last occurrence of an option that takes one.
    std::optional<std::string> Value(std::string_view name) const;
    bool Flag(std::string_view name) const;
    // The value made into a path from the argument's own bytes: a name that is not UTF-8
    // must reach the file system unchanged.
    std::optional<std::filesystem::path> PathValue(std::string_view name) const;
    const std::vector<std::string>& Positional() const { return Words; }

    const std::filesystem::path& ProgramFolder() const { return Folder; }
    // --data DIR, or the first existing of $VESKO3_DATA, the folder chosen at the window's
    // first start, the Data folder beside the program and the Data folder in each of the
    // platform's data folders for the program.
    std::filesystem::path DataFolder() const;

private:
    friend TParseStatus ParseCommandLine(const std::vector<std::string>& words, TToolArguments& arguments,
                                         std::u16string& error);
    const TCommandEntry* Command;
    std::vector<std::pair<std::string, std::string>> Given; // name and value, in order
    std::vector<std::string> Words;
    std::filesystem::path Folder;
};

// Reads words (those after the subcommand) into arguments as its entry declares them. Failed
// leaves the reason in error, in Korean and without the subcommand's name.
TParseStatus ParseCommandLine(const std::vector<std::string>& words, TToolArguments& arguments, std::u16string& error);

// "usage: ...", the summary, each option with its help, and the notes.
std::string CommandHelp(const TCommandEntry& entry);

// noun followed by 이 or 가 as its last syllable asks; 가 after anything but Hangul.
std::u16string WithSubjectParticle(std::u16string_view noun);
