// Saves and builds killed at any moment: two processes replacing one file at once, and a data
// set replaced over an old one, leave whole files and whole sets, never a mixture.

#include "TestDataSet.h"
#include "util/Files.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <chrono>
#include <csignal>
#include <iostream>
#include <map>
#include <random>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;
using TSet = std::map<std::string, std::string>; // a folder's data files by name

std::string Contents(const fs::path& path)
{
    std::string bytes;
    (void)ReadWholeFile(path, bytes);
    return bytes;
}

std::size_t EntryCount(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TSet DataFiles(const fs::path& folder)
{
    TSet set;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("VESKO3.")) set[entry.path().filename().string()] =
                Contents(entry.path());
    return set;
}

// A process that waits for a byte on gate, then replaces path with bytes over and over until it
// is killed (or, should the test itself die, for a few seconds).
pid_t StartSaver(const fs::path& path, const std::string& bytes, int gate)
{
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    char go = 0;
    if (::read(gate, &go, 1) != 1) ::_exit(2);
    const auto end = TClock::now() + std::chrono::seconds(5);
    while (TClock::now() < end)
        (void)ReplaceFile(path, bytes);
    ::_exit(0);
}

// Runs vesko3-tool with arguments, its output thrown away; returns its pid at once.
pid_t StartTool(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), VESKO3_TOOL_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::execv(VESKO3_TOOL_PATH, argv.data());
    ::_exit(127);
}

// True when the process had ended by itself before the kill.
bool Kill(pid_t pid)
{
    int status = 0;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status);
}

int Wait(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Demo(const fs::path& out, int seed)
{
    return {"demo", "--out", out.string(), "--sutras", "300", "--seed", std::to_string(seed)};
}

} // namespace

TEST(InterruptedWrite, TwoSavesOfOneFileKilledAtAnyMomentLeaveOneWholeFile)
{
    constexpr int Runs = 60;
    TTemporaryFolder folder;
    const fs::path target = folder.Path() / "Vesko3.ini";
    // Of different lengths, so that a mixture of two would show as a third.
    const std::string old(50'000, 'o'), first(840'000, 'a'), second(160'000, 'b');
    const auto timed = TClock::now();
    ASSERT_TRUE(ReplaceFile(target, first));
    const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(TClock::now() - timed);

    std::mt19937 random(19);
    std::uniform_int_distribution<long> moment(0, 4 * oneSave.count() + 2000);
    int reads = 0, whole = 0, leftovers = 0, news = 0;
    for (int run = 0; run < Runs; ++run) {
        ASSERT_TRUE(ReplaceFile(target, old));
        // That save removed what the killed ones of the run before left.
        ASSERT_EQ(EntryCount(folder.Path()), 1u) << run;
        int gate[2];
        ASSERT_EQ(::pipe(gate), 0);
        const pid_t a = StartSaver(target, first, gate[0]);
        const pid_t b = StartSaver(target, second, gate[0]);
        ::close(gate[0]);
        EXPECT_EQ(::write(gate[1], "go", 2), 2); // both start at the same instant
        ::close(gate[1]);
        // Read while they save, then kill both at a moment anywhere within a few saves.
        const auto until = TClock::now() + std::chrono::microseconds(moment(random));
        do {
            const std::string now = Contents(target);
            ++reads;
            EXPECT_TRUE(now == old || now == first || now == second) << run << ": " << now.size() << " bytes";
        } while (TClock::now() < until);
        Kill(a);
        Kill(b);
        const std::string last = Contents(target);
        whole += last == old || last == first || last == second;
        news += last != old;
        leftovers += static_cast<int>(EntryCount(folder.Path())) - 1;
    }
    EXPECT_EQ(whole, Runs);
    ASSERT_TRUE(ReplaceFile(target, old));
    EXPECT_EQ(EntryCount(folder.Path()), 1u);
    std::cout << Runs << " runs killed at moments from 0 to " << moment.max() << " us: " << whole
              << " whole files (" << news << " new), " << reads << " whole reads while saving, " << leftovers
              << " staging files left, all removed by the next save\n";
}

TEST(InterruptedWrite, ABuildKilledAtAnyMomentLeavesTheOldSetOrTheNew)
{
    constexpr int Runs = 40;
    TTemporaryFolder folder;
    const fs::path target = folder.Path() / "Data";
    ASSERT_EQ(Wait(StartTool(Demo(folder.Path() / "one", 1))), 0);
    ASSERT_EQ(Wait(StartTool(Demo(folder.Path() / "two", 2))), 0);
    const TSet sets[2] = {DataFiles(folder.Path() / "one"), DataFiles(folder.Path() / "two")};
    ASSERT_EQ(sets[0].size(), 6u);
    ASSERT_NE(sets[0], sets[1]);

    ASSERT_EQ(Wait(StartTool(Demo(target, 1))), 0);
    ASSERT_TRUE(WriteWholeFile(target / "notes.txt", std::string_view("mine")));
    const auto timed = TClock::now();
    ASSERT_EQ(Wait(StartTool(Demo(target, 2))), 0);
    const auto oneBuild = std::chrono::duration_cast<std::chrono::microseconds>(TClock::now() - timed);

    std::mt19937 random(24);
    std::uniform_int_distribution<long> moment(0, oneBuild.count() * 6 / 5);
    int whole = 0, finished = 0, changed = 0, leftovers = 0;
    int holds = 1;
    for (int run = 0; run < Runs; ++run) {
        const pid_t tool = StartTool(Demo(target, 2 - holds));
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        finished += Kill(tool);
        const TSet now = DataFiles(target);
        const int found = now == sets[0] ? 0 : now == sets[1] ? 1 : -1;
        EXPECT_NE(found, -1) << run << ": a mixture or a cut set";
        EXPECT_EQ(Contents(target / "notes.txt"), "mine") << run;
        whole += found != -1;
        changed += found != holds;
        if (found != -1) holds = found;
        leftovers += static_cast<int>(EntryCount(folder.Path())) - 3;
    }
    EXPECT_EQ(whole, Runs);
    ASSERT_EQ(Wait(StartTool(Demo(target, 1))), 0);
    EXPECT_EQ(DataFiles(target), sets[0]);
    EXPECT_EQ(EntryCount(folder.Path()), 3u) << "the next build removes what killed ones left";
    std::cout << Runs << " builds killed at moments from 0 to " << moment.max() << " us (" << finished
              << " finished first): " << whole << " whole sets (" << changed << " new), " << leftovers
              << " staging folders left, all removed by the next build\n";
}

#endif
