#include "search/SearchIndex.h"

#include "data/HanmoonText.h"
#include "search/Matcher.h"
#include "util/MyWideString.h"

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
        family.Offsets.resize(count + 1);
        family.Signatures.resize(count);
        // The Korean family is searched only as the Korean canon, the others only as Chinese ones.
        const std::int32_t canon = f == HanFamily ? HanCanon : KorCanon;
        for (std::int32_t i = 0; i < count; ++i) {
            const TSuttaEntry& e = file.SuttaTable.Items[i];
            family.Starts[i] = e.BodyStart;
            family.Lengths[i] = e.BodyLength;
            family.Offsets[i] = static_cast<std::uint32_t>(family.Searched.size());
            const std::u16string text = f == HanFamily
                                            ? CopyWideChars(file.Text, e.BodyStart, e.BodyLength)
                                            : CopyHanmoonText(file.Text, file.TextLength(), e.BodyStart, e.BodyLength);
            for (char16_t c : text)
                if (!IsSkippedChar(c, canon)) {
                    family.Searched.push_back(c);
                    family.Signatures[i].Add(c);
                }
        }
        family.Offsets[count] = static_cast<std::uint32_t>(family.Searched.size());
    }
    return index;
}

std::optional<TSearchedBody> FindSearchedBody(const TSearchIndex& index, const TLoadedData& data, int family,
                                              std::int32_t i, std::int32_t start, std::int32_t length)
{
    const TSearchIndex::TFamily& made = index.Families[family];
    const TVesko_File& file = data.TextFiles[family];
    if (made.Buffer != file.Text.data() || made.BufferSize != file.Text.size() || i < 0 ||
        static_cast<std::size_t>(i) >= made.Signatures.size())
        return std::nullopt;
    if (made.Starts[i] != start || made.Lengths[i] != length) return std::nullopt;
    const std::u16string_view searched(made.Searched);
    return TSearchedBody{searched.substr(made.Offsets[i], made.Offsets[i + 1] - made.Offsets[i]), &made.Signatures[i]};
}
