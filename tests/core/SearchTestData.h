#pragma once

// Loaded data for the search tests, parsed straight from the writer's bytes: the three
// text files and the two variant files, no disk.

#include "TestDataSet.h"
#include "data/TextFile.h"
#include "data/VariantFile.h"
#include "search/SearchWords.h"

#include <gtest/gtest.h>

inline void ParseSearchData(const TDataSetSource& source, TLoadedData& data)
{
    for (int f = 0; f < TextFileCount; ++f) {
        const std::vector<std::uint8_t> bytes = SerializeTextFile(source, f, TCreationDate{});
        ASSERT_EQ(ParseTextFile(bytes, f, data.TextFiles[0].SuttaTable.Count, data.TextFiles[f]), TDataFileStatus::Ok);
    }
    for (int f = 0; f < VariantFileCount; ++f)
        ASSERT_EQ(ParseVariantFile(SerializeVariantFile(source.VariantGroups[f]), data.VariantFiles[f]),
                  TDataFileStatus::Ok);
}

// A sutra whose Chinese bodies are lines of text, each behind its 18-unit head.
inline TSourceSutta SearchSutta(std::int32_t kind, std::u16string han, const std::vector<std::u16string>& korLines,
                                const std::vector<std::u16string>& sinsuLines)
{
    auto body = [](char16_t letter, char16_t close, const std::vector<std::u16string>& lines) {
        std::u16string text;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) text += u"\r\n";
            text += letter;
            text += u"01n0001_p0001a";
            text += static_cast<char16_t>(u'0' + (i + 1) / 10);
            text += static_cast<char16_t>(u'0' + (i + 1) % 10);
            text += close;
            text += lines[i];
        }
        return text;
    };
    TSourceSutta s;
    s.Kind = kind;
    s.Title = u"제목";
    s.Name = u"이름";
    s.HanBody = std::move(han);
    s.KorBody = body(u'K', u';', korLines);
    s.SinsuBody = body(u'T', u'\u2551', sinsuLines);
    return s;
}

inline void SetWords(TSearchInfo& info, const std::vector<std::u16string>& words)
{
    for (auto& slot : info.Words)
        slot.fill(0);
    info.WordCount = static_cast<std::int32_t>(words.size());
    for (std::size_t w = 0; w < words.size(); ++w)
        std::copy(words[w].begin(), words[w].end(), info.Words[w].begin());
}
