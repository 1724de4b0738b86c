#include "data/ReadingFile.h"

#include "util/ByteReader.h"

TDataFileStatus ParseReadingFile(std::span<const std::uint8_t> bytes, TReadingFile& file)
{
    TReadingFile loaded;
    TDataFileStatus status = ParseHeader(bytes, ReadingFileMagic, loaded.Header);
    if (status != TDataFileStatus::Ok)
        return status;
    const std::int32_t length = loaded.Header.DataLength;
    if (length < 0 || std::int64_t(length) * 2 > std::int64_t(bytes.size()) - std::int64_t(HeaderSize))
        return TDataFileStatus::Damaged;

    loaded.Text.assign(static_cast<std::size_t>(length) + 10, u'\0');
    TByteReader in(bytes, HeaderSize);
    in.ReadUnits(loaded.Text.data(), static_cast<std::size_t>(length));
    if (!in.ok())
        return TDataFileStatus::Damaged;

    file = std::move(loaded);
    return TDataFileStatus::Ok;
}

void LoadReadingFile(TLoadContext& context, TLoadedData& data)
{
    std::optional<TOpenedDataFile> opened = OpenDataFile(context, ReadingFileName, ReadingFileMagic);
    if (!opened)
        return;
    const TDataFileStatus status = ParseReadingFile(opened->Bytes, data.ReadingFile);
    if (status != TDataFileStatus::Ok)
        ReportDataFileFailure(context, status, opened->Path);
}
