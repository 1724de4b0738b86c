#pragma once

// Opening and validating a data file: the steps every loader runs before its body.

#include "data/Vesko3Common.h"

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
// moment the catalogue file is in memory (the window fills its lists then).
class ILoadListener
{
public:
    virtual ~ILoadListener() = default;
    virtual void AppendInfoLine(const std::u16string& line) = 0;
    virtual void CatalogueLoaded() = 0;
};

// Where the loaders read from and report to.
struct TLoadContext
{
    std::filesystem::path DataPath;
    IMessages& Messages;
    bool& LoadError;
    ILoadListener* Listener = nullptr;
};

struct TOpenedDataFile
{
    std::filesystem::path Path;
    std::vector<std::uint8_t> Bytes; // the extent the header gives, header included; its parser reads the header again
};

// Reads the header from the first bytes (a file shorter than 256 bytes leaves the rest
// zero) and checks Magic, then Version, then that the whole header is there (Damaged).
TDataFileStatus ParseHeader(std::span<const std::uint8_t> bytes, std::int32_t expectedMagic, TDataFileHeader& header);

// The body of the variant and reading files: DataLength UTF-16 units right after the header.
// Checks the header and that the units are all there (Damaged otherwise) before reading them
// into text, followed by TextSpareUnits zero units.
TDataFileStatus ParseUnitsBody(std::span<const std::uint8_t> bytes, std::int32_t expectedMagic, TDataFileHeader& header,
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

// Builds the path, reads the header, checks it and reads only the extent it describes, so
// that a huge file (or a sparse one) costs no more than a sound one. On failure the message
// has been shown, LoadError is set and nothing is returned.
std::optional<TOpenedDataFile> OpenDataFile(TLoadContext& context, std::u16string_view fileName,
                                            std::int32_t expectedMagic);

// Shows the message of a failed status for the file at path and sets LoadError.
void ReportDataFileFailure(TLoadContext& context, TDataFileStatus status, const std::filesystem::path& path);

// The fixed text of a failure message, without the path that follows it.
std::u16string DataFileMessage(TDataFileStatus status);

inline constexpr std::u16string_view DataErrorCaption = u"에러";

// "파일 만든 날짜 = 2007.11.05_09:30:00" from the header's creation fields.
std::u16string CreationDateLine(const TDataFileHeader& header);

// The path as the messages show it.
std::u16string PathText(const std::filesystem::path& path);
