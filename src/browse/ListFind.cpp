#include "browse/ListFind.h"

#include <algorithm>

namespace {

std::u16string WithoutSpaces(std::u16string_view text)
{
    std::u16string kept;
    for (char16_t c : text)
        if (c != u' ' && c != u'\u00A0' && c != u'\u3000' && c != u'\t') kept += c;
    return kept;
}

bool AllDigits(std::u16string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

bool RowMatchesTyped(const TListRowCells& row, std::u16string_view typed)
{
    const std::u16string wanted = WithoutSpaces(typed);
    if (wanted.empty()) return false;
    // Digits name the catalogue number only; the titles hold numbers of their own.
    if (AllDigits(wanted)) return WithoutSpaces(row[0]).starts_with(wanted);
    return WithoutSpaces(row[1]).find(wanted) != std::u16string::npos ||
           WithoutSpaces(row[2]).find(wanted) != std::u16string::npos;
}

std::optional<int> FindTypedRow(const std::vector<TListRowCells>& rows, std::u16string_view typed, int from, int step)
{
    const int count = static_cast<int>(rows.size());
    if (count == 0) return std::nullopt;
    const int direction = step < 0 ? -1 : 1;
    int row = std::clamp(from, 0, count - 1) + (step == 0 ? 0 : direction);
    for (int tried = 0; tried < count; ++tried, row += direction) {
        row = (row % count + count) % count;
        if (RowMatchesTyped(rows[row], typed)) return row;
    }
    return std::nullopt;
}
