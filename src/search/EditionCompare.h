#pragma once

// The two Chinese editions of a sutra compared character by character: their view texts are
// aligned with the fewest substitutions, insertions and deletions, and every maximal run of
// aligned positions that differ is one difference. The editions are nearly the same text, so
// the alignment walks the diagonals of the edit graph (furthest reach per number of edits),
// whose cost grows with the text times the number of edits rather than with the text squared.

#include "data/Vesko3Common.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// More edits than this are not aligned: the part between the common start and the common end
// is then one difference (two unrelated texts, which the editions never are).
inline constexpr std::int32_t MaxAlignedEdits = 2000;

// Positions are zero-based units of the view texts with each line break one character, as
// the hit display's runs are; [Begin, End), empty on the side that lacks the characters.
struct TEditionDifference
{
    std::int32_t KorBegin = 0, KorEnd = 0;
    std::int32_t SinsuBegin = 0, SinsuEnd = 0;
    // Every character is substituted (the lengths agree) and each pair lies in one variant group.
    bool Variant = false;
    bool operator==(const TEditionDifference&) const = default;
};

// The differences of kor against sinsu, in text order.
std::vector<TEditionDifference> AlignEditions(std::u16string_view kor, std::u16string_view sinsu,
                                              const std::array<TVariantFile, VariantFileCount>& variants);

struct TEditionComparison
{
    std::u16string Kor, Sinsu; // the view texts compared, line breaks one character each
    std::vector<TEditionDifference> Differences;
};

// The 고려대장경 and 신수대장경 view texts of catalogue position n compared.
TEditionComparison CompareEditions(const TLoadedData& data, std::int32_t n);

// Whether a and b lie in one group of either variant file.
bool InOneVariantGroup(const std::array<TVariantFile, VariantFileCount>& variants, char16_t a, char16_t b);

// The position of the other text aligned with position p of one text (fromKor: p is in the
// 고려 text): equal text maps one to one, a position inside a difference to that
// difference's start on the other side. Lets the two views scroll together.
std::int32_t AlignedPosition(const std::vector<TEditionDifference>& differences, std::int32_t p, bool fromKor);
