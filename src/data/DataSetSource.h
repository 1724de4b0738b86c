#pragma once

// Reading a data set's source folder, the UTF-8 files that `vesko3-tool build` turns into the
// six data files:
//
//   catalogue.tsv   header line, then per sutra: number TAB kind TAB title TAB name [TAB ignored]
//                   (numbers 1-based and consecutive, kind 1 to 7, title and name at most 32 units)
//   subjects.tsv    header line, then per subject: name TAB comma-separated sutra numbers (at most 300)
//   han/NNNN.txt    Korean body; han-subject/ and han-summary/ its subject and summary (missing: empty)
//   kor/NNNN.txt    고려대장경 body; sinsu/NNNN.txt 신수대장경 body
//   readings.tsv    per line: character TAB its reading, one character each, neither a control character
//   variants0.txt, variants1.txt   one variant group per line, its characters one after another
//   parallels.tsv   optional: each sutra's parallels, as ParallelSource.h describes
//
// NNNN is the sutra number in 4 digits, more when the catalogue needs them. Every file is
// UTF-8; a leading byte-order mark is dropped and invalid UTF-8 is rejected. In texts every
// line break (CR LF, a lone CR or a lone LF) becomes CR LF, and a break at the very end of a
// file is not part of the text; nothing else changes. Blank lines of the table files are
// ignored. The reading table and the variant groups are indexed by UTF-16 unit, so characters
// outside the BMP are skipped there and counted. A character without a reading line reads as
// itself, so the conversion leaves it unchanged.

#include "data/DataWriter.h"
#include "util/Result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// What the source held that the data files cannot: characters outside the BMP.
struct TSourceSkips
{
    std::int64_t Readings = 0;          // readings.tsv lines whose character or reading lies outside the BMP
    std::int64_t VariantCharacters = 0; // characters of variant groups outside the BMP
};

// Reads the source folder into source. On failure the message tells what is wrong, as
// "path:line: message" (or "path: message" for a whole file), and source is left empty.
TResult ReadSourceFolder(const std::filesystem::path& folder, TDataSetSource& source, TSourceSkips& skips);

// Writes source into folder in the same format, so that reading it back gives the same
// source; a reading entry that is 0 or the character itself gets no line. Fails for a field
// the format cannot hold and for a file or folder that cannot be written.
TResult WriteSourceFolder(const TDataSetSource& source, const std::filesystem::path& folder);

// Decodes the UTF-8 bytes of a source file into text with the line breaks made CR LF, the
// final break and a leading byte-order mark dropped. Returns 0, or the 1-based line of the
// first byte that is not valid UTF-8.
std::size_t DecodeSourceText(std::string_view bytes, std::u16string& text);

// "0001.txt": the file name of sutra number (1-based) in a catalogue of count sutras.
std::u16string SourceTextFileName(std::int32_t number, std::size_t count);

// "2007-11-05T09:30:00" as a creation date; nullopt for any other form or an impossible date.
std::optional<TCreationDate> ParseCreationDate(std::string_view text);
