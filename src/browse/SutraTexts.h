#pragma once

// The texts the eight views show for one sutra.

#include "data/Vesko3Common.h"

#include <array>
#include <optional>
#include <functional>
#include <string>
#include <string_view>

// "#제목:" + title + "  " + name + "\r\n\r\n", from the catalogue file's entry n; empty when
// n is no position of the catalogue.
std::u16string TitleLine(const TVesko_File& catalogue, std::int32_t n);

struct TSutraViewTexts
{
    std::u16string TotalHan;   // title line, Korean body, "\r\n"; HanRichEdit0 shows the same
    std::u16string HanSubject; // subject text, "\r\n"
    std::u16string HanSummary; // summary text, "\r\n"
    std::u16string TotalKor;   // title line, 고려대장경 body without line heads, "\r\n"; KorRichEdit the same
    std::u16string TotalSinsu; // title line, 신수대장경 body without line heads, "\r\n"; SinsuRichEdit the same
};

// The texts of one family's views for catalogue position n, each opened by titleLine where
// its view carries one; empty when n is no position of that file.
std::u16string HanBodyViewText(const TVesko_File& han, std::int32_t n, std::u16string_view titleLine);
std::u16string HanSubjectViewText(const TVesko_File& han, std::int32_t n);
std::u16string HanSummaryViewText(const TVesko_File& han, std::int32_t n);
std::u16string HanmoonViewText(const TVesko_File& file, std::int32_t n, std::u16string_view titleLine);

// The view texts of catalogue position n. A position outside any of the three sutra tables
// gives empty texts rather than reading past a table.
TSutraViewTexts BuildSutraViewTexts(const TLoadedData& data, std::int32_t n);

// The text of family (0 Korean body, 1 고려대장경, 2 신수대장경) that BuildSutraViewTexts
// gives as TotalHan, TotalKor or TotalSinsu, without building the others.
std::u16string FamilyViewText(const TLoadedData& data, std::int32_t n, int family);

// The pieces FamilyViewText joins, in order, for a caller that reads the text as it comes.
void ForEachFamilyViewPiece(const TLoadedData& data, std::int32_t n, int family,
                            const std::function<void(std::u16string_view)>& onPiece);

// The eight views, in the order the window fills them.
enum class TSutraView
{
    TotalHan,   // TotalHanRichEdit
    HanBody,    // HanRichEdit0
    HanSubject, // HanRichEdit1
    HanSummary, // HanRichEdit2
    TotalKor,   // TotalKorRichEdit
    Kor,        // KorRichEdit
    TotalSinsu, // TotalSinsuRichEdit
    Sinsu,      // SinsuRichEdit
};
inline constexpr int SutraViewCount = 8;

// The text view v shows.
const std::u16string& SutraViewText(const TSutraViewTexts& texts, TSutraView view);

// The command-line names of the views: total-han, han-body, han-subject, han-summary,
// total-kor, kor, total-sinsu, sinsu.
std::u16string_view SutraViewName(TSutraView view);
std::optional<TSutraView> SutraViewFromName(std::u16string_view name);

// The tabs of ViewPage, in order: "함께보기" shows every family, then each family has a tab
// of its own; the tabs after those hold no sutra text.
inline constexpr int TogetherViewTab = 0;
inline constexpr int HanViewTab = 1;
inline constexpr int KorViewTab = 2;
inline constexpr int SinsuViewTab = 3;
inline constexpr int SutraViewTabCount = 4;

// The tab of a text family's own views.
constexpr int FamilyViewTab(int family)
{
    return HanViewTab + family;
}
static_assert(FamilyViewTab(HanFamily) == HanViewTab && FamilyViewTab(KorFamily) == KorViewTab &&
              FamilyViewTab(SinsuFamily) == SinsuViewTab);

// The ViewPage tab after a sutra is shown while tab activePage is open: the tabs holding
// the sutra's texts stay; from any later tab the display switches to "함께보기".
int ViewPageAfterShow(int activePage);
