#include "ToolCommon.h"

#include "ToolLanguage.h"

#include "session/ProgramLicence.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <exception>
#include <map>
#include <system_error>

namespace {

std::map<std::string, TCommandEntry, std::less<>>& Registry()
{
    static std::map<std::string, TCommandEntry, std::less<>> commands;
    return commands;
}

// A failed write to standard output, carried up to RunToolCommand; no std::exception, so that
// the command's own last guard lets it through.
struct TOutputFailure
{
    int Error = 0;
};

// What fails on standard error is not reported anywhere: there is nowhere left to report it.
void WriteError(std::string_view utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fputc('\n', stderr);
}

void PrintText(std::string_view text)
{
    WriteOutput(text);
}

// Flushes standard output; a full disk or a closed descriptor often shows only here.
void FlushOutput()
{
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) throw TOutputFailure{errno};
}

int OutputError(int error)
{
    // The reason of the first failed write; a stream already marked failed may leave none.
    const std::string reason = std::generic_category().message(error != 0 ? error : EIO);
    PrintToolError(u"출력을 쓸 수 없습니다: " + Utf8ToUtf16(reason));
    return ExitOutputFailed;
}

// The two lines after a fault in the arguments: the usage line and where the help is.
void PrintUsageHint(std::string_view command, std::string_view usage)
{
    PrintError(Localized("usage: vesko3-tool " + std::string(usage)));
    PrintError(Localized(u"'vesko3-tool" + Utf8ToUtf16(command.empty() ? "" : " " + std::string(command)) +
                         u" --help' 를 보십시오."));
}

// What a bare "vesko3-tool" or an unknown subcommand gets.
int NoCommand(std::u16string_view text)
{
    PrintToolError(text);
    PrintUsageHint("", "SUBCOMMAND [OPTION]... [ARGUMENT]...");
    return ExitBadInput;
}

std::string OverallHelp()
{
    std::string out = Localized("usage: vesko3-tool SUBCOMMAND [OPTION]... [ARGUMENT]...") + "\n" +
                      std::string(ToolSpeaksKorean() ? 8 : 7, ' ') + "vesko3-tool --help | --version\n\n" +
                      Localized("Make, inspect and search the data sets of vesko3 from the command line.") + "\n\n" +
                      Localized("Subcommands:") + "\n";
    for (const auto& [name, command] : Registry()) {
        std::string line = "  " + name;
        line.resize(12, ' ');
        out += line + Localized(command.Summary) + "\n";
    }
    out += "\n" + Localized("Options:") + "\n";
    out += "  -h, --help  " + Localized("print this help, or with a subcommand its own help, and exit") + "\n";
    out += "  --version   " + Localized("print the version and exit") + "\n\n";
    for (const char* note :
         {"Options take their value as \"--name value\" or \"--name=value\"; \"--\" ends the options.",
          "Run \"vesko3-tool SUBCOMMAND --help\" for the options of one subcommand.", "",
          "Exit status: 0 success, 1 the data could not be loaded or the output could not be written,\n"
          "2 bad arguments or input.",
          "Messages go to standard error, in the language of the locale (Korean under a Korean locale,\n"
          "English otherwise)."})
        out += (*note ? Localized(note) : std::string()) + "\n";
    return out;
}

int UnknownCommand(std::string_view word)
{
    const std::u16string what = word.starts_with('-') ? u"알 수 없는 옵션입니다: " : u"알 수 없는 명령입니다: ";
    return NoCommand(what + Utf8ToUtf16(word));
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
            "$VESKO3_DATA, the folder chosen at the reader's first start, Data beside the\n"
            "program and vesko3/Data in the platform's data folders (~/.local/share, then\n"
            "each of $XDG_DATA_DIRS on Linux)"};
}

void WriteOutput(std::string_view bytes)
{
    if (bytes.empty()) return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) throw TOutputFailure{errno};
}

void PrintLine(std::u16string_view text)
{
    PrintLine(std::string_view(Utf16ToUtf8(text)));
}

void PrintLine(std::string_view utf8)
{
    WriteOutput(utf8);
    WriteOutput("\n");
}

void PrintError(std::u16string_view text)
{
    WriteError(Utf16ToUtf8(text));
}

void PrintError(std::string_view utf8)
{
    WriteError(utf8);
}

std::u16string OneLineMessage(std::u16string_view text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n') {
            out.push_back(c);
            continue;
        }
        // A break ends a run of breaks; the window's "text.<CR LF CR LF>path" reads "text: path".
        while (i + 1 < text.size() && (text[i + 1] == u'\r' || text[i + 1] == u'\n'))
            ++i;
        if (i + 1 == text.size()) break;
        if (!out.empty() && out.back() == u'.') {
            out.back() = u':';
            out.push_back(u' ');
        } else if (!out.empty() && out.back() != u' ') {
            out.push_back(u' ');
        }
    }
    return out;
}

void PrintToolError(std::u16string_view text, std::string_view command)
{
    std::u16string line = u"vesko3-tool: ";
    if (!command.empty()) line += Utf8ToUtf16(command) + u": ";
    PrintError(line + Localized(std::u16string_view(OneLineMessage(text))));
}

void TStderrMessages::Show(const std::u16string& text, const std::u16string& caption)
{
    PrintToolError(text);
}

int InputError(const TToolArguments& arguments, std::u16string_view text)
{
    PrintToolError(text, arguments.Entry().Name);
    return ExitBadInput;
}

int ArgumentError(const TToolArguments& arguments, std::u16string_view text)
{
    InputError(arguments, text);
    PrintUsageHint(arguments.Entry().Name, arguments.Entry().Usage);
    return ExitBadInput;
}

// The catalogue number argument, 1-based; nullopt after the message when it is no number.
std::optional<std::int32_t> SutraNumberArgument(const TToolArguments& arguments, const std::string& word)
{
    const std::optional<long long> number = ParseInteger(word, 1, MaxSuttaCount);
    if (!number)
        ArgumentError(arguments,
                      u"경전 번호는 1에서 " + DecimalText(MaxSuttaCount) + u" 사이여야 합니다: " + Utf8ToUtf16(word));
    return number ? std::optional<std::int32_t>(static_cast<std::int32_t>(*number)) : std::nullopt;
}

// Whether number names a sutra of the loaded catalogue; the message when it does not.
bool InCatalogue(const TToolArguments& arguments, const TVesko3Session& session, std::int32_t number)
{
    const std::int32_t count = session.Data.TextFiles[0].SuttaTable.Count;
    if (number <= count) return true;
    InputError(arguments,
               DecimalText(number) + u"번 경전이 없습니다. 목록의 경전은 " + DecimalText(count) + u"개입니다.");
    return false;
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

namespace {

// A data file used in place that changed while the command ran: whatever it printed may
// come from text that was never checked, so the run fails as a load whose file could not be
// read, with that message.
int DataStayedAsLoaded(int status)
{
    const std::optional<std::filesystem::path> changed = TakeChangedMappedFile();
    if (!changed) return status;
    std::fflush(stdout);
    TStderrMessages().Show(DataFileMessage(TDataFileStatus::Unreadable) + PathText(*changed),
                           std::u16string(DataErrorCaption));
    return ExitLoadFailed;
}

int RunCommandLine(int argc, char** argv, const std::filesystem::path& programFolder)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) return NoCommand(u"명령이 없습니다.");
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
        return DataStayedAsLoaded(entry.Run(arguments));
    } catch (const std::exception& exception) {
        std::fflush(stdout);
        return InputError(arguments, u"처리를 마칠 수 없습니다: " + Utf8ToUtf16(exception.what()));
    }
}

} // namespace

int RunToolCommand(int argc, char** argv, const std::filesystem::path& programFolder)
{
    try {
        const int code = RunCommandLine(argc, argv, programFolder);
        FlushOutput();
        return code;
    } catch (const TOutputFailure& failure) {
        return OutputError(failure.Error);
    }
}
