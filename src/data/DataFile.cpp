#include "data/DataFile.h"

#include "util/ByteReader.h"
#include "util/Files.h"
#include "util/Messages.h"
#include "util/MyUtils.h"

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
    if (header.Magic != expectedMagic)
        return TDataFileStatus::NotDataFile;
    if (header.Version != DataFileVersion)
        return TDataFileStatus::Incompatible;
    // Magic and Version are judged on the zero-filled header first, so a short file of the
    // wrong family still reads as such; one of the right family is merely cut short.
    if (bytes.size() < HeaderSize)
        return TDataFileStatus::Damaged;
    return TDataFileStatus::Ok;
}

TDataFileStatus ParseUnitsBody(std::span<const std::uint8_t> bytes, std::int32_t expectedMagic, TDataFileHeader& header,
                               std::vector<char16_t>& text)
{
    const TDataFileStatus status = ParseHeader(bytes, expectedMagic, header);
    if (status != TDataFileStatus::Ok)
        return status;
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
    return path.u16string();
}

void ReportDataFileFailure(TLoadContext& context, TDataFileStatus status, const std::filesystem::path& path)
{
    context.Messages.Show(DataFileMessage(status) + PathText(path), std::u16string(DataErrorCaption));
    context.LoadError = true;
}

std::optional<TOpenedDataFile> OpenDataFile(TLoadContext& context, std::u16string_view fileName,
                                            std::int32_t expectedMagic)
{
    TOpenedDataFile file;
    file.Path = context.DataPath / std::filesystem::path(std::u16string(fileName));

    TDataFileStatus status = TDataFileStatus::Ok;
    switch (ReadWholeFile(file.Path, file.Bytes)) {
    case TFileRead::Missing:
        status = TDataFileStatus::Missing;
        break;
    case TFileRead::Unreadable:
        status = TDataFileStatus::Unreadable;
        break;
    case TFileRead::Ok: {
        TDataFileHeader header;
        status = ParseHeader(file.Bytes, expectedMagic, header);
        break;
    }
    }

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
