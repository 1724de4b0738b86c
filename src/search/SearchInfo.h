#pragma once

// The state of the last search: its options, words and per-sutra hit flags, and the work
// area of the matcher.

#include "data/Vesko3Common.h"
#include "search/SearchIndex.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct TReadingIndex;

inline constexpr int MaxSearchWords = 20;
inline constexpr int WordSlotUnits = 100; // a word of at most 99 units and its terminating 0
inline constexpr int HitFlagSlots = 2501;
inline constexpr int WorkSpareUnits = 100; // room for the title line the hit display puts before a body

// TitleIndex values: the canon searched.
inline constexpr std::int32_t HanCanon = 0;
inline constexpr std::int32_t KorCanon = 1;
inline constexpr std::int32_t SinsuCanon = 2;
inline constexpr std::int32_t BothHanmoonCanons = 3;

// A single canon is searched in the text family of the same index.
static_assert(HanCanon == HanFamily && KorCanon == KorFamily && SinsuCanon == SinsuFamily);

// HitFlags bits, one per text family: 1 << family.
inline constexpr std::uint8_t HanHit = 1u << HanFamily;
inline constexpr std::uint8_t KorHit = 1u << KorFamily;
inline constexpr std::uint8_t SinsuHit = 1u << SinsuFamily;

struct TSearchInfo
{
    std::int32_t TitleIndex = 0; // 0 Korean, 1 고려대장경, 2 신수대장경, 3 both Chinese texts
    std::int32_t KindIndex = 0;  // 0 all collections, else the collection code
    std::int32_t SearchMode = 0; // 0 any word, 1 every word
    bool SameCharacter = false;  // variant forms count (Chinese texts only)
    bool ByReading = false;      // Hangul syllables stand for the characters reading so (Chinese texts only)
    std::int32_t WordCount = 0;
    std::array<std::array<char16_t, WordSlotUnits>, MaxSearchWords> Words{};

    struct
    {
        std::int32_t WorkSize = 0;
        std::int32_t OccurrenceCount = 0;
        std::vector<std::uint8_t>
            Marks; // Marks[p]: the character at p (from 1) of the text matched last is in an occurrence
        std::int32_t PositionCount = 0;
        std::vector<std::int32_t> Positions;
    } Work;

    std::int32_t HitCount = 0;
    std::array<std::uint8_t, HitFlagSlots> HitFlags{}; // 1 Korean, 2 고려대장경, 4 신수대장경

    // Prepared with the work arrays when the data are loaded (PrepareSearch), its families
    // made by the first scan that reads them; a search never resets it. Without it the
    // scan reads the loaded buffers, only slower.
    TSearchIndex Index;
    // The characters of each reading, made from the character file when the data are loaded
    // (ReadingSearch.h); null without one. Kept like Index.
    std::shared_ptr<const TReadingIndex> Readings;
};
