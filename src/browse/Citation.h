#pragma once

// Citing a passage of a view: the edition and its lines, then the catalogue title and name.
//
//   「selection」(신수대장경 T01, no. 1, p. 11a08–10; 장아함 0002 유행경)
//
// Taishō lines are cited the way scholars write them: within one column only the last line
// number follows the dash ("p. 11a08–10"), within one page the column and line ("p. 11a08–b03"),
// across pages the page as well ("p. 11a08–12b03"). Other heads are cited by their line ids
// ("고려대장경 K01n0001_p0011a08–K01n0001_p0011a10"). A passage of one line names it once. The
// Korean views cite the title and name alone.

#include "data/Vesko3Common.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The edition part of a citation for the lines from firstId to lastId of family's text:
// "신수대장경 T01, no. 1, p. 11a08–10".
std::u16string EditionCitation(int family, std::u16string_view firstId, std::u16string_view lastId);

struct TCitation
{
    std::u16string FirstId, LastId; // the lines of the first and the last unit; empty for the Korean family
    std::u16string Text;            // "(신수대장경 T01, no. 1, p. 11a08–10; 장아함 0002 유행경)"
};

// The citation of a Korean view of catalogue position n, "(장아함 0002 유행경)", whichever part
// of it is quoted; nullopt when n is no position of the catalogue.
std::optional<TCitation> CiteSutra(const TLoadedData& data, std::int32_t n);

// The citation of view positions [start, end) of family's view text of catalogue position n;
// nullopt when start >= end, the range reaches outside the view text, n is no position of the
// catalogue, or a Chinese view text has no line heads to cite.
std::optional<TCitation> CiteViewRange(const TLoadedData& data, std::int32_t n, int family, std::int32_t start,
                                       std::int32_t end);

// 「selection」 followed by the citation: the line breaks of a Chinese selection become nothing,
// a Korean selection stays as it is.
std::u16string QuoteWithCitation(std::u16string_view selection, int family, const TCitation& citation);
