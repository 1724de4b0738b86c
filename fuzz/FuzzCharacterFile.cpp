// Feeds arbitrary bytes to the character file's parser; what it accepts must satisfy the
// writer's own check and look up every character it holds.

#include "FuzzCheck.h"
#include "data/CharacterFile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TCharacterFile file;
    if (ParseCharacterFile(std::span<const std::uint8_t>(data, size), file) != TDataFileStatus::Ok) {
        Require(!file.Loaded && file.Characters.empty(), "a rejected file changed its record");
        return 0;
    }
    Require(file.Loaded, "an accepted file is not marked loaded");
    Require(CheckCharacterTable(file.Characters).Ok(), "an accepted file breaks the writer's check");
    for (const TCharacterInfo& info : file.Characters) {
        Require(FindCharacter(file, info.Character) == &info, "a character cannot be looked up");
        Require(ReadingsConversionFirst(info).size() == info.Readings.size(), "readings lost in their order");
    }
    return 0;
}
