#pragma once

// Data sets for the benchmarks: the shared corpus and the default demo set, each built once
// per run into a temporary folder and loaded as the window loads them.

#include "session/Vesko3Session.h"

#include <filesystem>
#include <string_view>

// The shared corpus's source folder; empty when this checkout has none beside it.
std::filesystem::path CorpusSourceFolder();

// Folder holding the six files built from the shared corpus; empty when the corpus is absent.
std::filesystem::path CorpusDataFolder();

// Folder holding the six files built from the shared corpus with every body ten times over
// (one line break between the copies), so that a benchmark shows how its cost grows with
// the text; empty when the corpus is absent.
std::filesystem::path ScaledCorpusDataFolder();

// Folder holding the six files of the default demo set.
std::filesystem::path DemoDataFolder();

// A folder for a benchmark's own output, inside the run's temporary folder (not created).
std::filesystem::path BenchScratchFolder(std::string_view name);

// Loads the six files of folder into session and prepares the search; false (with the
// messages on stderr) on failure.
bool LoadBenchData(const std::filesystem::path& folder, TVesko3Session& session);

// The sutra whose two Chinese bodies together are the longest.
std::int32_t LargestChineseSutra(const TLoadedData& data);
