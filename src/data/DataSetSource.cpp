#include "data/DataSetSource.h"

#include "data/DataFile.h"
#include "data/ParallelSource.h"
#include "data/Vesko3Common.h"
#include "util/Files.h"
#include "util/MyUtils.h"
#include "util/MyWideString.h"
#include "util/TextCodec.h"
#include "util/TextLines.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr std::int32_t MaxBmpUnit = 0xFFFF;

TResult At(const std::filesystem::path& path, std::size_t line, std::u16string_view message)
{
    return TResult::Failure(PathText(path) + u":" + DecimalText(static_cast<std::int64_t>(line)) + u": " +
                            std::u16string(message));
}

TResult AtFile(const std::filesystem::path& path, std::u16string_view message)
{
    return TResult::Failure(PathText(path) + u": " + std::u16string(message));
}

// A UTF-8 character of three bytes is one UTF-16 unit, and none decodes to fewer units per
// byte, so a source file of more bytes than this cannot fit in a data file's text area.
constexpr std::uint64_t MaxSourceFileBytes = 3 * static_cast<std::uint64_t>(MaxTextAreaUnits);

// Reads and decodes one source file; a missing file is an error unless optional.
TResult ReadText(const std::filesystem::path& path, bool optional, std::string& bytes, std::u16string& text)
{
    switch (ReadWholeFile(path, bytes, MaxSourceFileBytes)) {
    case TFileRead::Ok:
        break;
    case TFileRead::Missing:
        if (optional) {
            text.clear();
            return TResult::Success();
        }
        return AtFile(path, u"파일이 없습니다.");
    case TFileRead::Unreadable:
        return AtFile(path, u"파일을 읽을 수 없습니다.");
    case TFileRead::TooLarge:
        return AtFile(path, TooLargeForDataFileText());
    }
    if (std::size_t line = DecodeSourceText(bytes, text); line != 0)
        return At(path, line, u"UTF-8이 아닌 바이트가 있습니다.");
    return TResult::Success();
}

// The lines of a decoded table file, each with its 1-based line number; blank lines left out.
struct TLine
{
    std::size_t Number;
    std::u16string_view Text;
};

std::vector<TLine> TableLines(std::u16string_view text)
{
    std::vector<TLine> lines;
    std::size_t number = 0;
    for (std::u16string_view line : SplitLines(text)) {
        ++number;
        if (!line.empty()) lines.push_back({number, line});
    }
    return lines;
}

std::vector<std::u16string_view> SplitFields(std::u16string_view line, char16_t separator)
{
    std::vector<std::u16string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        if (end == std::u16string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

// A plain decimal number of at most 9 digits; -1 for anything else.
std::int32_t ParseNumber(std::u16string_view text)
{
    if (text.empty() || text.size() > 9) return -1;
    std::int32_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The one code point of text: a BMP unit, a code point above the BMP, or -1 when text is not one character.
std::int32_t SingleCodePoint(std::u16string_view text)
{
    if (text.size() == 1 && !IsSurrogate(text[0])) return text[0];
    if (text.size() == 2 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]))
        return 0x10000 + ((text[0] - 0xD800) << 10) + (text[1] - 0xDC00);
    return -1;
}

TResult CheckNameField(const std::filesystem::path& path, std::size_t line, std::u16string_view text,
                       std::u16string_view what)
{
    if (text.size() > NameUnits)
        return At(path, line, std::u16string(what) + u"이 " + DecimalText(NameUnits) + u"자(UTF-16 단위)를 넘습니다.");
    if (text.find(u'\0') != std::u16string_view::npos)
        return At(path, line, std::u16string(what) + u"에 0 글자가 있습니다.");
    return TResult::Success();
}

TResult ReadCatalogue(const std::filesystem::path& folder, std::string& bytes, TDataSetSource& source)
{
    const std::filesystem::path path = folder / "catalogue.tsv";
    std::u16string text;
    if (TResult read = ReadText(path, false, bytes, text); !read) return read;
    const std::vector<TLine> lines = TableLines(text);
    if (lines.empty() || lines[0].Number != 1) return At(path, 1, u"머리글 줄이 없습니다.");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const TLine& line = lines[i];
        const std::vector<std::u16string_view> fields = SplitFields(line.Text, u'\t');
        if (fields.size() < 4) return At(path, line.Number, u"번호, 분류, 제목, 이름 네 칸이 있어야 합니다.");
        const std::int32_t expected = static_cast<std::int32_t>(source.Suttas.size()) + 1;
        if (expected > MaxSuttaCount)
            return At(path, line.Number, u"경전은 " + DecimalText(MaxSuttaCount) + u"개까지입니다.");
        if (ParseNumber(fields[0]) != expected)
            return At(path, line.Number, u"번호가 " + DecimalText(expected) + u"이어야 합니다.");
        const std::int32_t kind = ParseNumber(fields[1]);
        if (kind < 1 || kind >= KindSlots)
            return At(path, line.Number, u"분류는 1에서 " + DecimalText(KindSlots - 1) + u" 사이여야 합니다.");
        if (TResult title = CheckNameField(path, line.Number, fields[2], u"제목"); !title) return title;
        if (TResult name = CheckNameField(path, line.Number, fields[3], u"이름"); !name) return name;
        TSourceSutta sutta;
        sutta.Kind = kind;
        sutta.Title = fields[2];
        sutta.Name = fields[3];
        source.Suttas.push_back(std::move(sutta));
    }
    return TResult::Success();
}

TResult ReadSubjects(const std::filesystem::path& folder, std::string& bytes, TDataSetSource& source)
{
    const std::filesystem::path path = folder / "subjects.tsv";
    std::u16string text;
    if (TResult read = ReadText(path, false, bytes, text); !read) return read;
    const std::vector<TLine> lines = TableLines(text);
    if (lines.empty() || lines[0].Number != 1) return At(path, 1, u"머리글 줄이 없습니다.");
    const std::int32_t count = static_cast<std::int32_t>(source.Suttas.size());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const TLine& line = lines[i];
        const std::vector<std::u16string_view> fields = SplitFields(line.Text, u'\t');
        if (fields.size() != 2) return At(path, line.Number, u"주제와 경전 번호 두 칸이 있어야 합니다.");
        if (TResult name = CheckNameField(path, line.Number, fields[0], u"주제 이름"); !name) return name;
        if (source.Subjects.size() == MaxJoojeCount)
            return At(path, line.Number, u"주제는 " + DecimalText(MaxJoojeCount) + u"개까지입니다.");
        TSourceSubject subject;
        subject.Name = fields[0];
        if (!fields[1].empty()) {
            for (std::u16string_view item : SplitFields(fields[1], u',')) {
                const std::int32_t number = ParseNumber(item);
                if (number < 1 || number > count)
                    return At(path, line.Number, u"목록에 없는 경전 번호입니다: \"" + std::u16string(item) + u"\"");
                if (subject.Suttas.size() == MaxJoojeSuttas)
                    return At(path, line.Number, u"주제의 경전이 " + DecimalText(MaxJoojeSuttas) + u"개를 넘습니다.");
                subject.Suttas.push_back(number - 1);
            }
        }
        source.Subjects.push_back(std::move(subject));
    }
    return TResult::Success();
}

TResult ReadTexts(const std::filesystem::path& folder, std::string& bytes, TDataSetSource& source)
{
    const std::size_t count = source.Suttas.size();
    const std::filesystem::path han = folder / "han", hanSubject = folder / "han-subject",
                                hanSummary = folder / "han-summary", kor = folder / "kor", sinsu = folder / "sinsu";
    // Units each family's text area has taken so far: the source is rejected at the first file
    // that takes its family past what a data file holds, not after every text is in memory.
    std::uint64_t units[TextFileCount] = {};
    for (std::size_t i = 0; i < count; ++i) {
        TSourceSutta& sutta = source.Suttas[i];
        const std::filesystem::path name(SourceTextFileName(static_cast<std::int32_t>(i + 1), count));
        const std::pair<std::filesystem::path, std::u16string*> texts[] = {{han / name, &sutta.HanBody},
                                                                           {hanSubject / name, &sutta.HanSubject},
                                                                           {hanSummary / name, &sutta.HanSummary},
                                                                           {kor / name, &sutta.KorBody},
                                                                           {sinsu / name, &sutta.SinsuBody}};
        for (const auto& [path, text] : texts) {
            // Only the subject and the summary may be missing.
            const bool optional = text == &sutta.HanSubject || text == &sutta.HanSummary;
            if (TResult read = ReadText(path, optional, bytes, *text); !read) return read;
            const int family = text == &sutta.KorBody ? KorFamily : text == &sutta.SinsuBody ? SinsuFamily : HanFamily;
            units[family] += text->size();
            if (units[family] > static_cast<std::uint64_t>(MaxTextAreaUnits))
                return AtFile(path, TooLargeForDataFileText());
        }
    }
    return TResult::Success();
}

TResult ReadReadings(const std::filesystem::path& folder, std::string& bytes, TDataSetSource& source,
                     TSourceSkips& skips)
{
    const std::filesystem::path path = folder / "readings.tsv";
    std::u16string text;
    if (TResult read = ReadText(path, false, bytes, text); !read) return read;
    source.Readings.resize(MaxBmpUnit + 1);
    for (std::int32_t c = 0; c <= MaxBmpUnit; ++c)
        source.Readings[c] = static_cast<char16_t>(c);
    std::vector<std::uint32_t> seenOnLine(MaxBmpUnit + 1, 0);
    for (const TLine& line : TableLines(text)) {
        const std::vector<std::u16string_view> fields = SplitFields(line.Text, u'\t');
        const std::int32_t character = fields.size() == 2 ? SingleCodePoint(fields[0]) : -1;
        const std::int32_t reading = fields.size() == 2 ? SingleCodePoint(fields[1]) : -1;
        if (character < 0 || reading < 0) return At(path, line.Number, u"한 글자, 탭, 그 음 한 글자여야 합니다.");
        // A control character has no line the writer could give back.
        if (character < u' ' || reading < u' ')
            return At(path, line.Number, u"제어 문자는 글자로도 음으로도 쓸 수 없습니다.");
        if (character > MaxBmpUnit || reading > MaxBmpUnit) {
            ++skips.Readings;
            continue;
        }
        if (seenOnLine[character] != 0)
            return At(path, line.Number, u"이미 " + DecimalText(seenOnLine[character]) + u"행에 나온 글자입니다.");
        seenOnLine[character] = static_cast<std::uint32_t>(line.Number);
        source.Readings[character] = static_cast<char16_t>(reading);
    }
    return TResult::Success();
}

TResult ReadVariants(const std::filesystem::path& folder, int fileIndex, std::string& bytes, TDataSetSource& source,
                     TSourceSkips& skips)
{
    const std::filesystem::path path = folder / (fileIndex == 0 ? "variants0.txt" : "variants1.txt");
    std::u16string text;
    if (TResult read = ReadText(path, false, bytes, text); !read) return read;
    std::vector<std::u16string>& groups = source.VariantGroups[fileIndex];
    std::size_t nextStart = 1; // after the leading 0 unit
    for (const TLine& line : TableLines(text)) {
        std::u16string group;
        for (std::size_t i = 0; i < line.Text.size(); ++i) {
            const char16_t c = line.Text[i];
            if (IsHighSurrogate(c)) {
                // The decoder only lets whole surrogate pairs through.
                ++skips.VariantCharacters;
                ++i;
                continue;
            }
            if (c <= u' ' || c == 0x3000) return At(path, line.Number, u"이체자 묶음에 공백이나 제어 문자가 있습니다.");
            group.push_back(c);
        }
        if (group.empty()) continue;
        if (nextStart > static_cast<std::size_t>(LargestVariantGroupStart))
            return At(path, line.Number,
                      u"이체자 묶음이 너무 많습니다: " + DecimalText(LargestVariantGroupStart) + u" 단위를 넘습니다.");
        nextStart += group.size() + 1;
        groups.push_back(std::move(group));
    }
    return TResult::Success();
}

bool WriteUtf8(const std::filesystem::path& path, std::u16string_view text)
{
    return WriteWholeFile(path, Utf16ToUtf8(text));
}

// A table field must not hold the separators of its line.
bool FitsField(std::u16string_view text)
{
    return text.find_first_of(u"\t\r\n") == std::u16string_view::npos;
}

} // namespace

TResult WriteSourceFolder(const TDataSetSource& source, const std::filesystem::path& folder)
{
    const std::size_t count = source.Suttas.size();
    std::u16string catalogue = u"number\tkind\ttitle\tname\n";
    for (std::size_t i = 0; i < count; ++i) {
        const TSourceSutta& s = source.Suttas[i];
        if (!FitsField(s.Title) || !FitsField(s.Name))
            return TResult::Failure(u"경전 " + DecimalText(static_cast<std::int64_t>(i + 1)) +
                                    u": 제목이나 이름에 탭이나 줄바꿈이 있습니다.");
        catalogue += DecimalText(static_cast<std::int64_t>(i + 1)) + u"\t" + DecimalText(s.Kind) + u"\t" + s.Title +
                     u"\t" + s.Name + u"\n";
    }
    std::u16string subjects = u"subject\tnumbers\n";
    for (const TSourceSubject& subject : source.Subjects) {
        if (!FitsField(subject.Name)) return TResult::Failure(u"주제 이름에 탭이나 줄바꿈이 있습니다: " + subject.Name);
        subjects += subject.Name + u"\t";
        for (std::size_t n = 0; n < subject.Suttas.size(); ++n)
            subjects += (n == 0 ? u"" : u",") + DecimalText(std::int64_t(subject.Suttas[n]) + 1);
        subjects += u"\n";
    }
    std::u16string readings;
    for (std::size_t c = 0; c < source.Readings.size() && c <= MaxBmpUnit; ++c) {
        const char16_t reading = source.Readings[c];
        const bool surrogate = IsSurrogate(static_cast<char16_t>(c)) || IsSurrogate(reading);
        if (reading == 0 || reading == c || surrogate || c < u' ' || reading < u' ') continue;
        readings += static_cast<char16_t>(c);
        readings += u'\t';
        readings += reading;
        readings += u'\n';
    }
    std::u16string variants[VariantFileCount];
    for (int n = 0; n < VariantFileCount; ++n)
        for (const std::u16string& group : source.VariantGroups[n])
            variants[n] += group + u"\n";

    std::error_code error;
    for (const char* sub : {"han", "han-subject", "han-summary", "kor", "sinsu"}) {
        std::filesystem::create_directories(folder / sub, error);
        if (error) return AtFile(folder / sub, u"폴더를 만들 수 없습니다.");
    }
    std::vector<std::pair<std::filesystem::path, std::u16string_view>> files = {
        {folder / "catalogue.tsv", catalogue},
        {folder / "subjects.tsv", subjects},
        {folder / "readings.tsv", readings},
        {folder / "variants0.txt", variants[0]},
        {folder / "variants1.txt", variants[1]}};
    const std::u16string parallels = ParallelSourceText(source.Parallels);
    if (!source.Parallels.empty()) {
        if (parallels.empty()) return TResult::Failure(u"대응경전의 식별자나 표시에 탭이나 줄바꿈이 있습니다.");
        files.emplace_back(folder / "parallels.tsv", parallels);
    }
    for (const auto& [path, text] : files)
        if (!WriteUtf8(path, text)) return AtFile(path, u"파일을 쓸 수 없습니다.");
    // A text is written with one more line break, which reading drops, so a text that itself
    // ends in a line break comes back whole.
    std::u16string text;
    for (std::size_t i = 0; i < count; ++i) {
        const TSourceSutta& s = source.Suttas[i];
        const std::filesystem::path name(SourceTextFileName(static_cast<std::int32_t>(i + 1), count));
        const std::pair<const char*, const std::u16string*> texts[] = {{"han", &s.HanBody},
                                                                       {"han-subject", &s.HanSubject},
                                                                       {"han-summary", &s.HanSummary},
                                                                       {"kor", &s.KorBody},
                                                                       {"sinsu", &s.SinsuBody}};
        for (const auto& [sub, body] : texts) {
            text = *body + u"\r\n";
            if (!WriteUtf8(folder / sub / name, text)) return AtFile(folder / sub / name, u"파일을 쓸 수 없습니다.");
        }
    }
    return TResult::Success();
}

std::size_t DecodeSourceText(std::string_view bytes, std::u16string& text)
{
    text.clear();
    text.reserve(bytes.size() + bytes.size() / 16);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    std::size_t line = 1;
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) i = 3;
    auto continuation = [&](std::size_t at) { return at < n && (p[at] & 0xC0) == 0x80; };
    while (i < n) {
        const unsigned c = p[i];
        if (c < 0x80) {
            if (c == '\r' || c == '\n') {
                text += u"\r\n";
                ++line;
                i += (c == '\r' && i + 1 < n && p[i + 1] == '\n') ? 2 : 1;
            } else {
                text.push_back(static_cast<char16_t>(c));
                ++i;
            }
            continue;
        }
        std::uint32_t code = 0;
        if (c >= 0xC2 && c <= 0xDF && continuation(i + 1)) {
            code = (c & 0x1F) << 6 | (p[i + 1] & 0x3F);
            i += 2;
        } else if (c >= 0xE0 && c <= 0xEF && continuation(i + 1) && continuation(i + 2)) {
            code = (c & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 | (p[i + 2] & 0x3F);
            // Overlong forms and UTF-16 surrogates are not characters.
            if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)) return line;
            i += 3;
        } else if (c >= 0xF0 && c <= 0xF4 && continuation(i + 1) && continuation(i + 2) && continuation(i + 3)) {
            code = (c & 0x07) << 18 | (p[i + 1] & 0x3F) << 12 | (p[i + 2] & 0x3F) << 6 | (p[i + 3] & 0x3F);
            if (code < 0x10000 || code > 0x10FFFF) return line;
            i += 4;
        } else {
            return line;
        }
        if (code < 0x10000) {
            text.push_back(static_cast<char16_t>(code));
        } else {
            code -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        }
    }
    if (text.size() >= 2 && text[text.size() - 2] == u'\r' && text.back() == u'\n') text.resize(text.size() - 2);
    return 0;
}

std::u16string SourceTextFileName(std::int32_t number, std::size_t count)
{
    const int width = std::max<int>(4, static_cast<int>(DecimalText(static_cast<std::int64_t>(count)).size()));
    return ZeroPad(number, width) + u".txt";
}

namespace {

// parallels.tsv, which a source folder may leave out.
TResult ReadParallels(const std::filesystem::path& folder, std::string& bytes, TDataSetSource& source)
{
    const std::filesystem::path path = folder / "parallels.tsv";
    std::u16string text;
    if (TResult read = ReadText(path, true, bytes, text); !read) return read;
    const TParallelSourceError error =
        ParseParallelSource(text, static_cast<std::int32_t>(source.Suttas.size()), source.Parallels);
    return error.Line == 0 ? TResult::Success() : At(path, error.Line, error.Message);
}

} // namespace

TResult ReadSourceFolder(const std::filesystem::path& folder, TDataSetSource& source, TSourceSkips& skips)
{
    source = TDataSetSource{};
    skips = TSourceSkips{};
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return AtFile(folder, u"폴더가 없습니다.");
    std::string bytes; // reused for every file
    TResult result = ReadCatalogue(folder, bytes, source);
    if (result) result = ReadSubjects(folder, bytes, source);
    if (result) result = ReadTexts(folder, bytes, source);
    if (result) result = ReadReadings(folder, bytes, source, skips);
    for (int n = 0; n < VariantFileCount && result; ++n)
        result = ReadVariants(folder, n, bytes, source, skips);
    if (result) result = ReadParallels(folder, bytes, source);
    if (!result) source = TDataSetSource{};
    return result;
}

std::optional<TCreationDate> ParseCreationDate(std::string_view text)
{
    // YYYY-MM-DDTHH:MM:SS
    constexpr std::string_view Shape = "dddd-dd-ddTdd:dd:dd";
    if (text.size() != Shape.size()) return std::nullopt;
    for (std::size_t i = 0; i < Shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (Shape[i] == 'd' ? !digit : text[i] != Shape[i]) return std::nullopt;
    }
    auto number = [&](std::size_t at, std::size_t width) {
        std::int32_t value = 0;
        for (std::size_t i = at; i < at + width; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    TCreationDate date{number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2)};
    static constexpr std::array<int, 12> MonthDays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (date.Year % 4 == 0 && date.Year % 100 != 0) || date.Year % 400 == 0;
    if (date.Month < 1 || date.Month > 12 || date.Day < 1 || date.Day > MonthDays[date.Month - 1] ||
        (date.Month == 2 && date.Day == 29 && !leap) || date.Hour > 23 || date.Minute > 59 || date.Second > 59)
        return std::nullopt;
    return date;
}
