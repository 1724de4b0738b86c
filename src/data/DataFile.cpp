#include "data/DataFile.h"

#include "util/ByteReader.h"
#include "util/Files.h"
#include "util/Messages.h"
#include "util/MyUtils.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>

namespace {

void ReadHeaderFields(TByteReader& in, TDataFileHeader& h)
{
    in.ReadBytes(h.Reserved0, sizeof h.Reserved0);
    h.Magic = in.ReadInt32();
    h.Version = in.ReadInt32();
    in.ReadBytes(h.Reserved40, sizeof h.Reserved40);
    h.DataLength = in.ReadInt32();
    h.CatalogueFlag = in.ReadInt32();
    in.ReadBytes(h.Reserved52, sizeof h.Reserved52);
    for (auto& count : h.KindCounts)
        count = in.ReadInt32();
    h.CreatedYear = in.ReadInt32();
    h.CreatedMonth = in.ReadInt32();
    h.CreatedDay = in.ReadInt32();
    h.CreatedHour = in.ReadInt32();
    h.CreatedMinute = in.ReadInt32();
    h.CreatedSecond = in.ReadInt32();
    h.SuttaTableOffset = in.ReadInt32();
    h.SuttaCount = in.ReadInt32();
    h.JoojeTableOffset = in.ReadInt32();
    h.JoojeCount = in.ReadInt32();
    h.TextOffset = in.ReadInt32();
    h.TextLength = in.ReadInt32();
    in.ReadBytes(h.Reserved196, sizeof h.Reserved196);
}

} // namespace

TDataFileStatus ParseHeader(std::span<const std::uint8_t> bytes, std::int32_t expectedMagic, TDataFileHeader& header)
{
    std::uint8_t padded[HeaderSize] = {};
    std::copy_n(bytes.begin(), std::min(bytes.size(), HeaderSize), padded);
    TByteReader in(padded);
    ReadHeaderFields(in, header);
    if (header.Magic != expectedMagic) return TDataFileStatus::NotDataFile;
    if (header.Version != DataFileVersion) return TDataFileStatus::Incompatible;
    // Magic and Version are judged on the zero-filled header first, so a short file of the
    // wrong family still reads as such; one of the right family is merely cut short.
    if (bytes.size() < HeaderSize) return TDataFileStatus::Damaged;
    return TDataFileStatus::Ok;
}

TDataFileStatus ParseUnitsBody(std::span<const std::uint8_t> bytes, std::int32_t expectedMagic, TDataFileHeader& header,
                               std::vector<char16_t>& text)
{
    const TDataFileStatus status = ParseHeader(bytes, expectedMagic, header);
    if (status != TDataFileStatus::Ok) return status;
    const std::int32_t length = header.DataLength;
    if (length < 0 || std::int64_t(length) * 2 > std::int64_t(bytes.size()) - std::int64_t(HeaderSize))
        return TDataFileStatus::Damaged;

    text.assign(static_cast<std::size_t>(length) + TextSpareUnits, u'\0');
    TByteReader in(bytes, HeaderSize);
    in.ReadUnits(text.data(), static_cast<std::size_t>(length));
    return in.ok() ? TDataFileStatus::Ok : TDataFileStatus::Damaged;
}

std::u16string DataFileMessage(TDataFileStatus status)
{
    switch (status) {
    case TDataFileStatus::Missing:
        return u"파일이 없습니다.\r\n\r\n";
    case TDataFileStatus::Unreadable:
        return u"파일 읽기 에러.\r\n\r\n";
    case TDataFileStatus::NotDataFile:
        return u"베스코용 데이터 파일이 아닙니다.\r\n\r\n";
    case TDataFileStatus::Incompatible:
        return u"호환되지 않는 데이터 파일입니다.\r\n\r\n";
    case TDataFileStatus::Damaged:
        return u"데이터 파일이 손상되었습니다.\r\n\r\n";
    case TDataFileStatus::Ok:
        break;
    }
    return {};
}

std::u16string PathText(const std::filesystem::path& path)
{
#ifdef _WIN32
    return path.u16string();
#else
    // A path's bytes need not be UTF-8 (u16string() would throw): what cannot be decoded is
    // shown as U+FFFD, the rest as it stands.
    return QFile::decodeName(QByteArray::fromStdString(path.native())).toStdU16String();
#endif
}

void ReportDataFileFailure(TLoadContext& context, TDataFileStatus status, const std::filesystem::path& path)
{
    context.Messages.Show(DataFileMessage(status) + PathText(path), std::u16string(DataErrorCaption));
    context.LoadError = true;
}

THeaderExtent HeaderExtent(const TDataFileHeader& h)
{
    // Negative fields and counts over the limits are the parsers' to reject; here they only
    // must not make the extent absurd.
    auto end = [](std::int32_t offset, std::int64_t length) {
        return std::max(0, offset) + std::max<std::int64_t>(0, length);
    };
    THeaderExtent extent;
    if (h.Magic != TextFileMagic) {
        extent.Least = extent.Most = end(HeaderSize, std::int64_t(h.DataLength) * 2);
        return extent;
    }
    const std::int64_t subjects = std::clamp(h.JoojeCount, 0, MaxJoojeCount);
    extent.Least = std::max(
        {std::int64_t(HeaderSize),
         end(h.SuttaTableOffset, std::int64_t(std::clamp(h.SuttaCount, 0, MaxSuttaCount)) * SuttaEntrySize),
         end(h.TextOffset, std::int64_t(h.TextLength) * 2), end(h.JoojeTableOffset, subjects * JoojeEntryFixedSize)});
    extent.Most = std::max(extent.Least, end(h.JoojeTableOffset, subjects * std::int64_t(LargestJoojeEntrySize)));
    return extent;
}

std::optional<TOpenedDataFile> OpenDataFile(TLoadContext& context, std::u16string_view fileName,
                                            std::int32_t expectedMagic)
{
    TOpenedDataFile file;
    file.Path = context.DataPath / std::filesystem::path(std::u16string(fileName));

    std::uint64_t fileSize = 0;
    TFileRead read = ReadFileStart(file.Path, HeaderSize, file.Bytes, fileSize);
    TDataFileStatus status = TDataFileStatus::Ok;
    TDataFileHeader header;
    if (read == TFileRead::Ok) status = ParseHeader(file.Bytes, expectedMagic, header);
    if (read == TFileRead::Ok && status == TDataFileStatus::Ok) {
        const THeaderExtent extent = HeaderExtent(header);
        // Bytes after the extent the header gives are no damage: other writers may pad their files.
        if (extent.Least > MaxDataFileBytes || static_cast<std::uint64_t>(extent.Least) > fileSize)
            status = TDataFileStatus::Damaged;
        else
            read = ReadFileStart(file.Path, std::min<std::uint64_t>(std::uint64_t(extent.Most), fileSize), file.Bytes,
                                 fileSize);
    }
    if (read == TFileRead::Missing)
        status = TDataFileStatus::Missing;
    else if (read != TFileRead::Ok)
        status = TDataFileStatus::Unreadable;

    if (status != TDataFileStatus::Ok) {
        ReportDataFileFailure(context, status, file.Path);
        return std::nullopt;
    }
    return file;
}

std::u16string CreationDateLine(const TDataFileHeader& h)
{
    return u"파일 만든 날짜 = " + ZeroPad(h.CreatedYear, 4) + u"." + ZeroPad(h.CreatedMonth, 2) + u"." +
           ZeroPad(h.CreatedDay, 2) + u"_" + ZeroPad(h.CreatedHour, 2) + u":" + ZeroPad(h.CreatedMinute, 2) + u":" +
           ZeroPad(h.CreatedSecond, 2);
}
