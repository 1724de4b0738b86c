#include "browse/CatalogueRows.h"

#include "data/TextFile.h"
#include "util/MyUtils.h"

#include <algorithm>

namespace {

std::u16string CountCaption(std::int64_t n)
{
    return DecimalText(n) + u" 개";
}

bool IsPosition(const TVesko_File& catalogue, std::int64_t p)
{
    return p >= 0 && p < catalogue.SuttaTable.Count && p < static_cast<std::int64_t>(catalogue.SuttaTable.Items.size());
}

TCatalogueRow SutraRow(const TVesko_File& catalogue, std::int32_t p, bool byName)
{
    const TSuttaEntry& e = catalogue.SuttaTable.Items[p];
    std::u16string title(FieldText(e.Title));
    std::u16string name(FieldText(e.Name));
    TCatalogueRow row;
    row.Position = p;
    row.Cells[0] = DecimalText(std::int64_t(e.Number) + 1);
    row.Cells[1] = byName ? name : title;
    row.Cells[2] = byName ? title : name;
    return row;
}

} // namespace

const TCatalogueRow& TCatalogueList::RowAt(std::int32_t i) const
{
    static const TCatalogueRow Blank;
    return i >= 0 && static_cast<std::size_t>(i) < Rows.size() ? Rows[i] : Blank;
}

std::optional<TCatalogueList> SutraListRows(const TVesko_File& catalogue, bool byName, int kind)
{
    if (kind < 0 || kind >= KindSlots) return std::nullopt;
    TCatalogueList list;
    list.RowCount = std::max(catalogue.Header.KindCounts[kind], 0);
    list.CountText = CountCaption(catalogue.Header.KindCounts[kind]);

    const TNamePositions* nameOrder = byName ? &NameOrderOf(catalogue) : nullptr;
    const std::int32_t count = std::min<std::int32_t>(catalogue.SuttaTable.Count, MaxSuttaCount);
    for (std::int32_t j = 0; j < count; ++j) {
        const std::int32_t p = nameOrder ? (*nameOrder)[j] : j;
        if (!IsPosition(catalogue, p)) continue;
        if (kind != 0 && catalogue.SuttaTable.Items[p].Kind != kind) continue;
        list.Rows.push_back(SutraRow(catalogue, p, byName));
    }
    return list;
}

TCatalogueList SubjectRows(const TVesko_File& catalogue)
{
    TCatalogueList list;
    const std::int32_t count = std::min<std::int32_t>(catalogue.JoojeTable.Count,
                                                      static_cast<std::int32_t>(catalogue.JoojeTable.Items.size()));
    list.RowCount = std::max(count, 0);
    for (std::int32_t s = 0; s < count; ++s) {
        const TJoojeEntry& subject = catalogue.JoojeTable.Items[s];
        TCatalogueRow row;
        row.Position = s;
        row.Cells[0] = std::u16string(FieldText(subject.Name));
        row.Cells[1] = CountCaption(subject.Count);
        list.Rows.push_back(std::move(row));
    }
    return list;
}

std::optional<TCatalogueList> SubjectSutraRows(const TVesko_File& catalogue, std::int32_t subjectRow)
{
    if (subjectRow < 0 || subjectRow >= catalogue.JoojeTable.Count ||
        static_cast<std::size_t>(subjectRow) >= catalogue.JoojeTable.Items.size())
        return std::nullopt;
    const TJoojeEntry& subject = catalogue.JoojeTable.Items[subjectRow];
    const std::int32_t count = std::clamp(subject.Count, 0, static_cast<std::int32_t>(subject.Suttas.size()));

    TCatalogueList list;
    list.RowCount = count;
    list.CountText = CountCaption(count);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t p = subject.Suttas[i];
        // The loader rejects such an index; a blank row keeps the rest in their places.
        list.Rows.push_back(IsPosition(catalogue, p) ? SutraRow(catalogue, p, false) : TCatalogueRow{});
    }
    return list;
}

bool IsFilledList(std::u16string_view row0FirstCell)
{
    return !TrimControlAndBlank(row0FirstCell).empty();
}

std::optional<std::int32_t> RowSutra(const TVesko_File& catalogue, std::u16string_view row0FirstCell,
                                     std::u16string_view rowFirstCell)
{
    if (!IsFilledList(row0FirstCell)) return std::nullopt;
    const std::int64_t n = std::int64_t(LeadingNumber(rowFirstCell)) - 1;
    if (!IsPosition(catalogue, n)) return std::nullopt;
    return static_cast<std::int32_t>(n);
}
