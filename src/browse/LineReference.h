#pragma once

// Line references as readers write them: a line id ("T01n0001_p0011a08", "K01n0001_p0011a08",
// the 17 units of a line head before its closing unit) or, for Taishō lines, the scholarly
// form ("T01, no. 1, p. 11a08", "T01n0001, p. 11a08", "T1 p11a8": volume, optional text
// number, page, column a/b/c and line; blanks, commas and "no."/"p." optional, leading zeros
// optional). Also the catalogue titles a reader goes to ("중아함 30", "잡아함 0602").

#include "data/HanmoonText.h"
#include "data/Vesko3Common.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The units of a line id: the line head without its closing unit.
inline constexpr std::int64_t LineIdLength = LineHeadLength - 1;

// A Taishō line by its numbers.
struct TTaishoLine
{
    std::int32_t Volume = 0;
    std::optional<std::int32_t> Text; // the text number; a scholar may leave it out
    std::int32_t Page = 0;
    char16_t Column = u'a'; // a, b or c
    std::int32_t Line = 0;
};

// A line id of the usual shape, "T01n0001_p0011a08" or "K01n0001_p0011a08": its letter and numbers.
struct TNumberedLineId
{
    char16_t Opener = SinsuHeadOpener;
    TTaishoLine Numbers; // Text is always set
};

// What ParseLineReference read: either a line id as given, or a Taishō line by its numbers.
struct TLineReference
{
    // The 17 units when the reference was written as a line id, else empty. Held in place:
    // a reference is made and dropped for every line a list asks for.
    std::u16string_view Id() const { return {IdUnits.data(), HasId ? IdUnits.size() : 0}; }

    std::array<char16_t, LineIdLength> IdUnits{};
    bool HasId = false;
    std::optional<TTaishoLine> Taisho;
    // An id of the usual shape read once, so that looking it up does not read it again.
    std::optional<TNumberedLineId> Numbered;
};

std::optional<TNumberedLineId> ParseNumberedLineId(std::u16string_view id);

// The numbers of a Taishō line id "T01n0001_p0011a08" (exactly that shape); nullopt for any
// other text, among them every 고려대장경 id.
std::optional<TTaishoLine> ParseTaishoLineId(std::u16string_view id);

// "T01n0001_p0011a08" for a line with its text number whose numbers fit the id's widths;
// empty otherwise.
std::u16string TaishoLineId(const TTaishoLine& line);

// A reference in any of the forms above, blanks at both ends ignored; nullopt when the text
// is in none of them (a malformed reference, as against one naming no line).
std::optional<TLineReference> ParseLineReference(std::u16string_view text);

// The catalogue position of a title written as a collection name and a number ("중아함 30",
// "잡아함 0602", blanks optional): the sutra whose title has the same words before its
// number and the same number in value; nullopt when none has.
std::optional<std::int32_t> FindCatalogueTitle(const TVesko_File& catalogue, std::u16string_view text);
