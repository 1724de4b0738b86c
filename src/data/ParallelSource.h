#pragma once

// parallels.tsv of a source folder: a header line, then one line per parallel
//
//   number TAB relation TAB id TAB label TAB corpus
//
// number the sutra's catalogue number; relation full, partial or resembling; id and label
// 1 to MaxParallelFieldUnits units each; corpus the parallel's catalogue number when it is
// a sutra of the set, else empty. Blank lines are ignored; the rows keep their order.

#include "data/ParallelFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TParallelSourceError
{
    std::size_t Line = 0; // 1-based; 0 when the text is fine
    std::u16string Message;
};

// Reads the decoded text of parallels.tsv for a catalogue of suttaCount sutras into rows.
TParallelSourceError ParseParallelSource(std::u16string_view text, std::int32_t suttaCount,
                                         std::vector<TParallel>& rows);

// The text of parallels.tsv for rows, which ParseParallelSource reads back as they are; empty
// when a field holds a tab or a line break.
std::u16string ParallelSourceText(const std::vector<TParallel>& rows);
