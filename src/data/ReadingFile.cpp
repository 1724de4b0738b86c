#include "data/ReadingFile.h"

TDataFileStatus ParseReadingFile(IDataSource& source, TReadingFile& file)
{
    TReadingFile loaded;
    const TDataFileStatus status = ParseUnitsBody(source, ReadingFileMagic, loaded.Header, loaded.Text);
    if (status == TDataFileStatus::Ok) file = std::move(loaded);
    return status;
}

TDataFileStatus ParseReadingFile(std::span<const std::uint8_t> bytes, TReadingFile& file)
{
    TByteSource source(bytes);
    return ParseReadingFile(source, file);
}

void LoadReadingFile(TLoadContext& context, TLoadedData& data)
{
    std::optional<TOpenedDataFile> opened = OpenDataFile(context, ReadingFileName, ReadingFileMagic);
    if (!opened) return;
    const TDataFileStatus status = ParseReadingFile(*opened, data.ReadingFile);
    if (status != TDataFileStatus::Ok) ReportDataFileFailure(context, status, opened->Path);
}
