#pragma once

// Reading and patching little-endian fields of serialized data files in tests.

#include "data/Vesko3Common.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

inline std::int32_t GetInt32(const TBytes& bytes, std::size_t offset)
{
    return static_cast<std::int32_t>(std::uint32_t(bytes.at(offset)) | std::uint32_t(bytes.at(offset + 1)) << 8 |
                                     std::uint32_t(bytes.at(offset + 2)) << 16 |
                                     std::uint32_t(bytes.at(offset + 3)) << 24);
}

inline void PutInt32(TBytes& bytes, std::size_t offset, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

// Header field offsets, as the file stores them.
inline constexpr std::size_t MagicAt = offsetof(TDataFileHeader, Magic);
inline constexpr std::size_t VersionAt = offsetof(TDataFileHeader, Version);
inline constexpr std::size_t DataLengthAt = offsetof(TDataFileHeader, DataLength);
inline constexpr std::size_t CatalogueFlagAt = offsetof(TDataFileHeader, CatalogueFlag);
inline constexpr std::size_t KindCountsAt = offsetof(TDataFileHeader, KindCounts);
inline constexpr std::size_t SuttaTableOffsetAt = offsetof(TDataFileHeader, SuttaTableOffset);
inline constexpr std::size_t SuttaCountAt = offsetof(TDataFileHeader, SuttaCount);
inline constexpr std::size_t JoojeTableOffsetAt = offsetof(TDataFileHeader, JoojeTableOffset);
inline constexpr std::size_t JoojeCountAt = offsetof(TDataFileHeader, JoojeCount);
inline constexpr std::size_t TextOffsetAt = offsetof(TDataFileHeader, TextOffset);
inline constexpr std::size_t TextLengthAt = offsetof(TDataFileHeader, TextLength);

// Offset of a field of sutra entry i in a serialized text file.
inline std::size_t EntryFieldAt(const TBytes& bytes, int i, std::size_t fieldOffset)
{
    return static_cast<std::size_t>(GetInt32(bytes, SuttaTableOffsetAt)) + i * SuttaEntrySize + fieldOffset;
}
