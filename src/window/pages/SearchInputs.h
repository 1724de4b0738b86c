#pragma once

// What the reader put into the search sheet: the words one a line and the options, and
// whether the result list shows the search of exactly these words.

#include <cstdint>
#include <string>
#include <vector>

struct TSearchInputs
{
    std::vector<std::u16string> Lines;
    std::int32_t Title = 0, Kind = 0, Mode = 0;
    bool Searched = false;
    bool ByReading = false; // Hangul words read as the Han characters they read
};
