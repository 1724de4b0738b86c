#include "data/ReadingFile.h"

TDataFileStatus ParseReadingFile(std::span<const std::uint8_t> bytes, TReadingFile& file)
{
    TReadingFile loaded;
    const TDataFileStatus status = ParseUnitsBody(bytes, ReadingFileMagic, loaded.Header, loaded.Text);
    if (status == TDataFileStatus::Ok) file = std::move(loaded);
    return status;
}

void LoadReadingFile(TLoadContext& context, TLoadedData& data)
{
    std::optional<TOpenedDataFile> opened = OpenDataFile(context, ReadingFileName, ReadingFileMagic);
    if (!opened) return;
    const TDataFileStatus status = ParseReadingFile(opened->Bytes, data.ReadingFile);
    if (status != TDataFileStatus::Ok) ReportDataFileFailure(context, status, opened->Path);
}
