#include "browse/Citation.h"

#include "browse/LineIndex.h"
#include "browse/LineReference.h"
#include "util/MyUtils.h"

namespace {

constexpr char16_t RangeDash = u'\u2013';

// "T01, no. 1, p. 11a08–10" when both lines are Taishō lines of one text.
std::optional<std::u16string> TaishoCitation(std::u16string_view firstId, std::u16string_view lastId)
{
    const std::optional<TTaishoLine> first = ParseTaishoLineId(firstId);
    const std::optional<TTaishoLine> last = ParseTaishoLineId(lastId);
    if (!first || !last || first->Volume != last->Volume || first->Text != last->Text) return std::nullopt;
    // The volume as the id writes it; the text number and the page without their leading zeros.
    std::u16string text = std::u16string(firstId.substr(0, 3)) + u", no. " + DecimalText(*first->Text) + u", p. " +
                          DecimalText(first->Page) + first->Column + ZeroPad(first->Line, 2);
    if (firstId == lastId) return text;
    text += RangeDash;
    if (last->Page != first->Page) text += DecimalText(last->Page);
    if (last->Page != first->Page || last->Column != first->Column) text += last->Column;
    return text + ZeroPad(last->Line, 2);
}

bool IsLineBreak(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

std::u16string EditionCitation(int family, std::u16string_view firstId, std::u16string_view lastId)
{
    std::u16string text(FamilyEditionNames[family]);
    text += u' ';
    if (const std::optional<std::u16string> taisho = TaishoCitation(firstId, lastId)) return text + *taisho;
    text += firstId;
    if (lastId != firstId) text += RangeDash + std::u16string(lastId);
    return text;
}

std::optional<TCitation> CiteSutra(const TLoadedData& data, std::int32_t n)
{
    const TVesko_SuttaTable& table = data.TextFiles[HanFamily].SuttaTable;
    if (n < 0 || n >= table.Count) return std::nullopt;
    const TSuttaEntry& entry = table.Items[n];
    TCitation citation;
    citation.Text = u"(" + std::u16string(FieldText(entry.Title)) + u" " + std::u16string(FieldText(entry.Name)) + u")";
    return citation;
}

std::optional<TCitation> CiteViewRange(const TLoadedData& data, std::int32_t n, int family, std::int32_t start,
                                       std::int32_t end)
{
    if (family < 0 || family >= TextFileCount) return std::nullopt;
    const TSutraLines lines = SutraLines(data, n, family);
    if (lines.ViewLength == 0 || start < 0 || start >= end || end > lines.ViewLength) return std::nullopt;
    std::optional<TCitation> citation = CiteSutra(data, n);
    if (family == HanFamily || !citation) return citation;
    const std::optional<TSutraLine> first = LineHolding(lines.Lines, start);
    const std::optional<TSutraLine> last = LineHolding(lines.Lines, end - 1);
    if (!first || !last) return std::nullopt;
    citation->FirstId = LineId(data, family, *first);
    citation->LastId = LineId(data, family, *last);
    citation->Text.insert(1, EditionCitation(family, citation->FirstId, citation->LastId) + u"; ");
    return citation;
}

std::u16string QuoteWithCitation(std::u16string_view selection, int family, const TCitation& citation)
{
    std::u16string text = u"「";
    for (char16_t c : selection)
        if (family == HanFamily || !IsLineBreak(c)) text.push_back(c);
    return text + u"」" + citation.Text;
}
