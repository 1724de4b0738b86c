#include "browse/LineIndex.h"

#include "browse/SutraTexts.h"
#include "data/HanmoonText.h"

#include <algorithm>

namespace {

bool InEveryFile(const TLoadedData& data, std::int32_t n)
{
    for (const TVesko_File& file : data.TextFiles)
        if (n < 0 || n >= file.SuttaTable.Count || static_cast<std::size_t>(n) >= file.SuttaTable.Items.size())
            return false;
    return true;
}

bool IsChineseFamily(int family)
{
    return family == KorFamily || family == SinsuFamily;
}

// Walks the body of n in family's file: onLine(headOffset, viewPosition) for each line, and
// returns the view text's length. The view positions count from the start of the view text.
template <typename OnLine>
std::int32_t WalkSutraLines(const TLoadedData& data, std::int32_t n, int family, OnLine&& onLine)
{
    const TVesko_File& file = data.TextFiles[family];
    const TSuttaEntry& e = file.SuttaTable.Items[n];
    const auto title = static_cast<std::int32_t>(TitleLine(data.TextFiles[HanFamily], n).size());
    std::int64_t kept = 0;
    WalkHanmoonText(
        file.Text, file.TextLength(), e.BodyStart, e.BodyLength,
        [&](const char16_t* first, const char16_t* last) { kept += last - first; },
        [&](std::int64_t head, std::int64_t before) {
            onLine(static_cast<std::int32_t>(head), static_cast<std::int32_t>(title + before));
        });
    return static_cast<std::int32_t>(title + kept + 2); // the closing line break
}

// Volume, page, column and line packed into one key; every number within its id's width.
std::optional<std::uint64_t> TaishoNumbersKey(const TTaishoLine& line)
{
    if (line.Volume < 0 || line.Volume > 99 || line.Page < 0 || line.Page > 9999 || line.Line < 0 || line.Line > 99)
        return std::nullopt;
    return ((std::uint64_t(line.Volume) * 10000 + std::uint64_t(line.Page)) * 3 + (line.Column - u'a')) * 100 +
           std::uint64_t(line.Line);
}

} // namespace

TSutraLines SutraLines(const TLoadedData& data, std::int32_t n, int family)
{
    TSutraLines lines;
    if (!InEveryFile(data, n) || family < 0 || family >= TextFileCount) return lines;
    if (!IsChineseFamily(family)) {
        lines.ViewLength = static_cast<std::int32_t>(FamilyViewText(data, n, family).size());
        return lines;
    }
    lines.ViewLength = WalkSutraLines(data, n, family, [&](std::int32_t head, std::int32_t position) {
        lines.Lines.push_back({position, head});
    });
    return lines;
}

std::optional<TSutraLine> LineHolding(std::span<const TSutraLine> lines, std::int32_t p)
{
    if (lines.empty()) return std::nullopt;
    const auto after = std::upper_bound(lines.begin(), lines.end(), p,
                                        [](std::int32_t q, const TSutraLine& l) { return q < l.Position; });
    return after == lines.begin() ? lines.front() : *(after - 1);
}

std::u16string_view LineId(const TLoadedData& data, int family, const TSutraLine& line)
{
    const TTextUnits& text = data.TextFiles[family].Text;
    // Every head was recognised with its closing unit inside the text.
    return std::u16string_view(text.data() + line.Head, static_cast<std::size_t>(LineIdLength));
}

TLineIndex::TLineIndex(const TLoadedData& data)
{
    std::size_t heads = 0;
    for (int family : {KorFamily, SinsuFamily})
        heads += static_cast<std::size_t>(std::max(data.TextFiles[family].TextLength(), 0)) / 32;
    ById.reserve(heads);
    ByTaishoNumbers.reserve(heads / 2);
    for (int family : {KorFamily, SinsuFamily})
        for (std::int32_t n = 0; InEveryFile(data, n); ++n)
            AddSutraLines(data, n, family);
}

void TLineIndex::AddSutraLines(const TLoadedData& data, std::int32_t n, int family)
{
    const TTextUnits& text = data.TextFiles[family].Text;
    WalkSutraLines(data, n, family, [&](std::int32_t head, std::int32_t position) {
        const TLinePlace place{n, family, position};
        const std::u16string_view id(text.data() + head, static_cast<std::size_t>(LineIdLength));
        if (!ById.try_emplace(id, place).second || id.front() != SinsuHeadOpener) return;
        if (const std::optional<TTaishoLine> line = ParseTaishoLineId(id))
            if (const std::optional<std::uint64_t> key = TaishoNumbersKey(*line))
                ByTaishoNumbers.try_emplace(*key, place);
    });
}

std::optional<TLinePlace> TLineIndex::Find(const TLineReference& reference) const
{
    if (reference.Id.empty() && !reference.Taisho) return std::nullopt;
    std::u16string id = reference.Id;
    if (id.empty() && reference.Taisho->Text) id = TaishoLineId(*reference.Taisho);
    if (!id.empty()) {
        const auto found = ById.find(id);
        return found == ById.end() ? std::nullopt : std::optional(found->second);
    }
    if (reference.Taisho->Text) return std::nullopt; // numbers too wide for any id
    const std::optional<std::uint64_t> key = TaishoNumbersKey(*reference.Taisho);
    const auto found = key ? ByTaishoNumbers.find(*key) : ByTaishoNumbers.end();
    return found == ByTaishoNumbers.end() ? std::nullopt : std::optional(found->second);
}

std::optional<TLinePlace> FindGoToTarget(const TLoadedData& data, const TLineIndex& index, std::u16string_view text)
{
    if (const std::optional<TLineReference> reference = ParseLineReference(text)) return index.Find(*reference);
    if (const std::optional<std::int32_t> n = FindCatalogueTitle(data.TextFiles[HanFamily], text))
        return TLinePlace{*n, -1, 0};
    return std::nullopt;
}
