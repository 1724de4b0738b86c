#pragma once

// Small data sets for tests, written by the project's own writer into a temporary folder.

#include "data/DataWriter.h"

#include <filesystem>
#include <string>

// A set of four sutras, one per collection, with subjects, readings and variant groups.
// Texts hold CR LF line breaks and, in the Chinese families, 18-unit line heads.
TDataSetSource SmallDataSetSource();

// SmallDataSetSource with every body 90 lines long, so that each view scrolls; line i of a
// Chinese body holds its sutra's text and the number i.
TDataSetSource LongTextDataSetSource();

// A temporary folder removed when the object goes.
class TTemporaryFolder
{
public:
    TTemporaryFolder();
    ~TTemporaryFolder();
    TTemporaryFolder(const TTemporaryFolder&) = delete;
    TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;
    const std::filesystem::path& Path() const { return Folder; }

private:
    std::filesystem::path Folder;
};

// Writes source as the six data files into folder (created when missing); fails the test on error.
void WriteTestDataSet(const TDataSetSource& source, const std::filesystem::path& folder);

// The shared corpus folder, or an empty path when this checkout has none beside it.
std::filesystem::path CorpusFolder();
