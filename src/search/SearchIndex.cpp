#include "search/SearchIndex.h"

#include <algorithm>

TSearchIndex BuildSearchIndex(const TLoadedData& data)
{
    TSearchIndex index;
    for (int f = 0; f < TextFileCount; ++f) {
        const TVesko_File& file = data.TextFiles[f];
        TSearchIndex::TFamily& family = index.Families[f];
        family.Buffer = file.Text.data();
        family.BufferSize = file.Text.size();
        const std::int32_t count = std::clamp(file.SuttaTable.Count, 0, MaxSuttaCount);
        family.Starts.resize(count);
        family.Lengths.resize(count);
        family.Signatures.resize(count);
        const std::int64_t size = static_cast<std::int64_t>(file.Text.size());
        for (std::int32_t i = 0; i < count; ++i) {
            const TSuttaEntry& e = file.SuttaTable.Items[i];
            family.Starts[i] = e.BodyStart;
            family.Lengths[i] = e.BodyLength;
            const std::int64_t first = std::clamp<std::int64_t>(e.BodyStart, 0, size);
            const std::int64_t end = std::clamp<std::int64_t>(std::int64_t(e.BodyStart) + e.BodyLength, first, size);
            TCharSignature& signature = family.Signatures[i];
            for (std::int64_t p = first; p < end; ++p) {
                const std::uint32_t bit = TCharSignature::BitOf(file.Text[p]);
                signature.Bits[bit >> 6] |= std::uint64_t(1) << (bit & 63);
            }
        }
    }
    return index;
}

const TCharSignature* FindSignature(const TSearchIndex& index, const TLoadedData& data, int family, std::int32_t i,
                                    std::int32_t start, std::int32_t length)
{
    const TSearchIndex::TFamily& made = index.Families[family];
    const TVesko_File& file = data.TextFiles[family];
    if (made.Buffer != file.Text.data() || made.BufferSize != file.Text.size() || i < 0 ||
        static_cast<std::size_t>(i) >= made.Signatures.size())
        return nullptr;
    if (made.Starts[i] != start || made.Lengths[i] != length) return nullptr;
    return &made.Signatures[i];
}
