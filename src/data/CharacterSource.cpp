#include "data/CharacterSource.h"

#include "data/CharacterFile.h"
#include "data/DataFile.h"
#include "data/DataSetSource.h"
#include "util/MyUtils.h"
#include "util/MyWideString.h"
#include "util/TextCodec.h"
#include "util/TextLines.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace {

// Readings the Buddhist texts give characters where the everyday reading differs, each as the
// Standard Korean Language Dictionary (표준국어대사전, 국립국어원) spells the word named.
constexpr TBuddhistReading BuddhistTable[] = {
    {U'婆', u'바'}, // 사바(娑婆), 바라문(婆羅門)
    {U'陀', u'다'}, // 아미타(阿彌陀), 다라니(陀羅尼)
    {U'提', u'리'}, // 보리(菩提)
    {U'布', u'보'}, // 보시(布施)
    {U'耨', u'뇩'}, // 아뇩다라삼먁삼보리(阿耨多羅三藐三菩提)
    {U'藐', u'먁'}, // 아뇩다라삼먁삼보리(阿耨多羅三藐三菩提)
    {U'訶', u'하'}, // 마하(摩訶), 사바하(娑婆訶)
    {U'荼', u'다'}, // 다비(荼毘)
    {U'埵', u'타'}, // 보리살타(菩提薩埵)
};

struct TTableEntry
{
    std::u16string Readings;
    std::u16string Gloss;
    std::u16string Meaning;
    std::u16string Radical;
    std::int32_t TotalStrokes = 0;
};

using TEntries = std::unordered_map<char32_t, TTableEntry>;

void AddReading(std::u16string& readings, char16_t syllable)
{
    if (IsHangulSyllable(syllable) && readings.find(syllable) == std::u16string::npos) readings.push_back(syllable);
}

// hanja.txt lines are "hangul:hanja:comment"; a line of one syllable and one character gives
// a reading, and its comment ("부처 불") a gloss.
void ReadHanjaTable(std::u16string_view text, TEntries& entries)
{
    for (std::u16string_view line : SplitLines(text)) {
        if (line.empty() || line[0] == u'#') continue;
        const std::size_t colon = line.find(u':');
        if (colon != 1 || line.size() < 3) continue;
        std::size_t units = 0;
        const char32_t c = CodePointAt(line, 2, units);
        if (line.size() > 2 + units && line[2 + units] != u':') continue;
        const auto found = entries.find(c);
        if (found == entries.end()) continue;
        AddReading(found->second.Readings, line[0]);
        const std::u16string_view comment = line.size() > 3 + units ? line.substr(3 + units) : std::u16string_view();
        std::u16string& gloss = found->second.Gloss;
        if (!comment.empty() && gloss.find(comment) == std::u16string::npos)
            gloss += (gloss.empty() ? u"" : u", ") + std::u16string(comment);
    }
}

std::string_view FirstToken(std::string_view value)
{
    return value.substr(0, value.find(' '));
}

// Unihan lines are "U+4F5B<TAB>kField<TAB>value"; only the fields of characters asked for are read.
void ReadUnihan(std::string_view text, TEntries& entries)
{
    for (std::string_view line : SplitLines(text)) {
        if (!line.starts_with("U+")) continue;
        const std::size_t tab = line.find('\t'), tab2 = line.find('\t', tab + 1);
        if (tab == std::string_view::npos || tab2 == std::string_view::npos) continue;
        std::uint32_t code = 0;
        if (std::from_chars(line.data() + 2, line.data() + tab, code, 16).ec != std::errc()) continue;
        const auto found = entries.find(static_cast<char32_t>(code));
        if (found == entries.end()) continue;
        const std::string_view field = line.substr(tab + 1, tab2 - tab - 1), value = line.substr(tab2 + 1);
        TTableEntry& entry = found->second;
        if (field == "kDefinition") {
            entry.Meaning = Utf8ToUtf16(value);
        } else if (field == "kRSUnicode") {
            entry.Radical = Utf8ToUtf16(FirstToken(value));
        } else if (field == "kTotalStrokes") {
            const std::string_view strokes = FirstToken(value);
            std::int32_t n = 0;
            if (std::from_chars(strokes.data(), strokes.data() + strokes.size(), n).ec == std::errc() && n > 0 &&
                n <= MaxTotalStrokes)
                entry.TotalStrokes = n;
        } else if (field == "kHangul") {
            // Each value is "syllable:sources", the values separated by spaces.
            for (std::string_view rest = value; !rest.empty();) {
                const std::u16string syllable = Utf8ToUtf16(rest.substr(0, rest.find(':')));
                if (syllable.size() == 1) AddReading(entry.Readings, syllable[0]);
                const std::size_t space = rest.find(' ');
                rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
            }
        }
    }
}

} // namespace

std::vector<char32_t> DataSetHanCharacters(const TDataSetSource& source)
{
    std::vector<bool> seen(0x110000);
    auto add = [&](std::u16string_view text) {
        for (std::size_t p = 0, units = 0; p < text.size(); p += units) {
            const char32_t c = CodePointAt(text, p, units);
            if (IsHanCharacter(c)) seen[c] = true;
        }
    };
    for (const TSourceSutta& s : source.Suttas)
        for (const std::u16string* text : {&s.HanBody, &s.HanSubject, &s.HanSummary, &s.KorBody, &s.SinsuBody})
            add(*text);
    for (const std::vector<std::u16string>& groups : source.VariantGroups)
        for (const std::u16string& group : groups)
            add(group);
    std::vector<char32_t> characters;
    for (char32_t c = 0; c < seen.size(); ++c)
        if (seen[c]) characters.push_back(c);
    return characters;
}

std::span<const TBuddhistReading> BuddhistReadings()
{
    return BuddhistTable;
}

std::vector<TCharacterInfo> BuildCharacterTable(const std::vector<char32_t>& characters, std::u16string_view hanjaText,
                                                std::string_view unihanReadings, std::string_view unihanStrokes,
                                                const std::vector<char16_t>& conversion)
{
    TEntries entries;
    for (char32_t c : characters)
        entries[c];
    // hanja.txt's readings come first, then Unihan's, then ours: AddReading keeps the first place.
    ReadHanjaTable(hanjaText, entries);
    ReadUnihan(unihanReadings, entries);
    ReadUnihan(unihanStrokes, entries);
    for (const TBuddhistReading& b : BuddhistTable)
        if (const auto found = entries.find(b.Character); found != entries.end())
            AddReading(found->second.Readings, b.Reading);

    std::vector<TCharacterInfo> table;
    table.reserve(characters.size());
    for (char32_t c : characters) {
        TTableEntry& entry = entries[c];
        TCharacterInfo info;
        info.Character = c;
        // The conversion's reading is marked, and added when no table gives it.
        const char16_t converted = c < conversion.size() ? conversion[c] : u'\0';
        if (IsHangulSyllable(converted)) {
            AddReading(entry.Readings, converted);
            info.ConversionReading = static_cast<std::int32_t>(entry.Readings.find(converted));
        }
        info.Readings = std::move(entry.Readings);
        info.Gloss = std::move(entry.Gloss);
        info.Meaning = std::move(entry.Meaning);
        info.Radical = std::move(entry.Radical);
        info.TotalStrokes = entry.TotalStrokes;
        table.push_back(std::move(info));
    }
    return table;
}

TResult AddCharacterTable(const TCharacterTables& tables, TDataSetSource& source)
{
    source.Characters.clear();
    std::string hanjaBytes, readings, strokes;
    if (TResult read = ReadTableFile(tables.HanjaTable, u"libhangul-data", hanjaBytes); !read) return read;
    std::u16string hanjaText;
    if (std::size_t line = DecodeSourceText(hanjaBytes, hanjaText); line != 0)
        return TResult::Failure(PathText(tables.HanjaTable) + u":" + DecimalText(std::int64_t(line)) +
                                u": UTF-8이 아닌 바이트가 있습니다.");
    if (TResult read = ReadTableFile(tables.UnihanReadings, u"unicode-data", readings); !read) return read;
    if (TResult read = ReadTableFile(tables.UnihanStrokes, u"unicode-data", strokes); !read) return read;
    source.Characters =
        BuildCharacterTable(DataSetHanCharacters(source), hanjaText, readings, strokes, source.Readings);
    return TResult::Success();
}
