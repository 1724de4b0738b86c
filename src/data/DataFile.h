#pragma once

// Opening and validating a data file: the steps every loader runs before its body.

#include "data/Vesko3Common.h"
#include "util/FileMapping.h"
#include "util/Files.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

class IMessages;

enum class TDataFileStatus
{
    Ok,
    Missing,      // no file at the path
    Unreadable,   // the open or the read failed
    NotDataFile,  // wrong Magic for the family
    Incompatible, // Version is not 3
    Damaged,      // the body breaks the format: a region beyond the file, a bad count or range
};

// What the loaders tell besides their failures: the program-information lines and the
// moment the catalogue file's tables are in its record, before its text area is read (the
// window fills its lists then, and shows them while the texts are read).
class ILoadListener
{
public:
    virtual ~ILoadListener() = default;
    virtual void AppendInfoLine(const std::u16string& line) = 0;
    virtual void CatalogueLoaded() = 0;
};

// What a load makes beyond the records as the files hold them.
struct TLoadOptions
{
    // Makes the catalogue's order by name while loading, on the loading thread, for a reader
    // whose lists by name are filled as soon as the catalogue is in; without it the order is
    // made when something first reads it (NameOrderOf).
    bool NameOrder = true;
    // Uses the text areas of the three text files in place from the files' own pages (see
    // FileMapping.h) where the system allows, instead of reading them into fresh memory. The
    // loader must then ask ChangedMappedFile before it trusts the texts, and once more before
    // it ends.
    bool MapTexts = false;
};

// Where the loaders read from and report to.
struct TLoadContext
{
    std::filesystem::path DataPath;
    IMessages& Messages;
    bool& LoadError;
    ILoadListener* Listener = nullptr;
    TLoadOptions Options;
};

// Where a parser reads a data file from: its bytes in memory, or the file itself, each region
// read once straight into its record.
class IDataSource
{
public:
    virtual ~IDataSource() = default;
    // The bytes from the file's start that a parser may read.
    virtual std::int64_t Size() const = 0;
    // Copies the count bytes at offset, all within Size(), to out; false when the read failed.
    [[nodiscard]] virtual bool Read(std::int64_t offset, void* out, std::size_t count) = 0;
    // Puts the count UTF-16 units at offset, all within Size(), into out in place of a read,
    // followed by spare zero units, where the source can do so without a copy.
    [[nodiscard]] virtual TMapResult MapUnits(std::int64_t, std::size_t, std::size_t, TTextUnits&)
    {
        return TMapResult::NotMapped;
    }
};

class TByteSource final : public IDataSource
{
public:
    explicit TByteSource(std::span<const std::uint8_t> bytes) : Bytes(bytes) {}
    std::int64_t Size() const override { return static_cast<std::int64_t>(Bytes.size()); }
    bool Read(std::int64_t offset, void* out, std::size_t count) override;

private:
    std::span<const std::uint8_t> Bytes;
};

// An opened data file whose header has been checked: its parser reads the extent the header
// gives, the header from memory and the rest from the file.
class TOpenedDataFile final : public IDataSource
{
public:
    std::filesystem::path Path;

    std::int64_t Size() const override { return Extent; }
    bool Read(std::int64_t offset, void* out, std::size_t count) override;
    TMapResult MapUnits(std::int64_t offset, std::size_t count, std::size_t spare, TTextUnits& out) override;

private:
    friend std::optional<TOpenedDataFile> OpenDataFile(TLoadContext&, std::u16string_view, std::int32_t);
    TFileReader Reader;
    std::uint8_t Head[HeaderSize] = {};
    std::size_t HeadSize = 0;
    std::int64_t Extent = 0;
    bool MayMap = false;
};

// Reads the tables of a data file in order, a chunk at a time, with TByteReader's sticky
// failure: past Size() it fails as Damaged, a failed read as Unreadable, and yields zeros.
// A chunk reaches no further ahead than readAheadEnd, where the table is known to end at the
// latest, so that the text after it is not read twice.
class TSourceCursor
{
public:
    TSourceCursor(IDataSource& source, std::int64_t position, std::int64_t readAheadEnd)
        : Source(source), Position(position), ReadAheadEnd(readAheadEnd)
    {
    }

    bool ok() const { return Status == TDataFileStatus::Ok; }
    TDataFileStatus status() const { return Status; }

    std::int32_t ReadInt32();
    void ReadUnits(char16_t* out, std::size_t count);
    void ReadBytes(std::uint8_t* out, std::size_t count);

private:
    const std::uint8_t* Require(std::size_t count);

    IDataSource& Source;
    std::int64_t Position;
    std::int64_t ReadAheadEnd;
    std::vector<std::uint8_t> Chunk;
    std::int64_t ChunkStart = 0;
    TDataFileStatus Status = TDataFileStatus::Ok;
};

// Reads count little-endian UTF-16 units at offset, which lie within the source, into out:
// Ok, or Unreadable when the read failed.
TDataFileStatus ReadUnitsAt(IDataSource& source, std::int64_t offset, std::size_t count, char16_t* out);

// The header read from the source's first bytes and checked as ParseHeader checks it.
TDataFileStatus ReadHeader(IDataSource& source, std::int32_t expectedMagic, TDataFileHeader& header);

// Reads the header from the first bytes (a file shorter than 256 bytes leaves the rest
// zero) and checks Magic, then Version, then that the whole header is there (Damaged).
TDataFileStatus ParseHeader(std::span<const std::uint8_t> bytes, std::int32_t expectedMagic, TDataFileHeader& header);

// The body of the variant and reading files: DataLength UTF-16 units right after the header.
// Checks the header and that the units are all there (Damaged otherwise) before reading them
// into text, followed by TextSpareUnits zero units.
TDataFileStatus ParseUnitsBody(IDataSource& source, std::int32_t expectedMagic, TDataFileHeader& header,
                               std::vector<char16_t>& text);

// The bytes a checked header says its file holds, from the file's start: the file is cut short
// when it has fewer than Least. The subject table's length is known only by walking it, so
// Most allows every subject its largest entry; whatever lies beyond is not read.
struct THeaderExtent
{
    std::int64_t Least = 0;
    std::int64_t Most = 0;
};
THeaderExtent HeaderExtent(const TDataFileHeader& header);

// Builds the path, opens the file, reads the header and checks it and the extent it gives
// against the file's size; the parser then reads only that extent, so that a huge file (or a
// sparse one) costs no more than a sound one. On failure the message has been shown,
// LoadError is set and nothing is returned.
std::optional<TOpenedDataFile> OpenDataFile(TLoadContext& context, std::u16string_view fileName,
                                            std::int32_t expectedMagic);

// Shows the message of a failed status for the file at path and sets LoadError.
void ReportDataFileFailure(TLoadContext& context, TDataFileStatus status, const std::filesystem::path& path);

// The fixed text of a failure message, without the path that follows it.
std::u16string DataFileMessage(TDataFileStatus status);

// What the builders say of a text or a source too large for one data file.
std::u16string TooLargeForDataFileText();

inline constexpr std::u16string_view DataErrorCaption = u"에러";

// "파일 만든 날짜 = 2007.11.05_09:30:00" from the header's creation fields.
std::u16string CreationDateLine(const TDataFileHeader& header);

// The path as the messages show it.
std::u16string PathText(const std::filesystem::path& path);
