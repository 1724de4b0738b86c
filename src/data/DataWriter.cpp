#include "data/DataWriter.h"

#include "data/DataFile.h"
#include "data/Vesko3Common.h"
#include "util/ByteReader.h"
#include "util/Files.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <limits>
#include <system_error>

namespace {

struct TRange
{
    std::int32_t Start = 0;
    std::int32_t Length = 0;
};

void WriteHeader(TByteWriter& out, const TDataFileHeader& h)
{
    out.WriteBytes(h.Reserved0, sizeof h.Reserved0);
    out.WriteInt32(h.Magic);
    out.WriteInt32(h.Version);
    out.WriteBytes(h.Reserved40, sizeof h.Reserved40);
    out.WriteInt32(h.DataLength);
    out.WriteInt32(h.CatalogueFlag);
    out.WriteBytes(h.Reserved52, sizeof h.Reserved52);
    for (std::int32_t count : h.KindCounts)
        out.WriteInt32(count);
    for (std::int32_t field :
         {h.CreatedYear, h.CreatedMonth, h.CreatedDay, h.CreatedHour, h.CreatedMinute, h.CreatedSecond,
          h.SuttaTableOffset, h.SuttaCount, h.JoojeTableOffset, h.JoojeCount, h.TextOffset, h.TextLength})
        out.WriteInt32(field);
    out.WriteBytes(h.Reserved196, sizeof h.Reserved196);
}

void WriteNameField(TByteWriter& out, const std::u16string& text)
{
    char16_t field[NameUnits] = {};
    std::copy_n(text.begin(), std::min<std::size_t>(text.size(), NameUnits), field);
    out.WriteUnits(field, NameUnits);
}

// Appends text to the text area and returns where it stands.
TRange Append(std::u16string& area, const std::u16string& text)
{
    TRange range{static_cast<std::int32_t>(area.size()), static_cast<std::int32_t>(text.size())};
    area += text;
    return range;
}

const std::u16string& BodyOf(const TSourceSutta& sutta, int fileIndex)
{
    return fileIndex == HanFamily ? sutta.HanBody : fileIndex == KorFamily ? sutta.KorBody : sutta.SinsuBody;
}

std::vector<std::uint8_t> SerializeUnitsFile(std::int32_t magic, const std::u16string& units)
{
    TDataFileHeader header{};
    header.Magic = magic;
    header.Version = DataFileVersion;
    header.DataLength = static_cast<std::int32_t>(units.size());
    TByteWriter out;
    WriteHeader(out, header);
    out.WriteUnits(units.data(), units.size());
    return std::move(out.bytes());
}

} // namespace

TResult CheckDataSetSource(const TDataSetSource& source)
{
    const std::size_t count = source.Suttas.size();
    if (count > MaxSuttaCount)
        return TResult::Failure(u"경전이 " + DecimalText(count) + u"개로 " + DecimalText(MaxSuttaCount) +
                                u"개를 넘습니다.");
    std::size_t units[TextFileCount] = {};
    for (std::size_t i = 0; i < count; ++i) {
        const TSourceSutta& s = source.Suttas[i];
        const std::u16string number = DecimalText(i + 1);
        if (s.Kind < 1 || s.Kind >= KindSlots)
            return TResult::Failure(u"경전 " + number + u": 분류는 1에서 " + DecimalText(KindSlots - 1) +
                                    u" 사이여야 합니다.");
        if (s.Title.size() > NameUnits || s.Name.size() > NameUnits)
            return TResult::Failure(u"경전 " + number + u": 제목과 이름은 " + DecimalText(NameUnits) +
                                    u"자를 넘을 수 없습니다.");
        units[0] += s.HanBody.size() + s.HanSubject.size() + s.HanSummary.size();
        units[1] += s.KorBody.size();
        units[2] += s.SinsuBody.size();
    }
    if (source.Subjects.size() > MaxJoojeCount)
        return TResult::Failure(u"주제가 " + DecimalText(source.Subjects.size()) + u"개로 " +
                                DecimalText(MaxJoojeCount) + u"개를 넘습니다.");
    std::uint64_t subjectBytes = 0;
    for (const TSourceSubject& subject : source.Subjects) {
        subjectBytes += JoojeEntryFixedSize + 4 * static_cast<std::uint64_t>(subject.Suttas.size());
        if (subject.Name.size() > NameUnits)
            return TResult::Failure(u"주제 이름은 " + DecimalText(NameUnits) + u"자를 넘을 수 없습니다: " +
                                    subject.Name);
        if (subject.Suttas.size() > MaxJoojeSuttas)
            return TResult::Failure(u"주제의 경전이 " + DecimalText(MaxJoojeSuttas) + u"개를 넘습니다: " +
                                    subject.Name);
        for (std::int32_t index : subject.Suttas)
            if (index < 0 || static_cast<std::size_t>(index) >= count)
                return TResult::Failure(u"주제의 경전 번호가 목록에 없습니다: " + subject.Name);
    }
    // Every region's offset is a 32-bit field: a file past 2 GB cannot be written at all.
    for (int n = 0; n < TextFileCount; ++n)
        if (TextFileSize(count, subjectBytes, units[n]) > static_cast<std::uint64_t>(MaxDataFileBytes))
            return TResult::Failure(std::u16string(TextFileNames[n]) + u": " + TooLargeForDataFileText());
    for (const auto& groups : source.VariantGroups) {
        std::size_t start = 1; // after the leading 0 unit
        for (const std::u16string& group : groups) {
            if (group.find(u'\0') != std::u16string::npos) return TResult::Failure(u"이체자 묶음에 0 글자가 있습니다.");
            // The loader keeps group starts in 16 bits and rejects a file it cannot index.
            if (!group.empty() && start > LargestVariantGroupStart)
                return TResult::Failure(u"이체자 묶음이 너무 많습니다.");
            start += group.size() + 1;
        }
    }
    return TResult::Success();
}

std::uint64_t TextFileSize(std::uint64_t suttaCount, std::uint64_t subjectBytes, std::uint64_t textUnits)
{
    // Each term is far below 2^62 for any count a source in memory can have.
    return HeaderSize + suttaCount * SuttaEntrySize + subjectBytes + 2 * textUnits;
}

std::vector<std::uint8_t> SerializeTextFile(const TDataSetSource& source, int fileIndex, const TCreationDate& date)
{
    const std::int32_t count = static_cast<std::int32_t>(source.Suttas.size());

    std::u16string area;
    std::vector<TRange> body(count), subject(count), summary(count);
    for (std::int32_t i = 0; i < count; ++i) {
        const TSourceSutta& s = source.Suttas[i];
        body[i] = Append(area, BodyOf(s, fileIndex));
        if (fileIndex == HanFamily) {
            subject[i] = Append(area, s.HanSubject);
            summary[i] = Append(area, s.HanSummary);
        }
    }

    std::size_t subjectBytes = 0;
    for (const TSourceSubject& j : source.Subjects)
        subjectBytes += JoojeEntryFixedSize + 4 * j.Suttas.size();

    TDataFileHeader h{};
    h.Magic = TextFileMagic;
    h.Version = DataFileVersion;
    h.CatalogueFlag = fileIndex == HanFamily ? 0 : 1;
    for (const TSourceSutta& s : source.Suttas)
        if (s.Kind >= 1 && s.Kind < KindSlots) // CheckDataSetSource rejects any other kind
            ++h.KindCounts[s.Kind];
    for (int k = 1; k < KindSlots; ++k)
        h.KindCounts[0] += h.KindCounts[k];
    h.CreatedYear = date.Year;
    h.CreatedMonth = date.Month;
    h.CreatedDay = date.Day;
    h.CreatedHour = date.Hour;
    h.CreatedMinute = date.Minute;
    h.CreatedSecond = date.Second;
    h.SuttaTableOffset = static_cast<std::int32_t>(HeaderSize);
    h.SuttaCount = count;
    h.JoojeTableOffset = static_cast<std::int32_t>(HeaderSize + count * SuttaEntrySize);
    h.JoojeCount = static_cast<std::int32_t>(source.Subjects.size());
    h.TextOffset = static_cast<std::int32_t>(h.JoojeTableOffset + subjectBytes);
    h.TextLength = static_cast<std::int32_t>(area.size());

    TByteWriter out;
    out.bytes().reserve(h.TextOffset + 2 * area.size());
    WriteHeader(out, h);
    for (std::int32_t i = 0; i < count; ++i) {
        const TSourceSutta& s = source.Suttas[i];
        for (std::int32_t field : {i, s.Kind, 0, body[i].Length, subject[i].Start, subject[i].Length, body[i].Start,
                                   body[i].Length, summary[i].Start, summary[i].Length})
            out.WriteInt32(field);
        out.WriteZeros(64);
        WriteNameField(out, s.Title);
        WriteNameField(out, s.Name);
    }
    for (const TSourceSubject& j : source.Subjects) {
        WriteNameField(out, j.Name);
        out.WriteInt32(static_cast<std::int32_t>(j.Suttas.size()));
        for (std::int32_t index : j.Suttas)
            out.WriteInt32(index);
    }
    out.WriteUnits(area.data(), area.size());
    return std::move(out.bytes());
}

std::vector<std::uint8_t> SerializeVariantFile(const std::vector<std::u16string>& groups)
{
    // The leading 0 makes position 0 an empty group: CharIndex 0 then means "no variants".
    std::u16string units(1, u'\0');
    for (const std::u16string& group : groups) {
        units += group;
        units.push_back(u'\0');
    }
    return SerializeUnitsFile(VariantFileMagic, units);
}

std::vector<std::uint8_t> SerializeReadingFile(const std::vector<char16_t>& table)
{
    return SerializeUnitsFile(ReadingFileMagic, std::u16string(table.begin(), table.end()));
}

namespace {

// The entries of a data folder that make up its set: the data files, present and to come, all
// named "VESKO3.*". Anything else there is the user's and moves into the new folder with it.
bool IsDataSetEntry(const std::filesystem::path& name)
{
    const std::u16string text = name.u16string();
    constexpr std::u16string_view Stem = u"VESKO3.";
    if (text.size() < Stem.size()) return false;
    // Case aside, as a file system that ignores case would see it.
    for (std::size_t i = 0; i < Stem.size(); ++i)
        if ((text[i] >= u'a' && text[i] <= u'z' ? char16_t(text[i] - u'a' + u'A') : text[i]) != Stem[i]) return false;
    return true;
}

} // namespace

TResult WriteDataSet(const TDataSetSource& source, const TCreationDate& date, const std::filesystem::path& folder)
{
    if (TResult checked = CheckDataSetSource(source); !checked) return checked;

    // The set is written into a folder of its own beside the target, which then takes the
    // target's place whole: killed at any moment, the writer leaves the old set or the new one,
    // never some files of each.
    TFolderReplacement set(folder);
    if (!set.Begin()) return TResult::Failure(u"폴더를 만들 수 없습니다: " + PathText(folder));
    const std::filesystem::path staging = set.StagingPath();

    // Every file is staged before any replaces its old one; leaving early discards the staged ones.
    std::vector<TFileReplacement> staged;
    staged.reserve(TextFileCount + VariantFileCount + 1);
    auto stage = [&](std::u16string_view name, const std::vector<std::uint8_t>& bytes) {
        staged.emplace_back(staging / std::filesystem::path(std::u16string(name)));
        return staged.back().Stage(bytes);
    };
    bool written = true;
    for (int n = 0; n < TextFileCount && written; ++n)
        written = stage(TextFileNames[n], SerializeTextFile(source, n, date));
    for (int n = 0; n < VariantFileCount && written; ++n)
        written = stage(VariantFileNames[n], SerializeVariantFile(source.VariantGroups[n]));
    if (written) written = stage(ReadingFileName, SerializeReadingFile(source.Readings));
    if (!written) return TResult::Failure(u"파일을 쓸 수 없습니다: " + PathText(staged.back().TargetPath()));
    for (TFileReplacement& file : staged)
        if (!file.Commit()) return TResult::Failure(u"파일 이름을 바꿀 수 없습니다: " + PathText(file.TargetPath()));
    if (!set.Commit(&IsDataSetEntry))
        return TResult::Failure(
            u"데이터 폴더를 통째로 바꿀 수 없습니다 (데이터 파일이 아닌 폴더가 있거나 이름을 바꿀 수 "
            u"없습니다): " +
            PathText(set.TargetPath()));
    return TResult::Success();
}
