// The optional parallels file: a damaged one is told by name and left out while the rest of
// the data set loads; an absent one is no error.

#include "RecordingMessages.h"
#include "TestBytes.h"
#include "TestDataSet.h"
#include "ToolRun.h"

#include "data/ParallelFile.h"
#include "util/Files.h"
#include "util/TextCodec.h"

#include <gtest/gtest.h>

namespace {

TDataSetSource SourceWithParallels()
{
    TDataSetSource source = SmallDataSetSource();
    source.Parallels = {{0, TParallelRelation::Full, -1, u"dn14", u"DN 14"},
                        {0, TParallelRelation::Resembling, 3, u"ea48.4", u"EA 48.4"},
                        {2, TParallelRelation::Partial, -1, u"sn22.15", u"SN 22.15"}};
    return source;
}

std::filesystem::path ParallelPath(const std::filesystem::path& folder)
{
    return folder / std::filesystem::path(ParallelFileName);
}

} // namespace

TEST(ParallelFile, ADamagedFileIsToldByNameAndTheSetLoadsWithoutParallels)
{
    TTemporaryFolder folder;
    WriteTestDataSet(SourceWithParallels(), folder.Path());
    TBytes bytes;
    ASSERT_EQ(ReadWholeFile(ParallelPath(folder.Path()), bytes), TFileRead::Ok);
    {
        TLoadRun run(folder.Path());
        ASSERT_TRUE(run.Loaded);
        ASSERT_TRUE(run.Session.Parallels.Present);
        ASSERT_EQ(run.Session.Parallels.Of(0).size(), 2u);
        EXPECT_EQ(run.Session.Parallels.Of(0)[1].Label, u"EA 48.4");
        EXPECT_EQ(run.Session.Parallels.Of(0)[1].Corpus, 3);
        EXPECT_TRUE(run.Session.Parallels.Of(1).empty());
    }
    // Every strict prefix is damaged, and so is a file naming a sutra the catalogue lacks.
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const TBytes prefix(bytes.begin(), bytes.begin() + size);
        TParallelTable table;
        ASSERT_NE(ParseParallelFile(prefix, 4, table), TDataFileStatus::Ok) << size;
        ASSERT_FALSE(table.Present);
    }
    TParallelTable table;
    EXPECT_EQ(ParseParallelFile(bytes, 2, table), TDataFileStatus::Damaged);

    ASSERT_TRUE(WriteWholeFile(ParallelPath(folder.Path()), std::span(bytes.data(), bytes.size() - 2)));
    TLoadRun run(folder.Path());
    EXPECT_TRUE(run.Loaded);
    EXPECT_FALSE(run.LoadError);
    EXPECT_FALSE(run.Session.Parallels.Present);
    ASSERT_EQ(run.Messages.Shown.size(), 1u);
    EXPECT_NE(run.Messages.Shown[0].Text.find(u"VESKO3.P0"), std::u16string::npos);

    const TToolRun tool = RunTool({"parallels", "--data", Q(folder.Path()), "1"});
    EXPECT_EQ(tool.Exit, 1);
    EXPECT_NE(tool.Err.find("VESKO3.P0"), std::string::npos);
}

TEST(ParallelFile, AnAbsentFileIsNoError)
{
    TTemporaryFolder folder;
    WriteTestDataSet(SourceWithParallels(), folder.Path());
    const TToolRun listed = RunTool({"parallels", "--data", Q(folder.Path()), "1"});
    EXPECT_EQ(listed.Exit, 0);
    EXPECT_EQ(listed.Out, "full\tdn14\tDN 14\t\nresembling\tea48.4\tEA 48.4\t4\n");

    // Writing a set without parallels over it takes the old file away.
    WriteTestDataSet(SmallDataSetSource(), folder.Path());
    ASSERT_FALSE(std::filesystem::exists(ParallelPath(folder.Path())));
    TLoadRun run(folder.Path());
    EXPECT_TRUE(run.Loaded);
    EXPECT_TRUE(run.Messages.Shown.empty());
    EXPECT_FALSE(run.Session.Parallels.Present);
    const TToolRun tool = RunTool({"parallels", "--data", Q(folder.Path()), "1"});
    EXPECT_EQ(tool.Exit, 1);
    EXPECT_EQ(tool.Out, "");
}
