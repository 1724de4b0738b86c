#include "data/LoadDriver.h"

#include "data/ReadingFile.h"
#include "data/TextFile.h"
#include "data/VariantFile.h"

#include <algorithm>

bool LoadAllDataFiles(TLoadContext& context, TLoadedData& data)
{
    for (int n = 0; n < TextFileCount; ++n)
        LoadTextFile(context, data, n);
    for (int n = 0; n < VariantFileCount; ++n)
        LoadVariantFile(context, data, n);
    LoadReadingFile(context, data);
    return !context.LoadError;
}

std::int32_t LargestTextSize(const TLoadedData& data)
{
    std::int32_t largest = 0;
    for (const TVesko_File& file : data.TextFiles)
        for (int i = 0; i < file.SuttaTable.Count; ++i)
            largest = std::max(largest, file.SuttaTable.Items[i].TextSize);
    return largest;
}
