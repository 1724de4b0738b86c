#pragma once

// Text files parsed straight from the writer's bytes, for the browse tests: no disk, no
// variant or reading files.

#include "TestDataSet.h"
#include "data/TextFile.h"

#include <gtest/gtest.h>

// Parses source's three text files into data; files 1 and 2 come from chineseSource when
// given, so that the families can disagree.
inline void ParseTextFiles(const TDataSetSource& source, TLoadedData& data,
                           const TDataSetSource* chineseSource = nullptr)
{
    for (int f = 0; f < TextFileCount; ++f) {
        const TDataSetSource& from = f > 0 && chineseSource ? *chineseSource : source;
        const std::vector<std::uint8_t> bytes = SerializeTextFile(from, f, TCreationDate{});
        ASSERT_EQ(ParseTextFile(bytes, f, data.TextFiles[0].SuttaTable.Count, data.TextFiles[f]), TDataFileStatus::Ok);
    }
    BuildNameOrder(data.TextFiles[0]);
}

inline TSourceSutta SourceSutta(std::int32_t kind, std::u16string title, std::u16string name)
{
    TSourceSutta s;
    s.Kind = kind;
    s.Title = std::move(title);
    s.Name = std::move(name);
    return s;
}
