// Feeds arbitrary bytes to the variant file parser and walks the groups it indexed.

#include "FuzzCheck.h"
#include "RecordChecks.h"
#include "data/VariantFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Kept between runs: two 65536-entry indexes per run would cost more than the parse.
    static std::array<TVariantFile, VariantFileCount> files;
    files[0].Text.clear();
    if (ParseVariantFile(std::span<const std::uint8_t>(data, size), files[0]) != TDataFileStatus::Ok) {
        Require(files[0].Text.empty(), "a rejected file changed its record");
        return 0;
    }
    RequireConsistent(VariantFileProblem(files[0]));

    // Every character is a variant of itself; the units of the file stand in for words.
    const std::size_t length = static_cast<std::size_t>(files[0].Header.DataLength);
    for (std::size_t p = 0; p < length && p < 256; ++p) {
        const char16_t w = files[0].Text[p];
        Require(IsVariant(files, w, w, true), "a character is not its own variant");
        IsVariant(files, files[0].Text[p + 1], w, true);
    }
    return 0;
}
