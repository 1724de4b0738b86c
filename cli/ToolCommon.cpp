#include "ToolCommon.h"

#include "session/ProgramLicence.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <map>

namespace {

std::map<std::string, TCommandEntry, std::less<>>& Registry()
{
    static std::map<std::string, TCommandEntry, std::less<>> commands;
    return commands;
}

void WriteUtf8(std::FILE* stream, std::string_view utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fputc('\n', stream);
}

void PrintText(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// What a bare "vesko3-tool" prints on stderr.
int ShortUsage()
{
    PrintError(std::string_view("usage: vesko3-tool SUBCOMMAND [--data DIR] ..."));
    for (const auto& [name, command] : Registry())
        PrintError("  vesko3-tool " + command.Usage);
    return ExitBadInput;
}

std::string OverallHelp()
{
    std::string out = "usage: vesko3-tool SUBCOMMAND [OPTION]... [ARGUMENT]...\n"
                      "       vesko3-tool --help | --version\n\n"
                      "Make, inspect and search the data sets of vesko3 from the command line.\n\n"
                      "Subcommands:\n";
    for (const auto& [name, command] : Registry()) {
        std::string line = "  " + name;
        line.resize(12, ' ');
        out += line + command.Summary + "\n";
    }
    out += "\nOptions:\n"
           "  -h, --help  print this help, or with a subcommand its own help, and exit\n"
           "  --version   print the version and exit\n\n"
           "Options take their value as \"--name value\" or \"--name=value\"; \"--\" ends the options.\n"
           "Run \"vesko3-tool SUBCOMMAND --help\" for the options of one subcommand.\n\n"
           "Exit status: 0 success, 1 the data could not be loaded, 2 bad arguments or input.\n"
           "Messages go to standard error, in Korean.\n";
    return out;
}

int UnknownCommand(std::string_view word)
{
    const std::u16string what = word.starts_with('-') ? u"알 수 없는 옵션입니다: " : u"알 수 없는 명령입니다: ";
    PrintError(u"에러: " + what + Utf8ToUtf16(word));
    return ShortUsage();
}

int Help(const std::vector<std::string>& words)
{
    if (words.size() < 2) {
        PrintText(OverallHelp());
        return ExitSuccess;
    }
    const auto found = Registry().find(words[1]);
    if (found == Registry().end()) return UnknownCommand(words[1]);
    PrintText(CommandHelp(found->second));
    return ExitSuccess;
}

} // namespace

TToolCommand::TToolCommand(TCommandEntry entry)
{
    std::string name = entry.Name;
    Registry().emplace(std::move(name), std::move(entry));
}

TToolOption DataOption()
{
    return {"--data", "DIR", u"폴더",
            "read the data files from DIR; without it, from the first that exists of\n"
            "$VESKO3_DATA, Data beside the program and vesko3/Data in the platform's\n"
            "data folders (~/.local/share, then each of $XDG_DATA_DIRS on Linux)"};
}

void PrintLine(std::u16string_view text)
{
    WriteUtf8(stdout, Utf16ToUtf8(text));
}

void PrintLine(std::string_view utf8)
{
    WriteUtf8(stdout, utf8);
}

void PrintError(std::u16string_view text)
{
    WriteUtf8(stderr, Utf16ToUtf8(text));
}

void PrintError(std::string_view utf8)
{
    WriteUtf8(stderr, utf8);
}

void TStderrMessages::Show(const std::u16string& text, const std::u16string& caption)
{
    PrintError(caption + u": " + text);
}

int InputError(const TToolArguments& arguments, std::u16string_view text)
{
    PrintError(u"에러: " + Utf8ToUtf16(arguments.Entry().Name) + u": " + std::u16string(text));
    return ExitBadInput;
}

int ArgumentError(const TToolArguments& arguments, std::u16string_view text)
{
    InputError(arguments, text);
    PrintError("usage: vesko3-tool " + arguments.Entry().Usage);
    return ExitBadInput;
}

int LoadToolData(TToolArguments& arguments, TVesko3Session& session, ILoadListener* listener, TLoadOptions options)
{
    TStderrMessages messages;
    return session.LoadData(arguments.DataFolder(), messages, listener, options) ? ExitSuccess : ExitLoadFailed;
}

std::optional<long long> ParseInteger(std::string_view text, long long low, long long high)
{
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<int> ParseChoice(std::string_view text, std::span<const std::u16string_view> names)
{
    if (std::optional<long long> number = ParseInteger(text, 0, static_cast<long long>(names.size()) - 1))
        return static_cast<int>(*number);
    const std::u16string name = Utf8ToUtf16(text);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<int>(i);
    return std::nullopt;
}

std::string ChoiceList(std::span<const std::u16string_view> names)
{
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i == 0 ? "" : ", ") + std::to_string(i) + " " + Utf16ToUtf8(names[i]);
    return out;
}

std::u16string ChoiceError(std::u16string_view what, std::string_view given, std::span<const std::u16string_view> names)
{
    return u"알 수 없는 " + std::u16string(what) + u"입니다: " + Utf8ToUtf16(given) + u" (" +
           Utf8ToUtf16(ChoiceList(names)) + u")";
}

int RunToolCommand(int argc, char** argv, const std::filesystem::path& programFolder)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) return ShortUsage();
    const std::string& first = words.front();
    if (first == "--help" || first == "-h" || first == "help") return Help(words);
    if (first == "--version") {
        PrintText(VersionText("vesko3-tool", VESKO3_VERSION));
        return ExitSuccess;
    }
    const auto found = Registry().find(first);
    if (found == Registry().end()) return UnknownCommand(first);

    const TCommandEntry& entry = found->second;
    TToolArguments arguments(entry, programFolder);
    std::u16string error;
    switch (ParseCommandLine(std::vector<std::string>(words.begin() + 1, words.end()), arguments, error)) {
    case TParseStatus::Help:
        PrintText(CommandHelp(entry));
        return ExitSuccess;
    case TParseStatus::Failed:
        return ArgumentError(arguments, error);
    case TParseStatus::Run:
        break;
    }
    // The last guard of "never abort": what escapes the core (a path the standard library
    // cannot convert for a message, memory running out) ends the run with a message.
    try {
        return entry.Run(arguments);
    } catch (const std::exception& exception) {
        std::fflush(stdout);
        return InputError(arguments, u"처리를 마칠 수 없습니다: " + Utf8ToUtf16(exception.what()));
    }
}
