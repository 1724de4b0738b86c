#include "util/MyWideString.h"

#include <algorithm>

std::u16string CopyWideChars(std::span<const char16_t> buffer, std::int32_t start, std::int32_t length)
{
    // Clamped all the same, so that a caller's mistake shows less text instead of reading
    // outside the buffer.
    const std::int64_t size = static_cast<std::int64_t>(buffer.size());
    const std::int64_t first = std::clamp<std::int64_t>(start, 0, size);
    const std::int64_t count = std::clamp<std::int64_t>(length, 0, size - first);
    return std::u16string(buffer.data() + first, buffer.data() + first + count);
}
