#pragma once

// The rows of the browse lists as plain data, read from the catalogue file (TextFiles[0]).
// The window writes them into its grids; the command-line tool prints them.

#include "data/Vesko3Common.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int SelectableKinds = 5; // the filters offer 0 "전체" and 1 to 4

struct TCatalogueRow
{
    std::int32_t Position = -1;            // the sutra's catalogue position or the subject's; -1 blank
    std::array<std::u16string, 3> Cells{}; // as the grid's columns stand; a subject row uses two
};

struct TCatalogueList
{
    // Rows the grid is set to; 0 leaves the cleared grid with its single empty row. For the
    // sutra lists this is KindCounts[kind], which valid data keep equal to Rows.size(); the
    // grid only has room for this many, whatever Rows holds.
    std::int32_t RowCount = 0;
    std::vector<TCatalogueRow> Rows;
    std::u16string CountText; // the count panel's caption, "n 개"; empty for the subject list

    // Row i as the grid holds it: a blank row where no entry was written.
    const TCatalogueRow& RowAt(std::int32_t i) const;
};

// OrdGrid (byName false: number, Title, Name) or NameGrid (byName true: number, Name, Title)
// for collection kind, 0 for all. Cells carry the full UTF-16 text. nullopt for a kind
// outside 0 to 7: the list then keeps what it shows.
std::optional<TCatalogueList> SutraListRows(const TVesko_File& catalogue, bool byName, int kind);

// SubjGrid1: subject name, "c 개". No count panel.
TCatalogueList SubjectRows(const TVesko_File& catalogue);

// SubjGrid2 for the subject in row subjectRow of SubjGrid1: number, Title, Name in the
// subject's own order; CountText for Subj2CountPanel. nullopt when there is no such subject.
std::optional<TCatalogueList> SubjectSutraRows(const TVesko_File& catalogue, std::int32_t subjectRow);

// Whether a grid holds a filled list: its row 0 first cell is not blank after trimming.
bool IsFilledList(std::u16string_view row0FirstCell);

// The catalogue position a sutra list row stands for: LeadingNumber of its first cell minus
// one. nullopt when the list is not filled or the number names no sutra of the catalogue.
std::optional<std::int32_t> RowSutra(const TVesko_File& catalogue, std::u16string_view row0FirstCell,
                                     std::u16string_view rowFirstCell);
