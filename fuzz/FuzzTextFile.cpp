// Feeds arbitrary bytes to the scripture text file parser, as the catalogue file and as a
// file that must hold at least as many sutras as a catalogue of two.

#include "FuzzCheck.h"
#include "RecordChecks.h"
#include "data/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    for (int fileIndex : {0, 1}) {
        TVesko_File file;
        if (ParseTextFile(bytes, fileIndex, fileIndex == 0 ? 0 : 2, file) != TDataFileStatus::Ok) {
            Require(file.Text.empty() && file.SuttaTable.Count == 0, "a rejected file changed its record");
            continue;
        }
        RequireConsistent(TextFileProblem(file, fileIndex));
        if (fileIndex == 0) {
            BuildNameOrder(file);
            RequireConsistent(NameOrderProblem(file));
        }
    }
    return 0;
}
