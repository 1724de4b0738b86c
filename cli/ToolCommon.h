#pragma once

// Shared pieces of vesko3-tool: the subcommand registry, argument access, UTF-8 output and
// loading the data set with the loaders' messages on standard error.

#include "CommandLine.h"

#include "data/DataFile.h"
#include "search/SearchWords.h"
#include "session/Vesko3Session.h"
#include "util/Messages.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum TExitCode
{
    ExitSuccess = 0,
    ExitLoadFailed = 1,
    ExitBadInput = 2,
    ExitOutputFailed = 1, // a write to standard output failed: the output is not whole
};

// A subcommand registers itself from its own file: static const TToolCommand x{entry};
struct TToolCommand
{
    explicit TToolCommand(TCommandEntry entry);
};

// --data DIR, which every subcommand that loads a data set takes.
TToolOption DataOption();

// Writes bytes to standard output. Every write of the tool's output goes through here: a write
// that fails ends the run with ExitOutputFailed and "vesko3-tool: 출력을 쓸 수 없습니다:
// REASON", after the final flush too, so that a script never takes cut output for whole.
void WriteOutput(std::string_view bytes);
// Writes text as UTF-8 to standard output, then "\n".
void PrintLine(std::u16string_view text);
void PrintLine(std::string_view utf8);
// Writes text as UTF-8 to standard error, then "\n".
void PrintError(std::u16string_view text);
void PrintError(std::string_view utf8);

// Every message of the tool on standard error goes through here: "vesko3-tool: ", for a
// fault of a subcommand its name and ": ", then the text in the locale's language on one
// line ending in LF.
void PrintToolError(std::u16string_view text, std::string_view command = {});
// text with its line breaks made spaces; the window's "text.<CR LF CR LF>path" reads "text: path".
std::u16string OneLineMessage(std::u16string_view text);

// Messages of the core on standard error as the tool's own (the caption is the window's).
class TStderrMessages : public IMessages
{
public:
    void Show(const std::u16string& text, const std::u16string& caption) override;
};

// "vesko3-tool: SUBCOMMAND: text" on stderr, and after it for a fault in the arguments the
// subcommand's usage line and where its help is; both return ExitBadInput. The tool's own
// messages are written in Korean, its help in English; ToolLanguage turns either into the
// locale's language.
int ArgumentError(const TToolArguments& arguments, std::u16string_view text);
int InputError(const TToolArguments& arguments, std::u16string_view text);
// The catalogue number argument, 1-based; nullopt after the message when it is no number.
std::optional<std::int32_t> SutraNumberArgument(const TToolArguments& arguments, const std::string& word);
// Whether number names a sutra of the loaded catalogue; the message when it does not.
bool InCatalogue(const TToolArguments& arguments, const TVesko3Session& session, std::int32_t number);

// Loads the session from --data (or the default folder) as the window does, making what
// options ask for. Returns ExitSuccess, or ExitLoadFailed after the messages went to stderr.
// The name order is left to the one command that prints it, which makes it as it reads it.
// The texts are used in place from the files; RunToolCommand reports a file changed meanwhile.
int LoadToolData(TToolArguments& arguments, TVesko3Session& session, ILoadListener* listener = nullptr,
                 TLoadOptions options = {.NameOrder = false, .MapTexts = true});

// Runs the subcommand named by argv[1]; prints the usage and returns ExitBadInput for none.
// Answers --help, -h, "help [SUBCOMMAND]" and --version itself.
int RunToolCommand(int argc, char** argv, const std::filesystem::path& programFolder);

// Parses a decimal integer argument; nullopt when the text is not one or lies outside [low, high].
std::optional<long long> ParseInteger(std::string_view text, long long low, long long high);

// The choices of the search tab's two lists, as the window names them; the index is the
// number the options take.

// The index of a choice given by its number or its name.
std::optional<int> ParseChoice(std::string_view text, std::span<const std::u16string_view> names);
// "0 name, 1 name, ..." for the help.
std::string ChoiceList(std::span<const std::u16string_view> names);
// The message for a choice that is neither: "알 수 없는 WHAT입니다: GIVEN (0 name, ...)".
std::u16string ChoiceError(std::u16string_view what, std::string_view given,
                           std::span<const std::u16string_view> names);
