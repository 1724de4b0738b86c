#pragma once

// Invariants every record a parser accepted must keep, whatever bytes it came from. Shared
// by the robustness tests and the fuzz targets, so it needs nothing but the core: each
// check returns an empty text when the record is consistent, else the first fault found.

#include "data/TextFile.h"
#include "data/Vesko3Common.h"

#include <cstring>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace RecordChecks {

inline bool RangeWithin(std::int32_t start, std::int32_t length, std::int32_t textLength)
{
    return start >= 0 && length >= 0 && start <= textLength && length <= textLength - start;
}

template <typename T> bool AllZero(const T& record)
{
    static const T zero{};
    return std::memcmp(&record, &zero, sizeof(T)) == 0;
}

} // namespace RecordChecks

inline std::string TextFileProblem(const TVesko_File& file, int fileIndex)
{
    using namespace RecordChecks;
    const TDataFileHeader& h = file.Header;
    const std::int32_t count = file.SuttaTable.Count;
    if (count < 0 || count > MaxSuttaCount || file.SuttaTable.Items.size() != std::size_t(count) + 1)
        return "sutta table size";
    if (!AllZero(file.SuttaTable.Items.back())) return "sutta table end not zero";
    const std::int32_t subjects = file.JoojeTable.Count;
    if (subjects < 0 || file.JoojeTable.Items.size() != std::size_t(subjects) + 1) return "subject table size";
    const TJoojeEntry& lastSubject = file.JoojeTable.Items.back();
    if (lastSubject.Count != 0 || !lastSubject.Suttas.empty() || lastSubject.Name[0] != 0)
        return "subject table end not zero";
    if (h.TextLength < 0 || file.Text.size() != std::size_t(h.TextLength) + 10 || file.Text[h.TextLength] != 0)
        return "text block";
    if (h.KindCounts[0] != std::accumulate(h.KindCounts + 1, h.KindCounts + KindSlots, 0)) return "kind total";
    for (std::int32_t i = 0; i < count; ++i) {
        const TSuttaEntry& e = file.SuttaTable.Items[i];
        if (!RangeWithin(e.BodyStart, e.BodyLength, h.TextLength)) return "body range";
        if (fileIndex == 0 && (e.Number != i || !RangeWithin(e.SubjectStart, e.SubjectLength, h.TextLength) ||
                               !RangeWithin(e.SummaryStart, e.SummaryLength, h.TextLength)))
            return "catalogue entry";
        if (e.TextSize < 0) return "text size";
    }
    for (std::int32_t s = 0; s < subjects; ++s) {
        const TJoojeEntry& j = file.JoojeTable.Items[s];
        if (j.Count < 0 || j.Count > MaxJoojeSuttas) return "subject count";
        if (j.Suttas.size() != std::size_t(j.Count)) return "subject list not its count";
        for (std::int32_t index : j.Suttas)
            if (fileIndex == 0 && (index < 0 || index >= count)) return "subject index";
    }
    return {};
}

// The name order holds every entry index once in its first Count places and zeros after them.
inline std::string NameOrderProblem(const TVesko_File& file)
{
    const TNamePositions& order = NameOrderOf(file);
    const std::int32_t count = file.SuttaTable.Count;
    std::vector<bool> seen(count, false);
    for (std::int32_t k = 0; k < MaxSuttaCount; ++k) {
        const std::int32_t index = order[k];
        if (k >= count) {
            if (index != 0) return "name order tail not zero";
        } else if (index < 0 || index >= count || seen[index]) {
            return "name order not a permutation";
        } else {
            seen[index] = true;
        }
    }
    return {};
}

inline std::string VariantFileProblem(const TVariantFile& file)
{
    const std::int32_t length = file.Header.DataLength;
    if (file.CharIndex.size() != 65536) return "index size";
    if (length < 0 || file.Text.size() != std::size_t(length) + 10 || file.Text[length] != 0) return "text block";
    // The index as defined: for every unit, where the last group holding it begins.
    std::unique_ptr<std::uint16_t[]> expected(new std::uint16_t[65536]());
    std::int32_t start = 0;
    for (std::int32_t p = 0; p < length; ++p) {
        if (file.Text[p] == 0)
            start = p + 1;
        else if (start > 65535)
            return "group start beyond 16 bits";
        else
            expected[file.Text[p]] = static_cast<std::uint16_t>(start);
    }
    if (std::memcmp(expected.get(), file.CharIndex.data(), 65536 * sizeof(std::uint16_t)) != 0)
        return "index differs from the groups";
    return {};
}

inline std::string ReadingFileProblem(const TReadingFile& file)
{
    const std::int32_t length = file.Header.DataLength;
    if (length < 0 || file.Text.size() != std::size_t(length) + 10 || file.Text[length] != 0) return "text block";
    return {};
}
