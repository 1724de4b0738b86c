// vesko3-tool build, demo and info, run as a separate process the way scripts use them.

#include "TestDataSet.h"
#include "ToolRun.h"
#include "data/DemoDataSet.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace {

void WriteBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// One sutra; one reading line outside the BMP.
void WriteOneSutraSource(const std::filesystem::path& folder)
{
    WriteBytes(folder / "catalogue.tsv", "number\tkind\ttitle\tname\n1\t2\t중아함 0001\t선법경\n");
    WriteBytes(folder / "subjects.tsv", "subject\tnumbers\n중아함 칠법품\t1\n");
    WriteBytes(folder / "han/0001.txt", "선법\n");
    WriteBytes(folder / "kor/0001.txt", "K01n0026_p0421a01;善法");
    WriteBytes(folder / "sinsu/0001.txt", "T01n0026_p0421a01║善法");
    WriteBytes(folder / "readings.tsv", "善\t선\n\xF0\xA0\x80\x80\t가\n");
    WriteBytes(folder / "variants0.txt", "");
    WriteBytes(folder / "variants1.txt", "");
}

std::size_t Occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::int64_t VariantUnits(const std::vector<std::u16string>& groups)
{
    std::int64_t units = 1;
    for (const std::u16string& group : groups)
        units += static_cast<std::int64_t>(group.size()) + 1;
    return units;
}

} // namespace

TEST(InfoCommand, PrintsTheInfoLinesAndTheCountsOfTheLoadedFiles)
{
    const TDataSetSource source = SmallDataSetSource();
    TTemporaryFolder folder;
    WriteTestDataSet(source, folder.Path());

    std::int64_t units[3] = {};
    std::size_t largest = 0;
    for (const TSourceSutta& s : source.Suttas) {
        units[0] += static_cast<std::int64_t>(s.HanBody.size() + s.HanSubject.size() + s.HanSummary.size());
        units[1] += static_cast<std::int64_t>(s.KorBody.size());
        units[2] += static_cast<std::int64_t>(s.SinsuBody.size());
        largest = std::max({largest, s.HanBody.size(), s.KorBody.size(), s.SinsuBody.size()});
    }
    const std::string date = "파일 만든 날짜 = 2007.11.05_09:30:00\n";
    const std::string expected =
        "VESKO3.A0\n" + date + "VESKO3.A1\n" + date + "VESKO3.A2\n" + date +
        "sutras: 4\nkind 0: 4\nkind 1: 1\nkind 2: 1\nkind 3: 1\nkind 4: 1\nkind 5: 0\nkind 6: 0\nkind 7: 0\n"
        "subjects: 3\n"
        "text units: " +
        std::to_string(units[0]) + " " + std::to_string(units[1]) + " " + std::to_string(units[2]) +
        "\nvariant units: " + std::to_string(VariantUnits(source.VariantGroups[0])) + " " +
        std::to_string(VariantUnits(source.VariantGroups[1])) +
        "\nreading units: 65536\nwork size: " + std::to_string(largest + 100) + "\n";

    const TToolRun run = RunTool({"info", "--data", Q(folder.Path())});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, expected);
    EXPECT_EQ(run.Err, "");
}

TEST(InfoCommand, PutsEveryLoaderMessageOnStderrAndExitsWith1)
{
    TTemporaryFolder folder;
    const TToolRun run = RunTool({"info", "--data", Q(folder.Path())});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(Occurrences(run.Err, "vesko3-tool: 파일이 없습니다: "), 6u) << run.Err;
    EXPECT_LT(run.Err.find("VESKO3.A0"), run.Err.find("VESKO3.C0"));

    EXPECT_EQ(RunTool({"info", "--data", Q(folder.Path()), "--bogus"}).Exit, 2);
    EXPECT_EQ(RunTool({"info", "extra"}).Exit, 2);
}

TEST(BuildCommand, WritesTheSetWithTheGivenDateAndCountsSkippedCharacters)
{
    TTemporaryFolder source, data;
    WriteOneSutraSource(source.Path());
    const TToolRun build = RunTool(
        {"build", "--from", Q(source.Path()), "--out", Q(data.Path() / "Data"), "--date", "2001-02-03T04:05:06"});
    ASSERT_EQ(build.Exit, 0) << build.Err;
    EXPECT_NE(build.Out.find("skipped readings outside the BMP: 1\n"), std::string::npos) << build.Out;

    const TToolRun info = RunTool({"info", "--data", Q(data.Path() / "Data")});
    EXPECT_EQ(info.Exit, 0) << info.Err;
    EXPECT_NE(info.Out.find("파일 만든 날짜 = 2001.02.03_04:05:06\n"), std::string::npos);
    EXPECT_NE(info.Out.find("kind 2: 1\n"), std::string::npos);
}

TEST(BuildCommand, RejectsABadSourceWithFileAndLineAndLeavesTheOldSetAlone)
{
    TTemporaryFolder source, data;
    WriteTestDataSet(SmallDataSetSource(), data.Path());
    const std::string before = ReadBytes(data.Path() / "VESKO3.A0");
    WriteOneSutraSource(source.Path());
    WriteBytes(source.Path() / "catalogue.tsv", "number\tkind\ttitle\tname\n1\t9\t중아함 0001\t선법경\n");

    const TToolRun run = RunTool({"build", "--from", Q(source.Path()), "--out", Q(data.Path())});
    EXPECT_EQ(run.Exit, 2);
    EXPECT_NE(run.Err.find((source.Path() / "catalogue.tsv").string() + ":2: "), std::string::npos) << run.Err;
    EXPECT_EQ(ReadBytes(data.Path() / "VESKO3.A0"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data.Path()), {}), 6);

    EXPECT_EQ(RunTool({"build", "--out", Q(data.Path())}).Exit, 2);
    EXPECT_EQ(
        RunTool({"build", "--from", Q(source.Path()), "--out", Q(data.Path()), "--date", "2001-02-30T00:00:00"}).Exit,
        2);
}

TEST(DemoCommand, WritesTheSameSetEachTimeAndSourcesThatBuildIt)
{
    if (!std::filesystem::exists(TDemoOptions().HanjaTable) || !std::filesystem::exists(TDemoOptions().UnihanVariants))
        GTEST_SKIP() << "hanja.txt or Unihan_Variants.txt.bz2 absent";
    TTemporaryFolder folder;
    const std::filesystem::path a = folder.Path() / "a", b = folder.Path() / "b", built = folder.Path() / "built";
    const std::filesystem::path sources = folder.Path() / "sources";
    for (const QStringList& arguments :
         {QStringList{"demo", "--out", Q(a), "--sutras", "30", "--seed", "5", "--source", Q(sources)},
          QStringList{"demo", "--out", Q(b), "--sutras", "30", "--seed", "5"},
          QStringList{"build", "--from", Q(sources), "--out", Q(built), "--date", "2007-11-05T00:00:00"}}) {
        const TToolRun run = RunTool(arguments);
        ASSERT_EQ(run.Exit, 0) << run.Err;
    }
    for (const char* file : {"VESKO3.A0", "VESKO3.A1", "VESKO3.A2", "VESKO3.H0", "VESKO3.H1", "VESKO3.C0"}) {
        EXPECT_EQ(ReadBytes(a / file), ReadBytes(b / file)) << file;
        EXPECT_EQ(ReadBytes(a / file), ReadBytes(built / file)) << file;
    }

    const TToolRun info = RunTool({"info", "--data", Q(a)});
    EXPECT_EQ(info.Exit, 0) << info.Err;
    EXPECT_NE(info.Out.find("파일 만든 날짜 = 2007.11.05_00:00:00\n"), std::string::npos);
    EXPECT_NE(info.Out.find("sutras: 30\n"), std::string::npos);
}

TEST(DemoCommand, RejectsBadArgumentsWithoutWriting)
{
    TTemporaryFolder folder;
    const QString out = Q(folder.Path() / "Data");
    const QStringList cases[] = {
        {"demo"},
        {"demo", "--out", out, "--sutras", "0"},
        {"demo", "--out", out, "--sutras", "2501"},
        {"demo", "--out", out, "--sutras", "12x"},
        {"demo", "--out", out, "--sutras"},
        {"demo", "--out", out, "--seed", "-1"},
        {"demo", "--out", out, "--date", "2007-11-05"},
        {"demo", "--out", out, "--date"},
        {"demo", "--out", out, "--source"},
        {"demo", "--out", out, "--bogus"},
        {"demo", "--out", out, "stray"},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const TToolRun run = RunTool(arguments);
        EXPECT_EQ(run.Exit, 2);
        EXPECT_FALSE(run.Err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "Data"));
}

TEST(SearchCommand, ContextRowsCarryTheRunsThatMarksGivesForEachSutra)
{
    const TDataSetSource source = SmallDataSetSource();
    TTemporaryFolder folder;
    WriteTestDataSet(source, folder.Path());
    std::mt19937 random(1105);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    for (int search = 0; search < 8; ++search) {
        const int canon = search % 4;
        QStringList arguments{"search", "--data", Q(folder.Path()), "--canon", QString::number(canon)};
        for (std::size_t w = pick(3) + 1; w > 0; --w) {
            const TSourceSutta& s = source.Suttas[pick(source.Suttas.size())];
            const std::u16string& body = canon == 0 ? s.HanBody : canon == 2 ? s.SinsuBody : s.KorBody;
            if (body.empty()) continue;
            arguments << QString::fromStdU16String(body.substr(pick(body.size()), 1 + pick(2)));
        }
        const TToolRun context = RunTool(QStringList(arguments) << "--context"
                                                                << "4");
        ASSERT_EQ(context.Exit, 0) << context.Err;
        // number -> "family\tstart\tend" lines in the order --context gives them
        std::map<int, std::string> runs;
        std::vector<int> order;
        std::istringstream lines(context.Out);
        for (std::string line; std::getline(lines, line);) {
            std::vector<std::string> fields;
            std::istringstream cells(line);
            for (std::string cell; std::getline(cells, cell, '\t');)
                fields.push_back(cell);
            ASSERT_GE(fields.size(), 6u) << line;
            const int number = std::stoi(fields[0]);
            if (order.empty() || order.back() != number) order.push_back(number);
            runs[number] += fields[1] + "\t" + fields[2] + "\t" + fields[3] + "\n";
        }
        EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
        EXPECT_EQ(order.size(), runs.size()) << "a sutra's rows stand together";
        for (const auto& [number, expected] : runs) {
            const TToolRun marks = RunTool(QStringList(arguments) << "--marks" << QString::number(number));
            EXPECT_EQ(marks.Out, expected) << "sutra " << number;
        }
    }
}

TEST(SearchCommand, RejectsABadContextWidthAndContextWithMarks)
{
    TTemporaryFolder folder;
    WriteTestDataSet(SmallDataSetSource(), folder.Path());
    const QStringList search{"search", "--data", Q(folder.Path()), "불"};
    for (const QStringList& extra : {QStringList{"--context", "201"}, QStringList{"--context", "-1"},
                                     QStringList{"--context", "x"}, QStringList{"--context", "3", "--marks", "1"}}) {
        const TToolRun run = RunTool(QStringList(search) << extra);
        EXPECT_EQ(run.Exit, 2) << extra.join(' ').toStdString();
        EXPECT_EQ(run.Out, "");
    }
    EXPECT_EQ(RunTool(QStringList(search) << "--context"
                                          << "0")
                  .Exit,
              0);
}
