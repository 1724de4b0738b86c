// Feeds arbitrary bytes to the reading table parser and looks up every entry it holds.

#include "FuzzCheck.h"
#include "RecordChecks.h"
#include "data/ReadingFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TReadingFile file;
    if (ParseReadingFile(std::span<const std::uint8_t>(data, size), file) != TDataFileStatus::Ok) {
        Require(file.Text.empty(), "a rejected file changed its record");
        return 0;
    }
    RequireConsistent(ReadingFileProblem(file));
    // Every entry up to the closing 0 is there to be looked up.
    volatile char16_t sink = 0;
    for (std::int32_t c = 0; c <= file.Header.DataLength; ++c)
        sink = file.Text[c];
    Require(sink == 0, "the table does not end in 0");
    return 0;
}
