// vesko3-tool's command line: help, version, option forms, faults in the arguments, choices
// by name, paths in other encodings and the streamed convert.

#include "TestDataSet.h"
#include "ToolRun.h"
#include "data/DataSetSource.h"
#include "session/Vesko3Session.h"
#include "session/ProgramLicence.h"
#include "tools/ReadingConversion.h"
#include "util/TextCodec.h"
#include "RecordingMessages.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>

namespace {

const char* const Subcommands[] = {"build", "char", "cite",      "compare", "convert", "demo",    "goto",
                                   "info",  "list", "parallels", "search",  "show",    "subjects"};

// Sets VESKO3_DATA for the programs started while it lives.
class TDataVariable
{
public:
    explicit TDataVariable(const std::filesystem::path& folder) { qputenv("VESKO3_DATA", Q(folder).toUtf8()); }
    ~TDataVariable() { qunsetenv("VESKO3_DATA"); }
};

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What the page shows for the whole text at once: the output convert must stream.
std::string ConvertedAtOnce(const QByteArray& input, const TReadingFile& readings)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(input);
    std::string out;
    for (const std::u16string& line : ConvertReadings(text.toStdU16String(), readings))
        out += Utf16ToUtf8(line) + "\n";
    return out;
}

} // namespace

TEST(ToolCommandLine, HelpAndVersionGoToStdoutAndExitWith0)
{
    const TToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.Exit, 0);
    EXPECT_EQ(help.Err, "");
    for (const QStringList& same : {QStringList{"-h"}, QStringList{"help"}})
        EXPECT_EQ(RunTool(same).Out, help.Out);

    for (const char* command : Subcommands) {
        SCOPED_TRACE(command);
        EXPECT_NE(help.Out.find(std::string("\n  ") + command + " "), std::string::npos);
        const TToolRun own = RunTool({command, "--help"});
        EXPECT_EQ(own.Exit, 0);
        EXPECT_EQ(own.Err, "");
        EXPECT_EQ(own.Out.rfind(std::string("사용법: vesko3-tool ") + command + " ", 0), 0u) << own.Out;
        // Help is answered before anything else in the line is judged.
        for (const QStringList& same : {QStringList{command, "-h"}, QStringList{"help", command},
                                        QStringList{command, "--bogus", "--data", "-h"}}) {
            const TToolRun run = RunTool(same);
            EXPECT_EQ(run.Exit, 0);
            EXPECT_EQ(run.Out, own.Out);
        }
    }

    const TToolRun version = RunTool({"--version"});
    EXPECT_EQ(version.Exit, 0);
    EXPECT_EQ(version.Out, VersionText("vesko3-tool", VESKO3_VERSION));
    EXPECT_NE(version.Out.find("GPL-3.0-or-later"), std::string::npos);
    EXPECT_EQ(version.Err, "");
}

TEST(ToolCommandLine, ManualPageNamesEveryOptionTheHelpNames)
{
    std::string page = ReadText(VESKO3_TOOL_MAN_PAGE);
    ASSERT_FALSE(page.empty());
    page = std::regex_replace(page, std::regex(R"(\\-)"), "-");
    const std::regex option(R"(\n  (--[a-z-]+))");
    for (const char* command : Subcommands) {
        const std::string help = RunTool({command, "--help"}).Out;
        EXPECT_NE(page.find(command), std::string::npos) << command;
        for (std::sregex_iterator it(help.begin(), help.end(), option), end; it != end; ++it)
            EXPECT_NE(page.find((*it)[1].str()), std::string::npos) << command << " " << (*it)[1].str();
    }
}

TEST(ToolCommandLine, AnOptionWithoutItsValueExitsWith2NamingIt)
{
    // A usable data set where the tool looks by default: an option whose missing value were
    // ignored would quietly run on it.
    TTemporaryFolder folder;
    WriteTestDataSet(SmallDataSetSource(), folder.Path());
    const TDataVariable variable(folder.Path());
    ASSERT_EQ(RunTool({"list"}).Exit, 0);

    const QStringList cases[] = {
        {"list", "--data"},
        {"subjects", "--data"},
        {"convert", "--data"},
        {"info", "--data"},
        {"search", "如是", "--data"},
        {"search", "如是", "--canon"},
        {"search", "如是", "--kind"},
        {"search", "如是", "--marks"},
        {"search", "如是", "--context"},
        {"list", "--kind"},
        {"subjects", "--subject"},
        {"show", "1", "--view"},
        {"search", "--canon=", "如"},
        {"build", "--out", "x", "--from"},
        {"demo", "--out"},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const TToolRun run = RunTool(arguments);
        EXPECT_EQ(run.Exit, 2);
        EXPECT_EQ(run.Out, "");
        const std::string option = arguments.filter("--").constLast().split('=').constFirst().toStdString();
        EXPECT_EQ(run.Err.rfind("vesko3-tool: " + arguments[0].toStdString() + ": " + option + " ", 0), 0u) << run.Err;
    }
}

TEST(ToolCommandLine, AnUnknownOptionOrWordIsNamedWithItsSubcommand)
{
    for (const char* command : Subcommands) {
        const TToolRun run = RunTool({command, "--bogus=1"});
        EXPECT_EQ(run.Exit, 2) << command;
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err.rfind(std::string("vesko3-tool: ") + command + ": ", 0), 0u) << run.Err;
        EXPECT_NE(run.Err.find("--bogus"), std::string::npos) << run.Err;
    }
    for (const QStringList& arguments :
         {QStringList{"list", "--by-name=yes"}, QStringList{"info", "stray"}, QStringList{"show", "1", "2"}}) {
        const TToolRun run = RunTool(arguments);
        EXPECT_EQ(run.Exit, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.Err.rfind("vesko3-tool: " + arguments[0].toStdString() + ": ", 0), 0u) << run.Err;
    }
}

TEST(ToolCommandLine, SpeaksTheLocalesLanguageInOneLineMessagesAndKeepsItsDataTheSame)
{
    // A usage error: the message, the subcommand's one usage line and where its help is.
    EXPECT_EQ(RunTool({"list", "--bogus"}).Err, "vesko3-tool: list: 알 수 없는 옵션입니다: --bogus\n"
                                                "사용법: vesko3-tool list [--data DIR] [--by-name] [--kind K]\n"
                                                "'vesko3-tool list --help' 를 보십시오.\n");
    EXPECT_EQ(RunTool({"list", "--bogus"}, {}, "C").Err, "vesko3-tool: list: unknown option: --bogus\n"
                                                         "usage: vesko3-tool list [--data DIR] [--by-name] [--kind K]\n"
                                                         "See 'vesko3-tool list --help'.\n");
    EXPECT_EQ(RunTool({}, {}, "en_US.UTF-8").Err, "vesko3-tool: no subcommand given.\n"
                                                  "usage: vesko3-tool SUBCOMMAND [OPTION]... [ARGUMENT]...\n"
                                                  "See 'vesko3-tool --help'.\n");

    // Outside a Korean locale nothing of the tool's own is Korean: its messages, including
    // the loaders' (one line each, without the window's CR LF), and its help.
    const auto hasHangul = [](const std::string& text) {
        const QString wide = QString::fromStdString(text);
        return std::any_of(wide.begin(), wide.end(),
                           [](QChar c) { return c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3; });
    };
    TTemporaryFolder empty;
    const TToolRun missing = RunTool({"info", "--data", Q(empty.Path())}, {}, "C");
    EXPECT_EQ(missing.Err.find('\r'), std::string::npos);
    EXPECT_EQ(missing.Err.rfind("vesko3-tool: file not found: ", 0), 0u) << missing.Err;
    EXPECT_EQ(std::count(missing.Err.begin(), missing.Err.end(), '\n'), 6) << missing.Err;
    const QStringList faults[] = {{"list", "--data"},
                                  {"demo"},
                                  {"subjects", "--subject", "0"},
                                  {"bogus"},
                                  {"search", "--context", "1", "--marks", "1", "x"},
                                  {"convert", "extra"}};
    for (const QStringList& arguments : faults) {
        const TToolRun run = RunTool(arguments, {}, "C");
        EXPECT_EQ(run.Exit, 2);
        EXPECT_FALSE(hasHangul(run.Err)) << run.Err;
    }
    const TToolRun help = RunTool({"build", "--help"}, {}, "C");
    EXPECT_EQ(help.Out.rfind("usage: vesko3-tool build ", 0), 0u) << help.Out;
    EXPECT_FALSE(hasHangul(help.Out)) << help.Out;
    for (const char* command : Subcommands) {
        const std::string korean = RunTool({command, "--help"}).Out;
        const std::string english = RunTool({command, "--help"}, {}, "C").Out;
        EXPECT_NE(korean, english) << command;
        EXPECT_EQ(std::count(korean.begin(), korean.end(), '\n'), std::count(english.begin(), english.end(), '\n'))
            << korean << english;
    }

    // What the tool prints as data is the same in every locale.
    TTemporaryFolder folder;
    WriteTestDataSet(SmallDataSetSource(), folder.Path());
    const QString data = Q(folder.Path());
    const QStringList outputs[] = {{"info", "--data", data},
                                   {"list", "--data", data, "--by-name"},
                                   {"subjects", "--data", data},
                                   {"search", "--data", data, "色"}};
    for (const QStringList& arguments : outputs) {
        const TToolRun korean = RunTool(arguments);
        EXPECT_EQ(korean.Exit, 0) << korean.Err;
        EXPECT_EQ(RunTool(arguments, {}, "C").Out, korean.Out);
    }
}

TEST(ToolCommandLine, DoubleDashEndsTheOptionsAndEqualsJoinsAValue)
{
    TDataSetSource source = SmallDataSetSource();
    source.Suttas[1].HanBody += u" -가";
    TTemporaryFolder folder;
    WriteTestDataSet(source, folder.Path());
    const QString data = Q(folder.Path());

    const TToolRun found = RunTool({"search", "--data", data, "--", "-가"});
    EXPECT_EQ(found.Exit, 0) << found.Err;
    EXPECT_EQ(found.Out.rfind("2\t", 0), 0u) << found.Out;
    EXPECT_EQ(std::count(found.Out.begin(), found.Out.end(), '\n'), 2) << found.Out;
    EXPECT_EQ(RunTool({"search", "--data=" + data, "--canon=0", "--kind=2", "--", "-가"}).Out, found.Out);
    EXPECT_EQ(RunTool({"search", "--canon", "0", "--data", data, "--", "-가", "--all"}).Exit, 0);

    const TToolRun refused = RunTool({"search", "--data", data, "-가"});
    EXPECT_EQ(refused.Exit, 2);
    EXPECT_EQ(refused.Out, "");
    EXPECT_NE(refused.Err.find("-가"), std::string::npos) << refused.Err;

    // A negative number is still the value of the option before it.
    EXPECT_EQ(RunTool({"search", "--data", data, "--marks", "-5", "색"}).Exit, 0);
}

TEST(ToolCommandLine, CanonAndKindTakeTheNamesTheWindowShows)
{
    TTemporaryFolder folder;
    WriteTestDataSet(SmallDataSetSource(), folder.Path());
    const QString data = Q(folder.Path());
    const QStringList words{"여시", "如是", "色"};

    std::vector<std::string> byNumber;
    const QString canons[] = {"한글대장경", "고려대장경", "신수대장경", "고려대장경+신수대장경 함께"};
    for (int i = 0; i < 4; ++i) {
        const TToolRun number = RunTool(QStringList{"search", "--data", data, "--canon", QString::number(i)} + words);
        ASSERT_EQ(number.Exit, 0) << number.Err;
        EXPECT_EQ(RunTool(QStringList{"search", "--data", data, "--canon", canons[i]} + words).Out, number.Out) << i;
        byNumber.push_back(number.Out);
    }
    EXPECT_EQ(std::set<std::string>(byNumber.begin(), byNumber.end()).size(), 4u) << "each text finds other hits";

    const QString kinds[] = {"전체", "장아함", "중아함", "잡아함", "증일아함"};
    for (int k = 0; k < 5; ++k) {
        const TToolRun number = RunTool({"list", "--data", data, "--kind", QString::number(k)});
        ASSERT_EQ(number.Exit, 0) << number.Err;
        EXPECT_EQ(RunTool({"list", "--data", data, "--kind=" + kinds[k]}).Out, number.Out) << k;
        EXPECT_EQ(
            RunTool(QStringList{"search", "--data", data, "--kind", kinds[k], "--canon", "3"} + words).Out,
            RunTool(QStringList{"search", "--data", data, "--kind", QString::number(k), "--canon", "3"} + words).Out);
    }
    for (const QStringList& arguments : {QStringList{"list", "--data", data, "--kind", "잡아"},
                                         QStringList{"search", "--data", data, "--canon", "4", "色"},
                                         QStringList{"search", "--data", data, "--kind", "5", "色"}}) {
        const TToolRun run = RunTool(arguments);
        EXPECT_EQ(run.Exit, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.Out, "");
    }
}

TEST(ToolCommandLine, PathsThatAreNotUtf8AreUsedAsGiven)
{
    TTemporaryFolder folder;
    const std::filesystem::path data = folder.Path() / std::string("data\xFF");
    const std::filesystem::path sources = folder.Path() / std::string("src\xFE");
    WriteTestDataSet(SmallDataSetSource(), data);
    ASSERT_TRUE(WriteSourceFolder(SmallDataSetSource(), sources));
    // QProcess would pass the names through UTF-8; the shell hands the bytes on unchanged.
    const auto runWithBytes = [&](const QString& script) {
        return RunProgram("/bin/sh", {"-c", script, VESKO3_TOOL_PATH, Q(folder.Path())});
    };

    const TToolRun info = runWithBytes(R"sh(exec "$0" info --data "$1/data$(printf '\377')")sh");
    EXPECT_EQ(info.Exit, 0) << info.Err;
    EXPECT_NE(info.Out.find("sutras: 4\n"), std::string::npos) << info.Out;

    const TToolRun build =
        runWithBytes(R"sh(exec "$0" build --from="$1/src$(printf '\376')" --out "$1/out$(printf '\375')" )sh"
                     R"sh(--date 2007-11-05T09:30:00)sh");
    EXPECT_EQ(build.Exit, 0) << build.Err;
    for (const char* file : {"VESKO3.A0", "VESKO3.A2"})
        EXPECT_TRUE(ReadText(folder.Path() / std::string("out\xFD") / file) == ReadText(data / file)) << file;

    // Missing, each file is reported with the folder's name as far as it decodes.
    const TToolRun missing = runWithBytes(R"sh(exec "$0" info --data "$1/none$(printf '\377')")sh");
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_NE(missing.Err.find("none\xEF\xBF\xBD/VESKO3.A0"), std::string::npos) << missing.Err;
}

TEST(ConvertCommand, StreamsTheBytesTheWholeTextConvertedAtOnceGives)
{
    const TDataSetSource source = SmallDataSetSource();
    TTemporaryFolder folder;
    WriteTestDataSet(source, folder.Path());
    TVesko3Session session;
    TRecordingMessages messages;
    ASSERT_TRUE(session.LoadData(folder.Path(), messages));

    // Input is read, and long lines written, in pieces of 64 Ki bytes and units: breaks, CR LF
    // pairs and multi-byte characters fall on both sides of their edges.
    std::mt19937 random(1207);
    const std::vector<std::string> units = {"如", "是", "色", "無", "가", "a", " ", "\xF0\xA0\x80\x80", "\t"};
    const std::vector<std::string> breaks = {"\n", "\r\n", "\r", "\r\r", "\n\n"};
    auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    QByteArray input("\xEF\xBB\xBF");
    // A CR LF across the first edge; a line whose 65,536th unit is the first half of a pair.
    input += QByteArray(65535 - input.size(), 'a') + "\r\n" + QByteArray(65535, 'b') + "\xF0\xA0\x80\x80如\n";
    for (int i = 0; i < 70000; ++i)
        input += QByteArray::fromStdString(pick(units) + pick(units) + pick(units));
    while (input.size() < 3'000'000) {
        for (int n = std::uniform_int_distribution<int>(0, 30)(random); n > 0; --n)
            input += QByteArray::fromStdString(pick(units));
        input += QByteArray::fromStdString(pick(breaks));
    }

    const QByteArray inputs[] = {input, input + "끝", input + "\r", QByteArray(), "\n", "如\r", "\xEF\xBB\xBF"};
    for (const QByteArray& text : inputs) {
        SCOPED_TRACE(text.size());
        const TToolRun run = RunTool({"convert", "--data", Q(folder.Path())}, text);
        EXPECT_EQ(run.Exit, 0) << run.Err;
        EXPECT_TRUE(run.Out == ConvertedAtOnce(text, session.Data.ReadingFile)) << "outputs differ";
    }
}

TEST(ConvertCommand, RejectsInputThatIsNotUtf8)
{
    TTemporaryFolder folder;
    WriteTestDataSet(SmallDataSetSource(), folder.Path());
    // A sequence broken by a line break, a stray byte, a character cut off by the end.
    for (const QByteArray& text : {QByteArray("a\xE4\n\xB8\x80"), QByteArray("\xFF"), QByteArray("如\xE4\xB8")}) {
        const TToolRun run = RunTool({"convert", "--data", Q(folder.Path())}, text);
        EXPECT_EQ(run.Exit, 2) << text.toHex().toStdString();
        EXPECT_EQ(run.Err.rfind("vesko3-tool: convert: ", 0), 0u) << run.Err;
    }
}

#ifdef __linux__
TEST(ToolCommandLine, EveryCommandIntoAFullDiskExitsWith1AndSaysSo)
{
    TTemporaryFolder folder;
    const std::filesystem::path data = folder.Path() / "Data", source = folder.Path() / "source";
    TDataSetSource withParallels = SmallDataSetSource();
    withParallels.Parallels = {{0, TParallelRelation::Full, -1, u"dn14", u"DN 14"}};
    WriteTestDataSet(withParallels, data);
    ASSERT_TRUE(WriteSourceFolder(SmallDataSetSource(), source));
    const QString dataFolder = Q(data);
    // char and compare have something to print only with characters and differing editions.
    TDataSetSource reader = SmallDataSetSource();
    reader.Characters = {{U'舍', u"사", 0, u"집 사", u"house", u"135.2", 8}};
    reader.Suttas[1].KorBody.replace(reader.Suttas[1].KorBody.find(u'衆'), 1, u"眾");
    WriteTestDataSet(reader, folder.Path() / "reader");
    const QString readerFolder = Q(folder.Path() / "reader");
    // Small outputs stay in the stream's buffer until the final flush; list and a long convert
    // fail at their writes.
    const std::map<std::string, QStringList> runs = {
        {"build", {"build", "--from", Q(source), "--out", Q(folder.Path() / "built")}},
        {"char", {"char", "--data", readerFolder, "舍"}},
        {"compare", {"compare", "--data", readerFolder, "2"}},
        {"cite", {"cite", "--data", dataFolder, "1", "2", "30", "32"}},
        {"goto", {"goto", "--data", dataFolder, "T01n0001_p0001a01"}},
        {"parallels", {"parallels", "--data", dataFolder, "1"}},
        {"convert", {"convert", "--data", dataFolder}},
        {"demo", {"demo", "--out", Q(folder.Path() / "demo"), "--sutras", "3"}},
        {"info", {"info", "--data", dataFolder}},
        {"list", {"list", "--data", dataFolder}},
        {"search", {"search", "--data", dataFolder, "如是"}},
        {"show", {"show", "--data", dataFolder, "1", "--view", "kor"}},
        {"subjects", {"subjects", "--data", dataFolder}},
    };
    std::vector<QStringList> cases = {{"--help"}, {"--version"}, {"list", "--help"}};
    for (const char* name : Subcommands) {
        ASSERT_TRUE(runs.contains(name)) << "no run into a full disk for " << name;
        cases.push_back(runs.at(name));
    }
    cases.push_back({"convert", "--data", dataFolder});
    // A concordance of several sutras long enough to fail while its rows are still being matched.
    TDataSetSource many = SmallDataSetSource();
    for (TSourceSutta& sutta : many.Suttas)
        for (int i = 0; i < 1000; ++i)
            sutta.KorBody += u"如是我聞。";
    WriteTestDataSet(many, folder.Path() / "many");
    cases.insert(cases.end() - 1,
                 {"search", "--data", Q(folder.Path() / "many"), "--canon", "1", "--context", "200", "如是"});
    const QByteArray longInput = QByteArray("如是我聞\n").repeated(100000);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const QStringList& arguments = cases[i];
        SCOPED_TRACE(arguments.join(' ').toStdString());
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", KoreanLocale);
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile("/dev/full");
        process.start(QString::fromUtf8(VESKO3_TOOL_PATH), arguments);
        ASSERT_TRUE(process.waitForStarted(30000));
        process.write(i + 1 == cases.size() ? longInput : QByteArray("如是\n"));
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
        const std::string err = process.readAllStandardError().toStdString();
        EXPECT_NE(err.find("vesko3-tool: 출력을 쓸 수 없습니다: "), std::string::npos) << err;
    }
}
#endif
