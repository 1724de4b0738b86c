#include "ToolCommon.h"

#include "session/ProgramPaths.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <charconv>
#include <cstdio>
#include <map>

namespace {

struct TRegistered
{
    std::string Usage;
    TCommandFunction Run;
};

std::map<std::string, TRegistered, std::less<>>& Registry()
{
    static std::map<std::string, TRegistered, std::less<>> commands;
    return commands;
}

void WriteUtf8(std::FILE* stream, std::string_view utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fputc('\n', stream);
}

} // namespace

TToolCommand::TToolCommand(std::string_view name, std::string_view usage, TCommandFunction run)
{
    Registry().emplace(std::string(name), TRegistered{std::string(usage), run});
}

TToolArguments::TToolArguments(std::vector<std::string> words, std::filesystem::path programFolder)
    : Words(std::move(words)), Claimed(Words.size(), false), Folder(std::move(programFolder))
{
}

std::optional<std::string> TToolArguments::Value(std::string_view name)
{
    for (std::size_t i = 0; i < Words.size(); ++i) {
        if (Words[i] == name) {
            Claimed[i] = true;
            if (i + 1 < Words.size()) {
                Claimed[i + 1] = true;
                return Words[i + 1];
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool TToolArguments::Flag(std::string_view name)
{
    bool found = false;
    for (std::size_t i = 0; i < Words.size(); ++i)
        if (Words[i] == name) {
            Claimed[i] = true;
            found = true;
        }
    return found;
}

void TToolArguments::Split() const
{
    PositionalWords.clear();
    for (std::size_t i = 0; i < Words.size(); ++i)
        if (!Claimed[i] && !Words[i].starts_with("--"))
            PositionalWords.push_back(Words[i]);
}

const std::vector<std::string>& TToolArguments::Positional()
{
    Split();
    return PositionalWords;
}

std::optional<std::string> TToolArguments::Unclaimed() const
{
    for (std::size_t i = 0; i < Words.size(); ++i)
        if (!Claimed[i] && Words[i].starts_with("--"))
            return Words[i];
    return std::nullopt;
}

std::filesystem::path TToolArguments::DataFolder()
{
    std::optional<std::filesystem::path> named;
    if (std::optional<std::string> data = Value("--data")) named = std::filesystem::path(Utf8ToUtf16(*data));
    return FindDataFolder(named, Folder, AppDataFolders());
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

int LoadToolData(TToolArguments& arguments, TVesko3Session& session, ILoadListener* listener)
{
    TStderrMessages messages;
    return session.LoadData(arguments.DataFolder(), messages, listener) ? ExitSuccess : ExitLoadFailed;
}

std::optional<long long> ParseInteger(std::string_view text, long long low, long long high)
{
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

int RunToolCommand(int argc, char** argv, const std::filesystem::path& programFolder)
{
    auto& commands = Registry();
    auto usage = [&] {
        PrintError(std::string_view("usage: vesko3-tool SUBCOMMAND [--data DIR] ..."));
        for (const auto& [name, command] : commands)
            PrintError("  vesko3-tool " + command.Usage);
        return int(ExitBadInput);
    };
    if (argc < 2)
        return usage();
    auto found = commands.find(std::string_view(argv[1]));
    if (found == commands.end())
        return usage();
    TToolArguments arguments(std::vector<std::string>(argv + 2, argv + argc), programFolder);
    return found->second.Run(arguments);
}
