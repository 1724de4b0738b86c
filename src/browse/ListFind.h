#pragma once

// Finding a row of a sutra list by typing: digits find the rows whose number starts with
// them, any other text the rows whose title or name holds it, spaces ignored on both sides.

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
