#pragma once

// The texts the eight views show for one sutra.

#include "data/Vesko3Common.h"

#include <string>

// "#제목:" + title + "  " + name + "\r\n\r\n", from the catalogue file's entry n.
std::u16string TitleLine(const TVesko_File& catalogue, std::int32_t n);

struct TSutraViewTexts
{
    std::u16string TotalHan;   // title line, Korean body, "\r\n"; HanRichEdit0 shows the same
    std::u16string HanSubject; // subject text, "\r\n"
    std::u16string HanSummary; // summary text, "\r\n"
    std::u16string TotalKor;   // title line, 고려대장경 body without line heads, "\r\n"; KorRichEdit the same
    std::u16string TotalSinsu; // title line, 신수대장경 body without line heads, "\r\n"; SinsuRichEdit the same
};

// The view texts of catalogue position n, which must lie below the catalogue's Count.
TSutraViewTexts BuildSutraViewTexts(const TLoadedData& data, std::int32_t n);
