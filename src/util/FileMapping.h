#pragma once

// Large texts used in place from their files' own pages, which costs neither the copy of a
// read nor fresh memory. A mapped file stays open to change by others: cut short, its pages
// beyond the new end would raise a bus error on the next look. Such a look instead finds
// zeros, and the change is remembered; a file changed in any other way is found by its size
// and times. Whoever maps must ask TakeChangedMappedFile before it trusts what it made from
// the texts, and report a change as an unreadable file.

#include "util/BulkMemory.h"
#include "util/Files.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

enum class TMapResult
{
    Mapped,
    NotMapped,  // not on this system, host or offset, or not worth it: read the units instead
    ReadFailed, // the file no longer holds the units
};

// Whether this build and host map texts at all (little-endian Linux without AddressSanitizer,
// which keeps the bus error to itself).
bool TextMappingAvailable();

// Puts the count little-endian UTF-16 units at offset of file (opened from path, the region
// checked to lie within it) into out, followed by spare zero units: the whole pages of the
// region mapped privately, the units after the last whole page read into memory of their own.
TMapResult MapUnitsAt(TFileReader& file, const std::filesystem::path& path, std::uint64_t offset, std::size_t count,
                      std::size_t spare, TUnitBuffer& out);

// The first mapped file, still mapped or let go since, that changed since it was mapped or
// last reported; nullopt when none did. Each change is reported once.
std::optional<std::filesystem::path> TakeChangedMappedFile();
