// The window of an installed program: the data and the settings in folders of their own.

#include "TestDataSet.h"
#include "WindowHarness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

TEST(InstalledStart, LoadsFromTheDataFolderAndMakesTheSettingsFolderAtTheFirstClose)
{
    TTemporaryFolder root;
    const fs::path data = root.Path() / "share/vesko3/Data";
    const fs::path config = root.Path() / "config/vesko3";
    WriteTestDataSet(SmallDataSetSource(), data);

    TStartedWindow started;
    started.Form = std::make_unique<TMainForm>(started.State, started.Shell, TProgramPaths(data, config),
                                               std::vector<std::u16string>{u"바탕"});
    started.Form->show();
    ASSERT_TRUE(started.WaitUntilSettled());
    EXPECT_TRUE(started.Form->DataLoaded());
    EXPECT_TRUE(started.Shell.Boxes.empty());

    started.State.GlobalInfo.Settings.ColorIndex = 4;
    started.Form->close();
    std::ifstream in(config / "Vesko3.ini", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(bytes.find("ColorIndex=4\r\n"), std::string::npos) << bytes;
    EXPECT_FALSE(fs::exists(data / "Vesko3.ini"));
}

} // namespace
