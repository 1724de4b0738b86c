#include "browse/SutraTexts.h"

#include "data/HanmoonText.h"
#include "util/MyWideString.h"

#include <algorithm>

using namespace SutraTextPieces;

namespace {

constexpr std::array<std::u16string_view, SutraViewCount> ViewNames = {
    u"total-han", u"han-body", u"han-subject", u"han-summary", u"total-kor", u"kor", u"total-sinsu", u"sinsu"};

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

std::u16string_view NormalizedFamilyViewText(const TLoadedData& data, std::int32_t n, int family,
                                             std::vector<char16_t>& out)
{
    for (const TVesko_File& file : data.TextFiles)
        if (!IsEntry(file, n)) return {};
    if (family != HanFamily && family != KorFamily && family != SinsuFamily) return {};
    const TVesko_File& file = data.TextFiles[family];
    const TSuttaEntry& e = file.SuttaTable.Items[n];
    const std::u16string title = TitleLine(data.TextFiles[HanFamily], n);
    // Normalising never lengthens a text: the pieces' units are room enough.
    const auto size = static_cast<std::int64_t>(file.Text.size());
    const std::int64_t body =
        std::clamp<std::int64_t>(e.BodyLength, 0, size - std::clamp<std::int64_t>(e.BodyStart, 0, size));
    const std::size_t room = title.size() + static_cast<std::size_t>(body) + 2;
    if (out.size() < room) out.resize(std::max(room, 2 * out.size()));
    TLineBreakNormalizer normalizer;
    char16_t* end = out.data();
    if (family == HanFamily) {
        HanBodyPieces(file, n, title, [&](std::u16string_view piece) { end = normalizer.Write(piece, end); });
    } else {
        // The pieces HanmoonPieces joins, the body read in one pass.
        end = normalizer.Write(title, end);
        end = WriteHanmoonText(file.Text, file.TextLength(), e.BodyStart, e.BodyLength, normalizer, end);
        end = normalizer.Write(u"\r\n", end);
    }
    return {out.data(), static_cast<std::size_t>(end - out.data())};
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
