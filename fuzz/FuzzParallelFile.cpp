// Feeds arbitrary bytes to the parallels parser and reads every row it accepted.

#include "FuzzCheck.h"
#include "data/ParallelFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::int32_t SuttaCount = 40; // a small catalogue, so that numbers beyond it occur
    TParallelTable table;
    if (ParseParallelFile(std::span<const std::uint8_t>(data, size), SuttaCount, table) != TDataFileStatus::Ok) {
        Require(!table.Present && table.Rows.empty(), "a rejected file changed its table");
        return 0;
    }
    std::size_t seen = 0;
    for (std::int32_t n = 0; n < SuttaCount; ++n)
        for (const TParallel& row : table.Of(n)) {
            Require(row.Sutta == n, "a row listed under another sutra");
            Require(row.Corpus >= -1 && row.Corpus < SuttaCount, "a parallel beyond the catalogue");
            Require(!row.Id.empty() && row.Id.size() <= MaxParallelFieldUnits && !row.Label.empty() &&
                        row.Label.size() <= MaxParallelFieldUnits,
                    "a field of a length the format does not allow");
            ++seen;
        }
    Require(seen == table.Rows.size(), "a row outside every sutra");
    return 0;
}
