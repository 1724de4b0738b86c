#pragma once

// Records of the six data files and their in-memory form.
//
// Every data file opens with a 256-byte header of 32-bit signed little-endian fields
// (TDataFileHeader). The records below mirror the on-disk layout field for field; they are
// filled through TByteReader, never by casting file bytes, so the host's byte order and
// padding do not matter. The static_asserts pin the layout the writer and reader share.

#include "data/CharacterRecords.h"
#include "util/BulkMemory.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::int32_t TextFileMagic = 200700;    // VESKO3.A0, A1, A2
inline constexpr std::int32_t ReadingFileMagic = 200701; // VESKO3.C0
inline constexpr std::int32_t VariantFileMagic = 200702; // VESKO3.H0, H1
inline constexpr std::int32_t DataFileVersion = 3;

inline constexpr std::size_t HeaderSize = 256;
inline constexpr std::size_t SuttaEntrySize = 232;
inline constexpr std::size_t JoojeEntryFixedSize = 68; // name and count; the indexes follow
inline constexpr int NameUnits = 32;                   // Title, Name: UTF-16 units, 0-padded
inline constexpr int MaxSuttaCount = 2500;
inline constexpr int MaxJoojeSuttas = 300;
// Subjects per data set. The catalogue holds at most 2500 sutras, so twice that many
// subjects serves any real collection, while bounding the subject table at a few megabytes.
inline constexpr int MaxJoojeCount = 5000;
inline constexpr std::size_t LargestJoojeEntrySize = JoojeEntryFixedSize + 4 * MaxJoojeSuttas;
// Offsets in a data file are signed 32-bit byte counts, so every region must end within them.
inline constexpr std::int64_t MaxDataFileBytes = 2147483647;
// The most UTF-16 units a text area can hold, before the tables take their share.
inline constexpr std::int64_t MaxTextAreaUnits = (MaxDataFileBytes - std::int64_t(HeaderSize)) / 2;
inline constexpr int KindSlots = 8; // slot 0 is the total, 1 to 7 the collections
// The collections by kind, 0 all of them, as the lists' filters, the search and the titles
// ("중아함 0030") name them.
inline constexpr std::u16string_view KindNames[] = {u"전체", u"장아함", u"중아함", u"잡아함", u"증일아함"};
inline constexpr int TextFileCount = 3;
inline constexpr int VariantFileCount = 2;
inline constexpr std::int32_t LargestVariantGroupStart = 65535; // CharIndex holds group starts in 16 bits

// The text families, each one text file, as TextFiles indexes them. The Korean file is the
// catalogue file: it alone holds the subjects, summaries and the numbering the lists show.
inline constexpr int HanFamily = 0;   // VESKO3.A0, the Korean translation
inline constexpr int KorFamily = 1;   // VESKO3.A1, 고려대장경
inline constexpr int SinsuFamily = 2; // VESKO3.A2, 신수대장경
// The families by the names the window and the citations give them.
inline constexpr std::u16string_view FamilyEditionNames[TextFileCount] = {u"한글대장경", u"고려대장경", u"신수대장경"};

// Zero units kept after every loaded text, so that a look one unit past its end reads 0.
inline constexpr std::size_t TextSpareUnits = 10;

// Names of the data files inside the Data folder, in load order.
inline constexpr std::u16string_view TextFileNames[TextFileCount] = {u"VESKO3.A0", u"VESKO3.A1", u"VESKO3.A2"};
inline constexpr std::u16string_view VariantFileNames[VariantFileCount] = {u"VESKO3.H0", u"VESKO3.H1"};
inline constexpr std::u16string_view ReadingFileName = u"VESKO3.C0";

// The 256-byte header. Reserved ranges are kept byte for byte and never interpreted.
struct TDataFileHeader
{
    std::uint8_t Reserved0[32];
    std::int32_t Magic;
    std::int32_t Version;
    std::uint8_t Reserved40[4];
    std::int32_t DataLength;    // variant and reading files: UTF-16 units after the header
    std::int32_t CatalogueFlag; // text files: 0 for the file the catalogue is built from
    std::uint8_t Reserved52[64];
    std::int32_t KindCounts[KindSlots];
    std::int32_t CreatedYear;
    std::int32_t CreatedMonth;
    std::int32_t CreatedDay;
    std::int32_t CreatedHour;
    std::int32_t CreatedMinute;
    std::int32_t CreatedSecond;
    std::int32_t SuttaTableOffset; // bytes
    std::int32_t SuttaCount;
    std::int32_t JoojeTableOffset; // bytes
    std::int32_t JoojeCount;
    std::int32_t TextOffset; // bytes
    std::int32_t TextLength; // UTF-16 units
    std::uint8_t Reserved196[60];
};
static_assert(sizeof(TDataFileHeader) == HeaderSize);
static_assert(offsetof(TDataFileHeader, Magic) == 32);
static_assert(offsetof(TDataFileHeader, Version) == 36);
static_assert(offsetof(TDataFileHeader, DataLength) == 44);
static_assert(offsetof(TDataFileHeader, CatalogueFlag) == 48);
static_assert(offsetof(TDataFileHeader, KindCounts) == 116);
static_assert(offsetof(TDataFileHeader, CreatedYear) == 148);
static_assert(offsetof(TDataFileHeader, CreatedSecond) == 168);
static_assert(offsetof(TDataFileHeader, SuttaTableOffset) == 172);
static_assert(offsetof(TDataFileHeader, SuttaCount) == 176);
static_assert(offsetof(TDataFileHeader, JoojeTableOffset) == 180);
static_assert(offsetof(TDataFileHeader, JoojeCount) == 184);
static_assert(offsetof(TDataFileHeader, TextOffset) == 188);
static_assert(offsetof(TDataFileHeader, TextLength) == 192);
static_assert(offsetof(TDataFileHeader, Reserved196) == 196);

// One sutra, 232 bytes in the file. Ranges count UTF-16 units into the file's text area.
struct TSuttaEntry
{
    std::int32_t Number; // 0-based; equals the entry's position in file 0
    std::int32_t Kind;   // collection 1 to 4 (the format counts up to 7)
    std::int32_t Reserved8;
    std::int32_t TextSize; // the largest over all files, plus 100, sizes the search's work arrays
    std::int32_t SubjectStart;
    std::int32_t SubjectLength;
    std::int32_t BodyStart;
    std::int32_t BodyLength;
    std::int32_t SummaryStart;
    std::int32_t SummaryLength;
    std::uint8_t Reserved40[64];
    char16_t Title[NameUnits]; // ends at its first 0 unit or after 32 units
    char16_t Name[NameUnits];
};
static_assert(sizeof(TSuttaEntry) == SuttaEntrySize);
static_assert(offsetof(TSuttaEntry, TextSize) == 12);
static_assert(offsetof(TSuttaEntry, BodyStart) == 24);
static_assert(offsetof(TSuttaEntry, SummaryLength) == 36);
static_assert(offsetof(TSuttaEntry, Title) == 104);
static_assert(offsetof(TSuttaEntry, Name) == 168);

// One subject. In the file: Name (64 bytes), Count, then Count int32 sutra indexes, so an
// entry takes 68 + 4 * Count bytes and the next one follows directly. In memory the indexes
// are held at their real length, so that a table of small subjects stays near its file size.
struct TJoojeEntry
{
    char16_t Name[NameUnits];
    std::int32_t Count;
    std::vector<std::int32_t> Suttas; // Count indexes
};

struct TVesko_SuttaTable
{
    std::int32_t Count = 0;
    std::vector<TSuttaEntry> Items = std::vector<TSuttaEntry>(1); // Count + 1, the last all zero
};

struct TVesko_JoojeTable
{
    std::int32_t Count = 0;
    std::vector<TJoojeEntry> Items = std::vector<TJoojeEntry>(1); // Count + 1, the last all zero
};

// Catalogue positions in name order: the first SuttaTable.Count places hold every position
// once, the rest 0.
using TNamePositions = std::array<std::int32_t, MaxSuttaCount>;

// The catalogue's order by name, kept once made (NameOrderOf in data/TextFile.h makes it when
// it is first read). Collating the names costs more than parsing the file and only the lists
// by name read it, so a run that shows no such list never pays for it. Threads may ask at
// once: every one of them gets the one order kept.
class TNameOrder
{
public:
    TNameOrder() = default;
    TNameOrder(const TNameOrder& other) : Kept(other.Made()) {}
    TNameOrder& operator=(const TNameOrder& other)
    {
        Kept.store(other.Made(), std::memory_order_release);
        return *this;
    }

    // The order kept, or null while none has been made.
    std::shared_ptr<const TNamePositions> Made() const { return Kept.load(std::memory_order_acquire); }
    // Keeps order unless another thread kept one first; returns the one kept.
    const TNamePositions& Keep(std::shared_ptr<const TNamePositions> order) const;
    // Replaces the order kept, made or not.
    void Set(std::shared_ptr<const TNamePositions> order) { Kept.store(std::move(order), std::memory_order_release); }

private:
    mutable std::atomic<std::shared_ptr<const TNamePositions>> Kept;
};

// The units of a loaded text area, read into memory of their own or, for the command-line
// tool, the file's own pages; a resize leaves them for the caller to write.
using TTextUnits = TUnitBuffer;

// A loaded scripture text file (VESKO3.A0 Korean, A1 고려대장경, A2 신수대장경).
struct TVesko_File
{
    TDataFileHeader Header{};
    TVesko_SuttaTable SuttaTable;
    TVesko_JoojeTable JoojeTable;
    TTextUnits Text;      // TextLength + TextSpareUnits units, unit TextLength is 0; empty when not loaded
    TNameOrder NameOrder; // of the catalogue file only; read it through NameOrderOf

    std::int32_t TextLength() const { return Header.TextLength; }
};

// A loaded variant-character file: groups of characters, each ended by a 0 unit.
struct TVariantFile
{
    TDataFileHeader Header{};
    std::vector<std::uint16_t> CharIndex = std::vector<std::uint16_t>(65536); // start of the last group holding c
    std::vector<char16_t> Text;                                               // DataLength + TextSpareUnits units
};

// The loaded reading table: entry c is the Korean reading of code unit c.
struct TReadingFile
{
    TDataFileHeader Header{};
    std::vector<char16_t> Text; // DataLength + TextSpareUnits units
};

// The six loaded files and the optional ones; they live for the whole run and are read-only
// after loading.
struct TLoadedData
{
    std::array<TVesko_File, TextFileCount> TextFiles;
    std::array<TVariantFile, VariantFileCount> VariantFiles;
    TReadingFile ReadingFile;
    TCharacterFile CharacterFile; // Loaded only when the data set has one
};

// The text of a 32-unit name field: up to its first 0 unit, at most 32 units.
std::u16string_view FieldText(const char16_t (&field)[NameUnits]);
