#include "data/CharacterFile.h"

#include "util/ByteReader.h"
#include "util/Messages.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace {

constexpr int CharacterFields = 4; // readings, gloss, meaning, radical

std::u16string HexText(char32_t c)
{
    std::u16string text;
    for (int shift = c > 0xFFFF ? 16 : 12; shift >= 0; shift -= 4)
        text.push_back(u"0123456789ABCDEF"[(c >> shift) & 0xF]);
    return text;
}

constexpr bool IsCodePoint(std::int64_t c)
{
    return c >= 0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}

struct TEntryFields
{
    std::int32_t Character, ConversionReading, TotalStrokes;
    std::int32_t Lengths[CharacterFields];
};

// The checks of one entry that need no text: every value within the format's ranges.
bool EntryIsSound(const TEntryFields& e, std::int64_t previous)
{
    if (!IsCodePoint(e.Character) || e.Character <= previous) return false;
    if (e.TotalStrokes < 0 || e.TotalStrokes > MaxTotalStrokes) return false;
    for (std::int32_t length : e.Lengths)
        if (length < 0) return false;
    return e.ConversionReading >= -1 && e.ConversionReading < e.Lengths[0];
}

// Passes the loaders' message on with the note that the program goes on without the file.
class TLeftOutMessages final : public IMessages
{
public:
    explicit TLeftOutMessages(IMessages& messages) : Messages(messages) {}
    void Show(const std::u16string& text, const std::u16string& caption) override
    {
        Messages.Show(text + u"\r\n\r\n" + std::u16string(CharacterFileLeftOutText), caption);
    }

private:
    IMessages& Messages;
};

} // namespace

std::u16string CharacterFileMissingText()
{
    return u"데이터에 글자 정보 파일(" + std::u16string(CharacterFileName) + u")이 없습니다.";
}

const TCharacterInfo* FindCharacter(const TCharacterFile& file, char32_t c)
{
    const auto found = std::lower_bound(file.Characters.begin(), file.Characters.end(), c,
                                        [](const TCharacterInfo& info, char32_t key) { return info.Character < key; });
    return found != file.Characters.end() && found->Character == c ? &*found : nullptr;
}

std::vector<char16_t> ReadingsConversionFirst(const TCharacterInfo& info)
{
    std::vector<char16_t> readings;
    const auto marked = static_cast<std::size_t>(info.ConversionReading);
    if (info.ConversionReading >= 0 && marked < info.Readings.size()) readings.push_back(info.Readings[marked]);
    for (std::size_t i = 0; i < info.Readings.size(); ++i)
        if (i != marked) readings.push_back(info.Readings[i]);
    return readings;
}

TResult CheckCharacterTable(const std::vector<TCharacterInfo>& characters)
{
    std::int64_t previous = -1;
    for (const TCharacterInfo& info : characters) {
        const std::int64_t units =
            2 * (info.Readings.size() + info.Gloss.size() + info.Meaning.size() + info.Radical.size());
        const TEntryFields e{std::int32_t(info.Character),
                             info.ConversionReading,
                             info.TotalStrokes,
                             {std::int32_t(info.Readings.size()), 0, 0, 0}};
        if (!EntryIsSound(e, previous) || units > MaxDataFileBytes ||
            !std::all_of(info.Readings.begin(), info.Readings.end(), IsHangulSyllable))
            return TResult::Failure(std::u16string(CharacterFileName) + u": 글자 U+" + HexText(info.Character) +
                                    u"의 정보가 형식에 맞지 않거나 글자 순서가 아닙니다.");
        previous = info.Character;
    }
    return TResult::Success();
}

std::vector<std::uint8_t> SerializeCharacterFile(const std::vector<TCharacterInfo>& characters,
                                                 const TCreationDate& date)
{
    std::u16string area;
    for (const TCharacterInfo& info : characters)
        area += info.Readings + info.Gloss + info.Meaning + info.Radical;
    const std::int64_t bodyBytes = 4 + std::int64_t(characters.size()) * CharacterEntrySize + 2 * area.size();

    TByteWriter out;
    out.WriteZeros(32);
    out.WriteInt32(CharacterFileMagic);
    out.WriteInt32(DataFileVersion);
    out.WriteZeros(4);
    out.WriteInt32(static_cast<std::int32_t>(bodyBytes / 2));
    out.WriteZeros(148 - 48);
    for (std::int32_t field : {date.Year, date.Month, date.Day, date.Hour, date.Minute, date.Second})
        out.WriteInt32(field);
    out.WriteZeros(HeaderSize - out.size());
    out.WriteInt32(static_cast<std::int32_t>(characters.size()));
    for (const TCharacterInfo& info : characters)
        for (std::int64_t field :
             {std::int64_t(info.Character), std::int64_t(info.ConversionReading), std::int64_t(info.TotalStrokes),
              std::int64_t(info.Readings.size()), std::int64_t(info.Gloss.size()), std::int64_t(info.Meaning.size()),
              std::int64_t(info.Radical.size())})
            out.WriteInt32(static_cast<std::int32_t>(field));
    out.WriteUnits(area.data(), area.size());
    return std::move(out.bytes());
}

TDataFileStatus ParseCharacterFile(IDataSource& source, TCharacterFile& file)
{
    TDataFileHeader header;
    const TDataFileStatus status = ReadHeader(source, CharacterFileMagic, header);
    if (status != TDataFileStatus::Ok) return status;
    const std::int64_t bodyBytes = std::int64_t(header.DataLength) * 2;
    if (header.DataLength < 2 || bodyBytes > source.Size() - std::int64_t(HeaderSize)) return TDataFileStatus::Damaged;

    // The body was checked against the file's size before it is read in whole.
    std::vector<std::uint8_t> body(static_cast<std::size_t>(bodyBytes));
    if (!source.Read(HeaderSize, body.data(), body.size())) return TDataFileStatus::Unreadable;
    TByteReader in(body);
    const std::int32_t count = in.ReadInt32();
    if (count < 0 || std::int64_t(count) * std::int64_t(CharacterEntrySize) > bodyBytes - 4)
        return TDataFileStatus::Damaged;
    const std::int64_t areaUnits = (bodyBytes - 4 - std::int64_t(count) * CharacterEntrySize) / 2;

    std::vector<TEntryFields> entries(static_cast<std::size_t>(count));
    std::int64_t previous = -1, units = 0;
    for (TEntryFields& e : entries) {
        e.Character = in.ReadInt32();
        e.ConversionReading = in.ReadInt32();
        e.TotalStrokes = in.ReadInt32();
        for (std::int32_t& length : e.Lengths)
            length = in.ReadInt32();
        if (!EntryIsSound(e, previous)) return TDataFileStatus::Damaged;
        for (std::int32_t length : e.Lengths)
            units += length; // at most 4 * 2^31 per entry: no overflow in 64 bits
        if (units > areaUnits) return TDataFileStatus::Damaged;
        previous = e.Character;
    }
    if (!in.ok() || units != areaUnits) return TDataFileStatus::Damaged;

    TCharacterFile loaded;
    loaded.Loaded = true;
    loaded.Characters.resize(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TEntryFields& e = entries[i];
        TCharacterInfo& info = loaded.Characters[i];
        info.Character = static_cast<char32_t>(e.Character);
        info.ConversionReading = e.ConversionReading;
        info.TotalStrokes = e.TotalStrokes;
        std::u16string* fields[CharacterFields] = {&info.Readings, &info.Gloss, &info.Meaning, &info.Radical};
        for (int f = 0; f < CharacterFields; ++f) {
            fields[f]->resize(static_cast<std::size_t>(e.Lengths[f]));
            in.ReadUnits(fields[f]->data(), fields[f]->size());
        }
        if (!std::all_of(info.Readings.begin(), info.Readings.end(), IsHangulSyllable)) return TDataFileStatus::Damaged;
    }
    if (!in.ok()) return TDataFileStatus::Damaged;
    file = std::move(loaded);
    return TDataFileStatus::Ok;
}

TDataFileStatus ParseCharacterFile(std::span<const std::uint8_t> bytes, TCharacterFile& file)
{
    TByteSource source(bytes);
    return ParseCharacterFile(source, file);
}

void LoadCharacterFile(TLoadContext& context, TLoadedData& data)
{
    data.CharacterFile = {};
    const std::filesystem::path path = context.DataPath / std::filesystem::path(std::u16string(CharacterFileName));
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return; // a data set without it is complete

    // Its failure is told like any data file's but leaves the load sound.
    bool failed = false;
    TLeftOutMessages messages(context.Messages);
    TLoadContext own{context.DataPath, messages, failed, context.Listener, context.Options};
    std::optional<TOpenedDataFile> opened = OpenDataFile(own, CharacterFileName, CharacterFileMagic);
    if (!opened) return;
    const TDataFileStatus status = ParseCharacterFile(*opened, data.CharacterFile);
    if (status != TDataFileStatus::Ok) ReportDataFileFailure(own, status, path);
}
