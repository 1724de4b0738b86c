#include "data/HanmoonText.h"

#include <algorithm>

void AppendHanmoonText(std::u16string& out, std::span<const char16_t> buffer, std::int32_t textLength,
                       std::int32_t start, std::int32_t length)
{
    const std::int64_t limit = std::min<std::int64_t>(textLength, static_cast<std::int64_t>(buffer.size()));
    std::int64_t p = std::clamp<std::int64_t>(start, 0, limit);
    const std::int64_t end = std::clamp<std::int64_t>(std::int64_t(start) + std::max(length, 0), p, limit);

    out.reserve(out.size() + static_cast<std::size_t>(end - p));
    while (p < end) {
        if (IsLineHeadAt(buffer.data(), limit, p)) {
            p = AfterLineHead(buffer.data(), end, p);
            if (p >= end) break;
            // The unit after a dropped head is taken without testing it for a further head.
            out.push_back(buffer[p]);
            ++p;
            continue;
        }
        // Everything before the next unit that can open a head goes in whole.
        const char16_t* first = buffer.data() + p;
        const char16_t* next =
            std::find_if(first + 1, buffer.data() + end, [](char16_t c) { return IsLineHeadOpener(c); });
        out.append(first, next);
        p = next - buffer.data();
    }
}

std::u16string CopyHanmoonText(std::span<const char16_t> buffer, std::int32_t textLength, std::int32_t start,
                               std::int32_t length)
{
    std::u16string out;
    AppendHanmoonText(out, buffer, textLength, start, length);
    return out;
}
