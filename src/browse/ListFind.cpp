#include "browse/ListFind.h"

#include "browse/LineReference.h"
#include "util/MyUtils.h"

#include <algorithm>

namespace {

std::u16string WithoutSpaces(std::u16string_view text)
{
    std::u16string kept;
    for (char16_t c : text)
        if (c != u' ' && c != u'\u00A0' && c != u'\u3000' && c != u'\t') kept += c;
    return kept;
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool AllDigits(std::u16string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// The collection a typed name stands for: its whole name or its first syllable (장, 중, 잡,
// 증), which tells the four apart; 0 for none.
int CollectionKind(std::u16string_view name)
{
    for (int kind = 1; kind < static_cast<int>(std::size(KindNames)); ++kind)
        if (name == KindNames[kind] || name == KindNames[kind].substr(0, 1)) return kind;
    return 0;
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

TTypedSutra FindTypedSutra(const TVesko_File& catalogue, int kind, std::u16string_view typed)
{
    const std::u16string wanted = WithoutSpaces(typed);
    std::size_t digits = wanted.size();
    while (digits > 0 && IsDigit(wanted[digits - 1]))
        --digits;
    if (digits == wanted.size()) return {};
    const std::u16string_view number = std::u16string_view(wanted).substr(digits);
    const int named = digits == 0 ? kind : CollectionKind(std::u16string_view(wanted).substr(0, digits));
    if (named <= 0 || named >= static_cast<int>(std::size(KindNames))) return {};
    // A collection's sutras are titled by its name and their number within it.
    return {true, FindCatalogueTitle(catalogue, std::u16string(KindNames[named]) + u" " + std::u16string(number))};
}

std::optional<int> FindTypedRow(const TVesko_File& catalogue, int kind, const std::vector<TListRowCells>& rows,
                                std::u16string_view typed, int from, int step)
{
    const TTypedSutra named = FindTypedSutra(catalogue, kind, typed);
    if (!named.Named) return FindTypedRow(rows, typed, from, step);
    if (!named.Sutra) return std::nullopt;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        if (LeadingNumber(rows[row][0]) == *named.Sutra + 1) return row;
    return std::nullopt;
}
