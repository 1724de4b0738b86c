#include "BenchData.h"

// TODO(issue 2): build the corpus and demo sets once per run.
std::filesystem::path CorpusDataFolder()
{
    return {};
}

std::filesystem::path DemoDataFolder()
{
    return {};
}

bool LoadBenchData(const std::filesystem::path& folder, TVesko3State& state)
{
    return false;
}
