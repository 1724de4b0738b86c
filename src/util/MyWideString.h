#pragma once

#include <cstdint>
#include <string>
#include <span>
#include <vector>

// length units of buffer from start, unchanged; empty for length 0. The range must lie
// inside the buffer (the loaders reject files whose ranges do not).
std::u16string CopyWideChars(std::span<const char16_t> buffer, std::int32_t start, std::int32_t length);
