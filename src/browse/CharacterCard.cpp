#include "browse/CharacterCard.h"

#include "data/CharacterFile.h"
#include "util/MyWideString.h"

#include <algorithm>

TCharacterCard MakeCharacterCard(const TLoadedData& data, char32_t c)
{
    TCharacterCard card;
    card.Character = c;
    card.Info = FindCharacter(data.CharacterFile, c);
    if (card.Info) {
        const std::vector<char16_t> readings = ReadingsConversionFirst(*card.Info);
        card.Readings.assign(readings.begin(), readings.end());
    }
    card.Variants = VariantMembers(data, c);
    card.KorCount = CountCharacter(data.TextFiles[KorFamily], c);
    card.SinsuCount = CountCharacter(data.TextFiles[SinsuFamily], c);
    return card;
}

std::vector<char32_t> DistinctHanCharacters(std::u16string_view text)
{
    std::vector<char32_t> characters;
    for (std::size_t p = 0, units = 0; p < text.size(); p += units) {
        const char32_t c = CodePointAt(text, p, units);
        if (IsHanCharacter(c) && std::find(characters.begin(), characters.end(), c) == characters.end())
            characters.push_back(c);
    }
    return characters;
}

std::int64_t CountCharacter(const TVesko_File& file, char32_t c)
{
    const std::u16string key = CodePointText(c);
    const std::size_t size = file.Text.size();
    std::int64_t count = 0;
    for (std::int32_t i = 0; i < file.SuttaTable.Count && static_cast<std::size_t>(i) < file.SuttaTable.Items.size();
         ++i) {
        const TSuttaEntry& e = file.SuttaTable.Items[i];
        // The loader checked the ranges; the clamps keep a hand-made file within its text.
        const std::size_t begin = std::min<std::size_t>(std::max(e.BodyStart, 0), size);
        const std::size_t end = std::min<std::size_t>(begin + std::max(e.BodyLength, 0), size);
        const std::u16string_view body(file.Text.data() + begin, end - begin);
        if (key.size() == 1) {
            count += std::count(body.begin(), body.end(), key[0]);
            continue;
        }
        for (std::size_t at = body.find(key); at != std::u16string_view::npos; at = body.find(key, at + 2))
            ++count;
    }
    return count;
}

std::u16string VariantMembers(const TLoadedData& data, char32_t c)
{
    std::u16string members;
    if (c >= 0x10000) return members; // the groups hold the basic plane only
    const auto unit = static_cast<char16_t>(c);
    for (const TVariantFile& file : data.VariantFiles) {
        const std::u16string_view text(file.Text.data(), file.Text.size());
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find(u'\0', start), text.size());
            const std::u16string_view group = text.substr(start, end - start);
            if (group.find(unit) != std::u16string_view::npos)
                for (char16_t member : group)
                    if (member != unit && members.find(member) == std::u16string::npos) members.push_back(member);
            start = end + 1;
        }
    }
    return members;
}
