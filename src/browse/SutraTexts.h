#pragma once

// The texts the eight views show for one sutra.

#include "data/HanmoonText.h"
#include "data/Vesko3Common.h"

#include <array>
#include <optional>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

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

namespace SutraTextPieces {

inline bool IsEntry(const TVesko_File& file, std::int32_t n)
{
    return n >= 0 && n < file.SuttaTable.Count && static_cast<std::size_t>(n) < file.SuttaTable.Items.size();
}

// The pieces a body view joins: the title line, the Korean body and a closing line break.
template <typename OnPiece>
void HanBodyPieces(const TVesko_File& han, std::int32_t n, std::u16string_view titleLine, OnPiece&& onPiece)
{
    const TSuttaEntry& e = han.SuttaTable.Items[n];
    // The range as CopyWideChars clamps it.
    const std::int64_t size = static_cast<std::int64_t>(han.Text.size());
    const std::int64_t first = std::clamp<std::int64_t>(e.BodyStart, 0, size);
    const std::int64_t count = std::clamp<std::int64_t>(e.BodyLength, 0, size - first);
    onPiece(titleLine);
    onPiece(std::u16string_view(han.Text.data() + first, static_cast<std::size_t>(count)));
    onPiece(u"\r\n");
}

// The same for a 고려대장경 or 신수대장경 body, in the runs left between its line heads.
template <typename OnPiece>
void HanmoonPieces(const TVesko_File& file, std::int32_t n, std::u16string_view titleLine, OnPiece&& onPiece)
{
    const TSuttaEntry& e = file.SuttaTable.Items[n];
    onPiece(titleLine);
    WalkHanmoonText(
        file.Text, file.TextLength(), e.BodyStart, e.BodyLength,
        [&](const char16_t* from, const char16_t* to) {
            onPiece(std::u16string_view(from, static_cast<std::size_t>(to - from)));
        },
        [](std::int64_t, std::int64_t) {});
    onPiece(u"\r\n");
}

} // namespace SutraTextPieces

// FamilyViewText with its line breaks normalised as TLineBreakNormalizer writes them,
// written over out, which grows as it must; the view of it, or an empty one when n is no
// position of the files.
std::u16string_view NormalizedFamilyViewText(const TLoadedData& data, std::int32_t n, int family,
                                             std::vector<char16_t>& out);

// The pieces FamilyViewText joins, in order, for a caller that reads the text as it comes.
template <typename OnPiece>
void ForEachFamilyViewPiece(const TLoadedData& data, std::int32_t n, int family, OnPiece&& onPiece)
{
    using namespace SutraTextPieces;
    for (const TVesko_File& file : data.TextFiles)
        if (!IsEntry(file, n)) return;
    const std::u16string title = TitleLine(data.TextFiles[0], n);
    if (family == HanFamily) HanBodyPieces(data.TextFiles[0], n, title, onPiece);
    if (family == KorFamily || family == SinsuFamily) HanmoonPieces(data.TextFiles[family], n, title, onPiece);
}

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
