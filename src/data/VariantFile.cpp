#include "data/VariantFile.h"

#include "util/ByteReader.h"

namespace {

bool BodyFits(const TDataFileHeader& h, std::size_t fileSize)
{
    return h.DataLength >= 0 && std::int64_t(h.DataLength) * 2 <= std::int64_t(fileSize) - std::int64_t(HeaderSize);
}

} // namespace

TDataFileStatus ParseVariantFile(std::span<const std::uint8_t> bytes, TVariantFile& file)
{
    TVariantFile loaded;
    TDataFileStatus status = ParseHeader(bytes, VariantFileMagic, loaded.Header);
    if (status != TDataFileStatus::Ok)
        return status;
    const std::int32_t length = loaded.Header.DataLength;
    if (!BodyFits(loaded.Header, bytes.size()))
        return TDataFileStatus::Damaged;

    loaded.Text.assign(static_cast<std::size_t>(length) + 10, u'\0');
    TByteReader in(bytes, HeaderSize);
    in.ReadUnits(loaded.Text.data(), static_cast<std::size_t>(length));
    if (!in.ok())
        return TDataFileStatus::Damaged;

    // A character in several groups keeps the start of the last one.
    std::int64_t groupStart = 0;
    for (std::int32_t p = 0; p < length; ++p) {
        const char16_t unit = loaded.Text[p];
        if (unit == 0) {
            groupStart = p + 1;
        } else {
            if (groupStart > LargestVariantGroupStart)
                return TDataFileStatus::Damaged;
            loaded.CharIndex[unit] = static_cast<std::uint16_t>(groupStart);
        }
    }

    file = std::move(loaded);
    return TDataFileStatus::Ok;
}

void LoadVariantFile(TLoadContext& context, TLoadedData& data, int fileIndex)
{
    std::optional<TOpenedDataFile> opened = OpenDataFile(context, VariantFileNames[fileIndex], VariantFileMagic);
    if (!opened)
        return;
    const TDataFileStatus status = ParseVariantFile(opened->Bytes, data.VariantFiles[fileIndex]);
    if (status != TDataFileStatus::Ok)
        ReportDataFileFailure(context, status, opened->Path);
}

bool IsVariant(const std::array<TVariantFile, VariantFileCount>& files, char16_t t, char16_t w, bool variantsAllowed)
{
    if (t == w)
        return true;
    if (!variantsAllowed)
        return false;
    for (const TVariantFile& file : files) {
        const std::size_t size = file.Text.size();
        for (std::size_t p = file.CharIndex[w]; p < size && file.Text[p] != 0; ++p)
            if (file.Text[p] == t)
                return true;
    }
    return false;
}
