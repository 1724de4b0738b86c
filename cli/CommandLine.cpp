#include "CommandLine.h"

#include "ToolLanguage.h"

#include "session/ProgramPaths.h"
#include "util/TextCodec.h"

#include <algorithm>
#include <cctype>

namespace {

const TToolOption* FindOption(const TCommandEntry& entry, std::string_view name)
{
    for (const TToolOption& option : entry.Options)
        if (option.Name == name) return &option;
    return nullptr;
}

std::string OptionLabel(const TToolOption& option)
{
    return option.ValueName.empty() ? option.Name : option.Name + " " + option.ValueName;
}

// Help text lines of a table: each label padded to one column, the text's further lines
// indented to it.
void AppendTable(std::string& out, const std::vector<std::pair<std::string, std::string>>& rows)
{
    std::size_t column = 0;
    for (const auto& [label, text] : rows)
        column = std::max(column, label.size());
    column = std::min<std::size_t>(2 + column, 26) + 2;
    for (const auto& [label, text] : rows) {
        std::string line = "  " + label;
        // A label too long for the column gets a line of its own.
        if (line.size() + 2 > column) {
            out += line + "\n";
            line.clear();
        }
        for (std::size_t start = 0;;) {
            const std::size_t end = text.find('\n', start);
            line.resize(column, ' ');
            out += line + text.substr(start, end == std::string::npos ? end : end - start) + "\n";
            line.clear();
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
}

} // namespace

TToolArguments::TToolArguments(const TCommandEntry& entry, std::filesystem::path programFolder)
    : Command(&entry), Folder(std::move(programFolder))
{
}

std::optional<std::string> TToolArguments::Value(std::string_view name) const
{
    for (auto given = Given.rbegin(); given != Given.rend(); ++given)
        if (given->first == name) return given->second;
    return std::nullopt;
}

bool TToolArguments::Flag(std::string_view name) const
{
    return std::any_of(Given.begin(), Given.end(), [&](const auto& given) { return given.first == name; });
}

std::optional<std::filesystem::path> TToolArguments::PathValue(std::string_view name) const
{
    // The narrow constructor keeps the bytes as they are on POSIX and reads them in the
    // active code page on Windows, which is the code page the arguments arrive in there.
    if (std::optional<std::string> value = Value(name)) return std::filesystem::path(*value);
    return std::nullopt;
}

std::filesystem::path TToolArguments::DataFolder() const
{
    return FindDataFolder(PathValue("--data"), Folder, AppDataFolders(), ReadChosenDataFolder(AppConfigFolder()));
}

TParseStatus ParseCommandLine(const std::vector<std::string>& words, TToolArguments& arguments, std::u16string& error)
{
    const TCommandEntry& entry = *arguments.Command;
    // Asking for help outranks every fault in the rest of the line.
    for (const std::string& word : words) {
        if (word == "--") break;
        if (word == "--help" || word == "-h") return TParseStatus::Help;
    }
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word == "-" || !word.starts_with('-')) {
            arguments.Words.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.starts_with("--") ? word.find('=') : std::string::npos;
        const std::string name = word.substr(0, equals);
        const TToolOption* option = FindOption(entry, name);
        if (!option) {
            error = u"알 수 없는 옵션입니다: " + Utf8ToUtf16(name);
            if (entry.MaxPositional > 0 && !word.starts_with("--")) error += u" (-로 시작하는 낱말은 -- 뒤에 두세요)";
            return TParseStatus::Failed;
        }
        std::string value;
        if (option->ValueName.empty()) {
            if (equals != std::string::npos) {
                error = Utf8ToUtf16(name) + u" 다음에는 값을 두지 않습니다: " + Utf8ToUtf16(word);
                return TParseStatus::Failed;
            }
        } else {
            if (equals != std::string::npos)
                value = word.substr(equals + 1);
            else if (i + 1 < words.size())
                value = words[++i];
            // No option has a meaning for an empty value; taking one would quietly fall
            // back to a default the user did not ask for.
            if (value.empty()) {
                error = Utf8ToUtf16(name) + u" 다음에 " + WithSubjectParticle(option->ValueNoun) + u" 있어야 합니다.";
                return TParseStatus::Failed;
            }
        }
        arguments.Given.emplace_back(name, std::move(value));
    }
    if (arguments.Words.size() > entry.MaxPositional) {
        error = u"알 수 없는 인자입니다: " + Utf8ToUtf16(arguments.Words[entry.MaxPositional]);
        return TParseStatus::Failed;
    }
    return TParseStatus::Run;
}

std::string CommandHelp(const TCommandEntry& entry)
{
    std::string summary = Localized(entry.Summary);
    if (!summary.empty()) summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
    std::string out =
        Localized("usage: vesko3-tool " + entry.Usage) + "\n\n" + summary + ".\n\n" + Localized("Options:") + "\n";
    std::vector<std::pair<std::string, std::string>> rows;
    for (const TToolOption& option : entry.Options)
        rows.emplace_back(OptionLabel(option), Localized(option.Help));
    rows.emplace_back("-h, --help", Localized("print this help and exit"));
    if (entry.MaxPositional > 0)
        rows.emplace_back("--", Localized("end the options: the words after it are arguments even when they start "
                                          "with \"-\""));
    AppendTable(out, rows);
    if (!entry.Notes.empty()) out += "\n" + Localized(entry.Notes) + "\n";
    return out;
}

std::u16string WithSubjectParticle(std::u16string_view noun)
{
    // A Hangul syllable ends in a consonant when its index from 가 is no multiple of 28.
    const bool closed =
        !noun.empty() && noun.back() >= u'가' && noun.back() <= u'힣' && (noun.back() - u'가') % 28 != 0;
    return std::u16string(noun) + (closed ? u"이" : u"가");
}
