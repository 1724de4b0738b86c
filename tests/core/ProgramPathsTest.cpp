#include "session/ProgramPaths.h"

#include "TestDataSet.h"

#include <QCoreApplication>
#include <QString>

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

// Sets environment variables for one test and puts the old values back at its end.
class TEnvironment
{
public:
    ~TEnvironment()
    {
        for (const auto& [name, value] : Saved)
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
    }
    void Set(const std::string& name, const fs::path& value)
    {
        if (!Saved.contains(name))
            Saved[name] = qEnvironmentVariableIsSet(name.c_str()) ? std::optional(qgetenv(name.c_str())) : std::nullopt;
        qputenv(name.c_str(), QString::fromStdU16String(value.u16string()).toLocal8Bit());
    }

private:
    std::map<std::string, std::optional<QByteArray>> Saved;
};

class ProgramPaths : public testing::Test
{
protected:
    fs::path Made(const fs::path& relative) const
    {
        fs::create_directories(Root.Path() / relative);
        return Root.Path() / relative;
    }

    TTemporaryFolder Root;
    TEnvironment Environment;
};

} // namespace

TEST_F(ProgramPaths, TakeTheFirstDataFolderThatExistsAfterAnyNamedOne)
{
    const fs::path program = Made("program");
    const std::vector<fs::path> appData = {Root.Path() / "user", Root.Path() / "system", Root.Path() / "local"};
    Made("system/Data");
    Made("local/Data");
    // A file in a folder's place does not count.
    std::ofstream(program / "Data") << "not a folder";
    Environment.Set(DataFolderVariable, Root.Path() / "absent");
    EXPECT_EQ(FindDataFolder(std::nullopt, program, appData), Root.Path() / "system/Data");

    Made("user/Data");
    EXPECT_EQ(FindDataFolder(std::nullopt, program, appData), Root.Path() / "user/Data");

    fs::remove(program / "Data");
    Made("program/Data");
    EXPECT_EQ(FindDataFolder(std::nullopt, program, appData), program / "Data");

    Environment.Set(DataFolderVariable, Made("named"));
    EXPECT_EQ(FindDataFolder(std::nullopt, program, appData), Root.Path() / "named");
    // The argument wins even when missing, so that the messages name what was asked for.
    EXPECT_EQ(FindDataFolder(Root.Path() / "absent", program, appData), Root.Path() / "absent");
}

TEST_F(ProgramPaths, NameTheUsersFolderWhenNoDataFolderExistsAndPutAChosenOneBeforeTheDefaults)
{
    Environment.Set(DataFolderVariable, "");
    const fs::path program = Made("program");
    const std::vector<fs::path> appData = {Root.Path() / "user", Root.Path() / "system"};
    EXPECT_EQ(FindDataFolder(std::nullopt, program, appData), Root.Path() / "user/Data");
    EXPECT_FALSE(FirstExistingFolder(DataFolderCandidates(program, appData, std::nullopt)));
    EXPECT_TRUE(fs::is_empty(program)) << "looking leaves nothing behind";

    // A folder chosen at a first start is kept for the next starts and looked in before the
    // default places, but only while it exists.
    const fs::path config = Root.Path() / "config";
    EXPECT_FALSE(ReadChosenDataFolder(config));
    ASSERT_TRUE(SaveChosenDataFolder(config, Root.Path() / "chosen 자료"));
    const std::optional<fs::path> chosen = ReadChosenDataFolder(config);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, Root.Path() / "chosen 자료");
    Made("system/Data");
    EXPECT_EQ(FindDataFolder(std::nullopt, program, appData, chosen), Root.Path() / "system/Data");
    Made("chosen 자료");
    EXPECT_EQ(FindDataFolder(std::nullopt, program, appData, chosen), Root.Path() / "chosen 자료");
}

TEST_F(ProgramPaths, KeepTheSettingsBesideTheProgramOnlyWhereTheUserPutThemThere)
{
    const fs::path program = Made("program");
    const fs::path config = Root.Path() / "config";
    // A folder that takes files is no sign of portable use: root can write /usr/bin.
    EXPECT_EQ(FindSettingsFolder(program, config), config);
    EXPECT_TRUE(fs::is_empty(program)) << "the check leaves nothing behind";

    std::ofstream(program / "Vesko3.ini") << "ColorIndex=1\r\n";
    EXPECT_EQ(FindSettingsFolder(program, config), program);
    fs::remove(program / "Vesko3.ini");
    Made("program/Data");
    EXPECT_EQ(FindSettingsFolder(program, config), program);
}

#ifdef __linux__
TEST_F(ProgramPaths, LookInThePlatformsFoldersForTheProgram)
{
    const QString oldName = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QString::fromStdU16String(std::u16string(ProgramName)));
    Environment.Set(DataFolderVariable, "");
    Environment.Set("XDG_DATA_HOME", Made("home/share"));
    Environment.Set("XDG_DATA_DIRS", Made("usr/share"));
    Environment.Set("XDG_CONFIG_HOME", Made("home/config"));
    const fs::path program = Made("bin");

    const TProgramPaths absent = LocateProgramPaths(std::nullopt, Root.Path() / "no-bin");
    Made("usr/share/vesko3/Data");
    const TProgramPaths system = LocateProgramPaths(std::nullopt, Root.Path() / "no-bin");
    Made("home/share/vesko3/Data");
    const TProgramPaths user = LocateProgramPaths(std::nullopt, Root.Path() / "no-bin");
    const TProgramPaths installed = LocateProgramPaths(std::nullopt, program);
    std::ofstream(program / "Vesko3.ini") << "";
    const TProgramPaths portable = LocateProgramPaths(std::nullopt, program);
    QCoreApplication::setApplicationName(oldName);

    EXPECT_EQ(absent.DataFolder, Root.Path() / "home/share/vesko3/Data");
    EXPECT_EQ(system.DataFolder, Root.Path() / "usr/share/vesko3/Data");
    EXPECT_EQ(user.DataFolder, Root.Path() / "home/share/vesko3/Data");
    EXPECT_EQ(user.SettingsFolder, Root.Path() / "home/config/vesko3");
    EXPECT_EQ(installed.SettingsFolder, Root.Path() / "home/config/vesko3");
    EXPECT_EQ(portable.DataFolder, Root.Path() / "home/share/vesko3/Data");
    EXPECT_EQ(portable.SettingsFolder, program);
}
#endif
