#include "browse/SutraTexts.h"

#include "data/HanmoonText.h"
#include "util/MyWideString.h"

#include <algorithm>

namespace {

constexpr std::array<std::u16string_view, SutraViewCount> ViewNames = {
    u"total-han", u"han-body", u"han-subject", u"han-summary", u"total-kor", u"kor", u"total-sinsu", u"sinsu"};

bool IsEntry(const TVesko_File& file, std::int32_t n)
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

// A view text built at its final size, so that a large sutra costs one allocation a view.
template <typename Pieces>
std::u16string JoinedPieces(const TVesko_File& file, std::int32_t n, std::u16string_view titleLine, Pieces pieces)
{
    if (!IsEntry(file, n)) return {};
    const TSuttaEntry& e = file.SuttaTable.Items[n];
    std::u16string text;
    text.reserve(titleLine.size() + static_cast<std::size_t>(std::max(e.BodyLength, 0)) + 2);
    pieces(file, n, titleLine, [&](std::u16string_view piece) { text += piece; });
    return text;
}

} // namespace

std::u16string TitleLine(const TVesko_File& catalogue, std::int32_t n)
{
    if (!IsEntry(catalogue, n)) return {};
    const TSuttaEntry& e = catalogue.SuttaTable.Items[n];
    return u"#제목:" + std::u16string(FieldText(e.Title)) + u"  " + std::u16string(FieldText(e.Name)) + u"\r\n\r\n";
}

std::u16string HanBodyViewText(const TVesko_File& han, std::int32_t n, std::u16string_view titleLine)
{
    return JoinedPieces(han, n, titleLine,
                        [](const TVesko_File& file, std::int32_t at, std::u16string_view title, auto&& onPiece) {
                            HanBodyPieces(file, at, title, onPiece);
                        });
}

std::u16string HanSubjectViewText(const TVesko_File& han, std::int32_t n)
{
    if (!IsEntry(han, n)) return {};
    const TSuttaEntry& e = han.SuttaTable.Items[n];
    return CopyWideChars(han.Text, e.SubjectStart, e.SubjectLength) + u"\r\n";
}

std::u16string HanSummaryViewText(const TVesko_File& han, std::int32_t n)
{
    if (!IsEntry(han, n)) return {};
    const TSuttaEntry& e = han.SuttaTable.Items[n];
    return CopyWideChars(han.Text, e.SummaryStart, e.SummaryLength) + u"\r\n";
}

std::u16string HanmoonViewText(const TVesko_File& file, std::int32_t n, std::u16string_view titleLine)
{
    return JoinedPieces(file, n, titleLine,
                        [](const TVesko_File& f, std::int32_t at, std::u16string_view title, auto&& onPiece) {
                            HanmoonPieces(f, at, title, onPiece);
                        });
}

TSutraViewTexts BuildSutraViewTexts(const TLoadedData& data, std::int32_t n)
{
    for (const TVesko_File& file : data.TextFiles)
        if (!IsEntry(file, n)) return {};
    const TVesko_File& han = data.TextFiles[HanFamily];
    const std::u16string title = TitleLine(han, n);
    TSutraViewTexts texts;
    texts.TotalHan = HanBodyViewText(han, n, title);
    texts.HanSubject = HanSubjectViewText(han, n);
    texts.HanSummary = HanSummaryViewText(han, n);
    texts.TotalKor = HanmoonViewText(data.TextFiles[KorFamily], n, title);
    texts.TotalSinsu = HanmoonViewText(data.TextFiles[SinsuFamily], n, title);
    return texts;
}

std::u16string FamilyViewText(const TLoadedData& data, std::int32_t n, int family)
{
    for (const TVesko_File& file : data.TextFiles)
        if (!IsEntry(file, n)) return {};
    const std::u16string title = TitleLine(data.TextFiles[0], n);
    if (family == HanFamily) return HanBodyViewText(data.TextFiles[0], n, title);
    if (family == KorFamily || family == SinsuFamily) return HanmoonViewText(data.TextFiles[family], n, title);
    return {};
}

void ForEachFamilyViewPiece(const TLoadedData& data, std::int32_t n, int family,
                            const std::function<void(std::u16string_view)>& onPiece)
{
    for (const TVesko_File& file : data.TextFiles)
        if (!IsEntry(file, n)) return;
    const std::u16string title = TitleLine(data.TextFiles[0], n);
    if (family == HanFamily) HanBodyPieces(data.TextFiles[0], n, title, onPiece);
    if (family == KorFamily || family == SinsuFamily) HanmoonPieces(data.TextFiles[family], n, title, onPiece);
}

const std::u16string& SutraViewText(const TSutraViewTexts& texts, TSutraView view)
{
    switch (view) {
    case TSutraView::TotalHan:
    case TSutraView::HanBody:
        return texts.TotalHan;
    case TSutraView::HanSubject:
        return texts.HanSubject;
    case TSutraView::HanSummary:
        return texts.HanSummary;
    case TSutraView::TotalKor:
    case TSutraView::Kor:
        return texts.TotalKor;
    case TSutraView::TotalSinsu:
    case TSutraView::Sinsu:
        break;
    }
    return texts.TotalSinsu;
}

std::u16string_view SutraViewName(TSutraView view)
{
    const auto index = static_cast<std::size_t>(view);
    return index < ViewNames.size() ? ViewNames[index] : std::u16string_view();
}

std::optional<TSutraView> SutraViewFromName(std::u16string_view name)
{
    for (std::size_t i = 0; i < ViewNames.size(); ++i)
        if (ViewNames[i] == name) return static_cast<TSutraView>(i);
    return std::nullopt;
}

int ViewPageAfterShow(int activePage)
{
    return activePage >= SutraViewTabCount ? TogetherViewTab : activePage;
}
