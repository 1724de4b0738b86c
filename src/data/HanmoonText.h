#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The classical Chinese text of a range with its 18-unit line heads removed. A head is "T",
// 16 units and "║", or "K", 16 units and ";"; it is dropped with the spaces that follow it.
// Heads are recognised at every position; the closing unit may lie beyond the range but not
// beyond the loaded text (textLength). The display and the search both use this, so that
// positions found by the search match what the views show.
std::u16string CopyHanmoonText(const std::vector<char16_t>& buffer, std::int32_t textLength, std::int32_t start,
                               std::int32_t length);

// The same text appended to out, for callers that build a larger text around it.
void AppendHanmoonText(std::u16string& out, const std::vector<char16_t>& buffer, std::int32_t textLength,
                       std::int32_t start, std::int32_t length);

// Whether an 18-unit line head begins at p.
bool IsLineHeadAt(const std::vector<char16_t>& buffer, std::int32_t textLength, std::int64_t p);
