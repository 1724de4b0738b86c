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
#include <poll.h>
#include <sys/inotify.h>
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
        if (entry.path().filename().string().starts_with("VESKO3."))
            set[entry.path().filename().string()] = Contents(entry.path());
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

// A set and its sources from the demo's seed.
std::vector<std::string> Demo(const fs::path& folder, int seed)
{
    const std::string name = std::to_string(seed);
    return {"demo",
            "--out",
            (folder / name).string(),
            "--source",
            (folder / ("source" + name)).string(),
            "--seed",
            name,
            "--sutras",
            "200"};
}

// The set of that seed again, byte for byte, from its sources.
std::vector<std::string> Build(const fs::path& folder, int seed, const fs::path& out)
{
    return {"build",
            "--from",
            (folder / ("source" + std::to_string(seed))).string(),
            "--out",
            out.string(),
            "--date",
            "2007-11-05T00:00:00"};
}

// Watches for the moment a replacement of the set in target starts to show: a data file
// moved into it, or another folder moved to its name.
class TSetChangeWatch
{
public:
    explicit TSetChangeWatch(const fs::path& target) : Name(target.filename().string())
    {
        Descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        Inside = ::inotify_add_watch(Descriptor, target.c_str(), IN_MOVED_TO);
        ::inotify_add_watch(Descriptor, target.parent_path().c_str(), IN_MOVED_TO | IN_MOVED_FROM);
    }
    ~TSetChangeWatch() { ::close(Descriptor); }

    // True when the change began before the deadline.
    bool Wait(TClock::time_point deadline)
    {
        alignas(inotify_event) char buffer[4096];
        while (TClock::now() < deadline) {
            pollfd wanted{Descriptor, POLLIN, 0};
            ::poll(&wanted, 1, 1);
            ssize_t got = 0;
            while ((got = ::read(Descriptor, buffer, sizeof buffer)) > 0)
                for (char* at = buffer; at < buffer + got;) {
                    const auto* event = reinterpret_cast<const inotify_event*>(at);
                    const std::string name = event->len > 0 ? event->name : "";
                    if (event->wd == Inside ? name.starts_with("VESKO3.") : name == Name) return true;
                    at += sizeof(inotify_event) + event->len;
                }
        }
        return false;
    }

private:
    std::string Name;
    int Descriptor = -1, Inside = -1;
};

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
    std::cout << Runs << " runs killed at moments from 0 to " << moment.max() << " us: " << whole << " whole files ("
              << news << " new), " << reads << " whole reads while saving, " << leftovers
              << " staging files left, all removed by the next save\n";
}

TEST(InterruptedWrite, ABuildKilledAtAnyMomentLeavesTheOldSetOrTheNew)
{
    constexpr int Runs = 60;
    TTemporaryFolder folder;
    const fs::path target = folder.Path() / "Data";
    ASSERT_EQ(Wait(StartTool(Demo(folder.Path(), 1))), 0);
    ASSERT_EQ(Wait(StartTool(Demo(folder.Path(), 2))), 0);
    // The seeds make other texts; one table line less makes the other files differ too.
    for (const char* table : {"readings.tsv", "variants0.txt", "variants1.txt"}) {
        const fs::path path = folder.Path() / "source2" / table;
        std::string lines = Contents(path);
        lines.erase(lines.rfind('\n', lines.size() - 2) + 1);
        ASSERT_TRUE(ReplaceFile(path, lines));
    }
    ASSERT_EQ(Wait(StartTool(Build(folder.Path(), 2, folder.Path() / "2"))), 0);
    const TSet sets[2] = {DataFiles(folder.Path() / "1"), DataFiles(folder.Path() / "2")};
    ASSERT_EQ(sets[0].size(), 6u);
    for (const auto& [name, bytes] : sets[0])
        ASSERT_TRUE(bytes != sets[1].at(name)) << name << " tells the two sets apart";

    ASSERT_EQ(Wait(StartTool(Build(folder.Path(), 1, target))), 0);
    ASSERT_TRUE(WriteWholeFile(target / "notes.txt", std::string_view("mine")));
    const auto timed = TClock::now();
    ASSERT_EQ(Wait(StartTool(Build(folder.Path(), 2, target))), 0);
    ASSERT_EQ(DataFiles(target), sets[1]);
    const auto oneBuild = std::chrono::duration_cast<std::chrono::microseconds>(TClock::now() - timed);

    // Half the runs are killed at any moment of the build, half within a few microseconds of
    // the moment the set starts to change, where a set replaced file by file would be mixed.
    std::mt19937 random(24);
    std::uniform_int_distribution<long> moment(0, oneBuild.count() * 6 / 5), afterChange(0, 300);
    int whole = 0, finished = 0, changed = 0, leftovers = 0, atChange = 0;
    int holds = 1;
    for (int run = 0; run < Runs; ++run) {
        TSetChangeWatch watch(target);
        const pid_t tool = StartTool(Build(folder.Path(), 2 - holds, target));
        if (run % 2 == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        } else if (watch.Wait(TClock::now() + 4 * oneBuild)) {
            ++atChange;
            const auto until = TClock::now() + std::chrono::microseconds(afterChange(random));
            while (TClock::now() < until) {
            }
        }
        finished += Kill(tool);
        const TSet now = DataFiles(target);
        const int found = now == sets[0] ? 0 : now == sets[1] ? 1 : -1;
        EXPECT_NE(found, -1) << run << ": a mixture or a cut set";
        EXPECT_EQ(Contents(target / "notes.txt"), "mine") << run;
        whole += found != -1;
        changed += found != holds;
        if (found != -1) holds = found;
        leftovers += static_cast<int>(EntryCount(folder.Path())) - 5; // 1, 2, their sources and Data
    }
    EXPECT_EQ(whole, Runs);
    ASSERT_EQ(Wait(StartTool(Build(folder.Path(), 1, target))), 0);
    EXPECT_EQ(DataFiles(target), sets[0]);
    EXPECT_EQ(EntryCount(folder.Path()), 5u) << "the next build removes what killed ones left";
    std::cout << Runs << " builds killed at moments from 0 to " << moment.max() << " us, " << atChange
              << " of them 0 to " << afterChange.max() << " us after the set began to change (" << finished
              << " finished first): " << whole << " whole sets (" << changed << " new), " << leftovers
              << " staging folders left, all removed by the next build\n";
}

#endif
