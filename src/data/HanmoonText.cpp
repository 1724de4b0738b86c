#include "data/HanmoonText.h"

#include <algorithm>

void AppendHanmoonText(std::u16string& out, std::span<const char16_t> buffer, std::int32_t textLength,
                       std::int32_t start, std::int32_t length)
{
    const std::int64_t limit = std::min<std::int64_t>(textLength, static_cast<std::int64_t>(buffer.size()));
    const std::int64_t first = std::clamp<std::int64_t>(start, 0, limit);
    out.reserve(out.size() +
                static_cast<std::size_t>(
                    std::clamp<std::int64_t>(std::int64_t(start) + std::max(length, 0), first, limit) - first));
    WalkHanmoonText(
        buffer, textLength, start, length, [&](const char16_t* from, const char16_t* to) { out.append(from, to); },
        [](std::int64_t, std::int64_t) {});
}

std::u16string CopyHanmoonText(std::span<const char16_t> buffer, std::int32_t textLength, std::int32_t start,
                               std::int32_t length)
{
    std::u16string out;
    AppendHanmoonText(out, buffer, textLength, start, length);
    return out;
}
