#pragma once

// Finding a row of a sutra list by typing: a collection and a number ("중아함 30", "중30",
// "잡 602") the sutra of that number in that collection; digits alone, in a list filtered to
// one collection, the sutra of that number within it, else the rows whose number starts with
// them; any other text the rows whose title or name holds it. Spaces are ignored on both sides.

#include "data/Vesko3Common.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A list row as the grid shows it: number, then title and name in either order.
using TListRowCells = std::array<std::u16string, 3>;

bool RowMatchesTyped(const TListRowCells& row, std::u16string_view typed);

// The matching row reached from row from: step 0 takes from itself or the next match after
// it, 1 the next match after from, -1 the one before; the search wraps round the list.
// nullopt when no row matches or nothing was typed.
std::optional<int> FindTypedRow(const std::vector<TListRowCells>& rows, std::u16string_view typed, int from, int step);

// What a typed text names by number in a list filtered to collection kind (0 all): Named is
// false for text of no such form; Sutra is the catalogue position, nullopt when no sutra
// has that number.
struct TTypedSutra
{
    bool Named = false;
    std::optional<std::int32_t> Sutra;
};
TTypedSutra FindTypedSutra(const TVesko_File& catalogue, int kind, std::u16string_view typed);

// FindTypedRow for a list of catalogue rows filtered to collection kind: a text that names a
// sutra by number finds that sutra's row only.
std::optional<int> FindTypedRow(const TVesko_File& catalogue, int kind, const std::vector<TListRowCells>& rows,
                                std::u16string_view typed, int from, int step);
