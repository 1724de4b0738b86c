#include "data/VariantFile.h"

TDataFileStatus ParseVariantFile(IDataSource& source, TVariantFile& file)
{
    TVariantFile loaded;
    const TDataFileStatus status = ParseUnitsBody(source, VariantFileMagic, loaded.Header, loaded.Text);
    if (status != TDataFileStatus::Ok) return status;

    // A character in several groups keeps the start of the last one.
    std::int64_t groupStart = 0;
    for (std::int32_t p = 0; p < loaded.Header.DataLength; ++p) {
        const char16_t unit = loaded.Text[p];
        if (unit == 0) {
            groupStart = p + 1;
        } else {
            if (groupStart > LargestVariantGroupStart) return TDataFileStatus::Damaged;
            loaded.CharIndex[unit] = static_cast<std::uint16_t>(groupStart);
        }
    }

    file = std::move(loaded);
    return TDataFileStatus::Ok;
}

TDataFileStatus ParseVariantFile(std::span<const std::uint8_t> bytes, TVariantFile& file)
{
    TByteSource source(bytes);
    return ParseVariantFile(source, file);
}

void LoadVariantFile(TLoadContext& context, TLoadedData& data, int fileIndex)
{
    std::optional<TOpenedDataFile> opened = OpenDataFile(context, VariantFileNames[fileIndex], VariantFileMagic);
    if (!opened) return;
    const TDataFileStatus status = ParseVariantFile(*opened, data.VariantFiles[fileIndex]);
    if (status != TDataFileStatus::Ok) ReportDataFileFailure(context, status, opened->Path);
}

bool IsVariant(const std::array<TVariantFile, VariantFileCount>& files, char16_t t, char16_t w, bool variantsAllowed)
{
    if (t == w) return true;
    if (!variantsAllowed) return false;
    for (const TVariantFile& file : files) {
        const std::size_t size = file.Text.size();
        for (std::size_t p = file.CharIndex[w]; p < size && file.Text[p] != 0; ++p)
            if (file.Text[p] == t) return true;
    }
    return false;
}
