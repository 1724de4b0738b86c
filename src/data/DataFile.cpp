#include "data/DataFile.h"

#include "util/ByteReader.h"
#include "util/Files.h"
#include "util/Messages.h"
#include "util/MyUtils.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <bit>
#include <cstring>

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

bool TByteSource::Read(std::int64_t offset, void* out, std::size_t count)
{
    if (offset < 0 || offset > Size() || count > Bytes.size() - static_cast<std::size_t>(offset)) return false;
    // An empty span or buffer may have no address at all, which memcpy must not be given.
    if (count > 0) std::memcpy(out, Bytes.data() + offset, count);
    return true;
}

bool TOpenedDataFile::Read(std::int64_t offset, void* out, std::size_t count)
{
    if (offset < 0 || offset > Extent || std::int64_t(count) > Extent - offset) return false;
    auto* to = static_cast<std::uint8_t*>(out);
    // The header is in memory already; whatever follows comes from the file.
    if (offset < std::int64_t(HeadSize)) {
        const std::size_t held = std::min(count, HeadSize - static_cast<std::size_t>(offset));
        std::memcpy(to, Head + offset, held);
        to += held;
        offset += static_cast<std::int64_t>(held);
        count -= held;
    }
    return count == 0 || Reader.ReadAt(static_cast<std::uint64_t>(offset), to, count);
}

TMapResult TOpenedDataFile::MapUnits(std::int64_t offset, std::size_t count, std::size_t spare, TTextUnits& out)
{
    // The header stays the one read at the start; only what lies beyond it is mapped.
    if (!MayMap || offset < std::int64_t(HeadSize) || offset > Extent || std::int64_t(count) > (Extent - offset) / 2)
        return TMapResult::NotMapped;
    return MapUnitsAt(Reader, Path, static_cast<std::uint64_t>(offset), count, spare, out);
}

const std::uint8_t* TSourceCursor::Require(std::size_t count)
{
    constexpr std::int64_t ChunkBytes = 32 * 1024;
    if (Status != TDataFileStatus::Ok) return nullptr;
    const std::int64_t size = Source.Size();
    if (Position < 0 || Position > size || std::int64_t(count) > size - Position) {
        Status = TDataFileStatus::Damaged;
        return nullptr;
    }
    const std::int64_t chunkEnd = ChunkStart + static_cast<std::int64_t>(Chunk.size());
    if (Position < ChunkStart || Position + std::int64_t(count) > chunkEnd) {
        ChunkStart = Position;
        const std::int64_t ahead = std::clamp<std::int64_t>(ReadAheadEnd - Position, 0, ChunkBytes);
        Chunk.resize(static_cast<std::size_t>(std::min(size - Position, std::max<std::int64_t>(ahead, count))));
        if (!Source.Read(ChunkStart, Chunk.data(), Chunk.size())) {
            Chunk.clear();
            Status = TDataFileStatus::Unreadable;
            return nullptr;
        }
    }
    const std::uint8_t* p = Chunk.data() + (Position - ChunkStart);
    Position += static_cast<std::int64_t>(count);
    return p;
}

// The chunk's bytes are decoded by TByteReader, which keeps the file's byte order in one place.
std::int32_t TSourceCursor::ReadInt32()
{
    const std::uint8_t* p = Require(4);
    return p ? TByteReader({p, 4}).ReadInt32() : 0;
}

void TSourceCursor::ReadUnits(char16_t* out, std::size_t count)
{
    const std::uint8_t* p = Require(count * 2);
    if (p)
        TByteReader({p, count * 2}).ReadUnits(out, count);
    else
        std::fill(out, out + count, u'\0');
}

void TSourceCursor::ReadBytes(std::uint8_t* out, std::size_t count)
{
    const std::uint8_t* p = Require(count);
    if (p)
        TByteReader({p, count}).ReadBytes(out, count);
    else
        std::fill(out, out + count, std::uint8_t(0));
}

TDataFileStatus ReadUnitsAt(IDataSource& source, std::int64_t offset, std::size_t count, char16_t* out)
{
    if (!source.Read(offset, out, count * 2)) return TDataFileStatus::Unreadable;
    // The file holds the units little-endian: as they stand on such a host, swapped on another.
    if constexpr (std::endian::native == std::endian::big)
        for (std::size_t i = 0; i < count; ++i)
            out[i] = static_cast<char16_t>(out[i] << 8 | out[i] >> 8);
    return TDataFileStatus::Ok;
}

TDataFileStatus ReadHeader(IDataSource& source, std::int32_t expectedMagic, TDataFileHeader& header)
{
    std::uint8_t bytes[HeaderSize] = {};
    const auto count = static_cast<std::size_t>(std::clamp<std::int64_t>(source.Size(), 0, HeaderSize));
    if (!source.Read(0, bytes, count)) return TDataFileStatus::Unreadable;
    return ParseHeader(std::span<const std::uint8_t>(bytes, count), expectedMagic, header);
}

TDataFileStatus ParseUnitsBody(IDataSource& source, std::int32_t expectedMagic, TDataFileHeader& header,
                               std::vector<char16_t>& text)
{
    const TDataFileStatus status = ReadHeader(source, expectedMagic, header);
    if (status != TDataFileStatus::Ok) return status;
    const std::int32_t length = header.DataLength;
    if (length < 0 || std::int64_t(length) * 2 > source.Size() - std::int64_t(HeaderSize))
        return TDataFileStatus::Damaged;

    // These tables are small: zero-filled, which also gives the spare units.
    text.assign(static_cast<std::size_t>(length) + TextSpareUnits, u'\0');
    return ReadUnitsAt(source, HeaderSize, static_cast<std::size_t>(length), text.data());
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

std::u16string TooLargeForDataFileText()
{
    return u"데이터 파일 하나에 담을 수 있는 크기(" + DecimalText(MaxDataFileBytes) + u" 바이트)를 넘습니다.";
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
    file.MayMap = context.Options.MapTexts;

    TDataFileStatus status = TDataFileStatus::Ok;
    const TFileRead open = file.Reader.Open(file.Path);
    if (open == TFileRead::Missing)
        status = TDataFileStatus::Missing;
    else if (open != TFileRead::Ok)
        status = TDataFileStatus::Unreadable;
    if (status == TDataFileStatus::Ok) {
        file.HeadSize = static_cast<std::size_t>(std::min<std::uint64_t>(file.Reader.Size(), HeaderSize));
        if (!file.Reader.ReadAt(0, file.Head, file.HeadSize)) status = TDataFileStatus::Unreadable;
    }
    TDataFileHeader header;
    if (status == TDataFileStatus::Ok)
        status = ParseHeader(std::span<const std::uint8_t>(file.Head, file.HeadSize), expectedMagic, header);
    if (status == TDataFileStatus::Ok) {
        const THeaderExtent extent = HeaderExtent(header);
        // Bytes after the extent the header gives are no damage: other writers may pad their files.
        if (extent.Least > MaxDataFileBytes || static_cast<std::uint64_t>(extent.Least) > file.Reader.Size())
            status = TDataFileStatus::Damaged;
        else
            file.Extent =
                static_cast<std::int64_t>(std::min<std::uint64_t>(std::uint64_t(extent.Most), file.Reader.Size()));
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
