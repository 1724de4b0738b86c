#include "search/EditionCompare.h"

#include "browse/SutraTexts.h"
#include "search/Matcher.h"
#include "util/MyWideString.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

using TVariantFileArray = std::array<TVariantFile, VariantFileCount>;

constexpr std::int32_t Unreached = std::numeric_limits<std::int32_t>::min() / 2;

enum class TEdit : std::uint8_t
{
    Substitute,
    Insert, // a character of sinsu only
    Delete, // a character of kor only
};

struct TStep
{
    std::int32_t I, J; // where the edit starts
    TEdit Edit;
};

// The edits of the cheapest alignment of a with b, in text order; nullopt when it needs more
// than MaxAlignedEdits. Furthest[e][k + e] is the furthest row of a reached on diagonal
// k = j - i with e edits; a substitution is tried first, so that a swapped character stays
// one edit rather than a deletion and an insertion apart.
std::optional<std::vector<TStep>> AlignedEdits(std::u16string_view a, std::u16string_view b)
{
    const std::int32_t n = static_cast<std::int32_t>(a.size()), m = static_cast<std::int32_t>(b.size());
    auto slide = [&](std::int32_t i, std::int32_t k) {
        while (i < n && i + k < m && a[i] == b[i + k])
            ++i;
        return i;
    };
    std::vector<std::vector<std::int32_t>> furthest;
    std::vector<std::vector<TEdit>> edits;
    furthest.push_back({slide(0, 0)});
    edits.push_back({TEdit::Substitute});
    const std::int32_t goal = m - n;
    std::int32_t e = 0;
    while (!(goal >= -e && goal <= e && furthest[e][goal + e] >= n)) {
        if (++e > MaxAlignedEdits) return std::nullopt;
        const std::vector<std::int32_t>& last = furthest[e - 1];
        auto at = [&](std::int32_t k) { return k >= -(e - 1) && k <= e - 1 ? last[k + e - 1] : Unreached; };
        std::vector<std::int32_t> row(2 * e + 1, Unreached);
        std::vector<TEdit> how(2 * e + 1, TEdit::Substitute);
        for (std::int32_t k = -e; k <= e; ++k) {
            if (k < -n || k > m) continue;
            std::int32_t best = at(k) + 1;
            TEdit edit = TEdit::Substitute;
            if (at(k - 1) > best) best = at(k - 1), edit = TEdit::Insert;
            if (at(k + 1) + 1 > best) best = at(k + 1) + 1, edit = TEdit::Delete;
            // A reach beyond either text is no reach on this diagonal.
            best = std::min(best, std::min(n, m - k));
            if (best < 0 || best < std::max(0, -k)) continue;
            row[k + e] = slide(best, k);
            how[k + e] = edit;
        }
        furthest.push_back(std::move(row));
        edits.push_back(std::move(how));
    }

    std::vector<TStep> steps;
    for (std::int32_t k = goal; e > 0; --e) {
        const TEdit edit = edits[e][k + e];
        const std::int32_t from = edit == TEdit::Substitute ? k : edit == TEdit::Insert ? k - 1 : k + 1;
        const std::int32_t i = furthest[e - 1][from + e - 1];
        steps.push_back({i, i + from, edit});
        k = from;
    }
    std::reverse(steps.begin(), steps.end());
    return steps;
}

bool GroupHolds(const TVariantFile& file, std::size_t start, char16_t c)
{
    for (std::size_t p = start; p < file.Text.size() && file.Text[p] != 0; ++p)
        if (file.Text[p] == c) return true;
    return false;
}

bool IsVariantDifference(std::u16string_view kor, std::u16string_view sinsu, const TEditionDifference& d,
                         const TVariantFileArray& variants)
{
    if (d.KorEnd - d.KorBegin != d.SinsuEnd - d.SinsuBegin) return false;
    for (std::int32_t t = 0; t < d.KorEnd - d.KorBegin; ++t)
        if (kor[d.KorBegin + t] != sinsu[d.SinsuBegin + t] &&
            !InOneVariantGroup(variants, kor[d.KorBegin + t], sinsu[d.SinsuBegin + t]))
            return false;
    return true;
}

// A difference that starts or ends inside a surrogate pair takes the whole pair, whose other
// half is equal in both texts; differences that then meet become one.
void WidenToWholeCharacters(std::u16string_view kor, std::vector<TEditionDifference>& differences)
{
    std::vector<TEditionDifference> widened;
    for (TEditionDifference d : differences) {
        if (d.KorBegin > 0 && d.KorBegin < std::int32_t(kor.size()) && IsLowSurrogate(kor[d.KorBegin]) &&
            IsHighSurrogate(kor[d.KorBegin - 1]))
            --d.KorBegin, --d.SinsuBegin;
        if (d.KorEnd > 0 && d.KorEnd < std::int32_t(kor.size()) && IsLowSurrogate(kor[d.KorEnd]) &&
            IsHighSurrogate(kor[d.KorEnd - 1]))
            ++d.KorEnd, ++d.SinsuEnd;
        if (!widened.empty() && widened.back().KorEnd >= d.KorBegin) {
            widened.back().KorEnd = d.KorEnd;
            widened.back().SinsuEnd = d.SinsuEnd;
        } else {
            widened.push_back(d);
        }
    }
    differences = std::move(widened);
}

} // namespace

bool InOneVariantGroup(const TVariantFileArray& variants, char16_t a, char16_t b)
{
    for (const TVariantFile& file : variants) {
        // The last group of either is where a pair usually is; any other group holding both counts too.
        if (GroupHolds(file, file.CharIndex[a], b) || GroupHolds(file, file.CharIndex[b], a)) return true;
        bool hasA = false, hasB = false;
        for (std::size_t p = 0; p < file.Text.size(); ++p) {
            const char16_t c = file.Text[p];
            if (c == 0) {
                hasA = hasB = false;
                continue;
            }
            hasA |= c == a;
            hasB |= c == b;
            if (hasA && hasB) return true;
        }
    }
    return false;
}

std::vector<TEditionDifference> AlignEditions(std::u16string_view kor, std::u16string_view sinsu,
                                              const TVariantFileArray& variants)
{
    // The common start and end need no alignment.
    std::size_t head = 0;
    while (head < kor.size() && head < sinsu.size() && kor[head] == sinsu[head])
        ++head;
    std::size_t tail = 0;
    while (tail < kor.size() - head && tail < sinsu.size() - head &&
           kor[kor.size() - 1 - tail] == sinsu[sinsu.size() - 1 - tail])
        ++tail;
    const std::u16string_view a = kor.substr(head, kor.size() - head - tail);
    const std::u16string_view b = sinsu.substr(head, sinsu.size() - head - tail);
    const auto base = static_cast<std::int32_t>(head);

    std::vector<TEditionDifference> differences;
    if (a.empty() && b.empty()) return differences;
    const std::optional<std::vector<TStep>> steps = AlignedEdits(a, b);
    if (!steps) {
        differences.push_back({base, base + static_cast<std::int32_t>(a.size()), base,
                               base + static_cast<std::int32_t>(b.size()), false});
    } else {
        for (const TStep& step : *steps) {
            const std::int32_t i = base + step.I, j = base + step.J;
            const std::int32_t di = step.Edit == TEdit::Insert ? 0 : 1, dj = step.Edit == TEdit::Delete ? 0 : 1;
            // An edit right where the last one ended continues its difference.
            if (!differences.empty() && differences.back().KorEnd == i && differences.back().SinsuEnd == j) {
                differences.back().KorEnd += di;
                differences.back().SinsuEnd += dj;
            } else {
                differences.push_back({i, i + di, j, j + dj, false});
            }
        }
    }
    WidenToWholeCharacters(kor, differences);
    for (TEditionDifference& d : differences)
        d.Variant = IsVariantDifference(kor, sinsu, d, variants);
    return differences;
}

TEditionComparison CompareEditions(const TLoadedData& data, std::int32_t n)
{
    TEditionComparison comparison;
    comparison.Kor = FamilyViewText(data, n, KorFamily);
    comparison.Sinsu = FamilyViewText(data, n, SinsuFamily);
    NormalizeLineBreaks(comparison.Kor);
    NormalizeLineBreaks(comparison.Sinsu);
    comparison.Differences = AlignEditions(comparison.Kor, comparison.Sinsu, data.VariantFiles);
    return comparison;
}

std::int32_t AlignedPosition(const std::vector<TEditionDifference>& differences, std::int32_t p, bool fromKor)
{
    std::int32_t shift = 0; // other side minus this side, after the differences passed
    for (const TEditionDifference& d : differences) {
        const std::int32_t begin = fromKor ? d.KorBegin : d.SinsuBegin, end = fromKor ? d.KorEnd : d.SinsuEnd;
        const std::int32_t otherBegin = fromKor ? d.SinsuBegin : d.KorBegin, otherEnd = fromKor ? d.SinsuEnd : d.KorEnd;
        if (p < begin) break;
        if (p < end) return otherBegin;
        shift = otherEnd - end;
    }
    return p + shift;
}
