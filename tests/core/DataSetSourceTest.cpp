#include "data/DataSetSource.h"

#include "data/Vesko3Common.h"

#include "RecordingMessages.h"
#include "TestDataSet.h"
#include "util/TextCodec.h"

#include <gtest/gtest.h>

#include <fstream>

#ifdef __unix__
#include <sys/stat.h>
#endif

namespace {

void WriteBytes(const std::filesystem::path& path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::u16string Decoded(std::string_view bytes)
{
    std::u16string text;
    EXPECT_EQ(DecodeSourceText(bytes, text), 0u);
    return text;
}

std::size_t BadLine(std::string_view bytes)
{
    std::u16string text;
    return DecodeSourceText(bytes, text);
}

// Two sutras with every kind of file, one optional file missing, one line each of
// readings.tsv and variants0.txt outside the BMP.
class SourceFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Write("catalogue.tsv", "number\tkind\ttitle\tname\tchinese_name\n"
                               "1\t1\t장아함 0001\t대본경\t大本經\n"
                               "2\t4\t증일아함 0001\t십념경\n");
        Write("subjects.tsv", "subject\tnumbers\r\n장아함 제일분\t1,2\r\n빈 주제\t\r\n");
        Write("han/0001.txt", "여시아문\n일시\r\r\n불재\n");
        Write("han/0002.txt", "\xEF\xBB\xBF십념");
        Write("han-subject/0001.txt", "장아함 제일분 — 대본경\n");
        Write("han-summary/0002.txt", "요약");
        Write("kor/0001.txt", "K01n0001_p0001a01;如是\r\nK01n0001_p0001a02;我聞");
        Write("kor/0002.txt", "K02n0125_p0549a01;十念");
        Write("sinsu/0001.txt", "T01n0001_p0001a01║如是\r\nT01n0001_p0001a02║我聞\r\n");
        Write("sinsu/0002.txt", "T02n0125_p0549a01║十念");
        Write("readings.tsv", "如\t여\n是\t시\n\xF0\xA0\x80\x80\t가\n十\t십\n");
        Write("variants0.txt", "衆眾\n卽\xF0\xA0\x80\x80即\n");
        Write("variants1.txt", "國国\n");
    }

    void Write(const std::string& name, std::string_view bytes) { WriteBytes(Folder.Path() / name, bytes); }

    // Reads the folder expecting a rejection whose message starts with the file's path and line.
    void ExpectRejectedAt(const std::string& name, const std::string& line)
    {
        TDataSetSource source;
        TSourceSkips skips;
        const std::u16string problem = ReadSourceFolder(Folder.Path(), source, skips).Message();
        const std::string expected = (Folder.Path() / name).string() + line;
        EXPECT_EQ(Utf16ToUtf8(problem).substr(0, expected.size()), expected) << Utf16ToUtf8(problem);
        EXPECT_TRUE(source.Suttas.empty());
    }

    TTemporaryFolder Folder;
};

} // namespace

TEST(DecodeSourceText, MakesEveryLineBreakCrLfAndDropsOnlyTheFinalOne)
{
    EXPECT_EQ(Decoded("a\rb\nc\r\nd"), u"a\r\nb\r\nc\r\nd");
    EXPECT_EQ(Decoded("a\n\rb"), u"a\r\n\r\nb");
    EXPECT_EQ(Decoded("a\n"), u"a");
    EXPECT_EQ(Decoded("a\r"), u"a");
    EXPECT_EQ(Decoded("a\r\n\r\n"), u"a\r\n");
    EXPECT_EQ(Decoded("\n"), u"");
    EXPECT_EQ(Decoded(""), u"");
    EXPECT_EQ(Decoded("\t 如\xF0\xA0\x80\x80"), u"\t 如\U00020000");
}

TEST(DecodeSourceText, DropsALeadingByteOrderMarkOnly)
{
    EXPECT_EQ(Decoded("\xEF\xBB\xBF가"), u"가");
    EXPECT_EQ(Decoded("가\xEF\xBB\xBF"), u"가\uFEFF");
}

TEST(DecodeSourceText, RejectsInvalidUtf8AtItsLine)
{
    EXPECT_EQ(BadLine("\x80"), 1u);                         // stray continuation byte
    EXPECT_EQ(BadLine("a\r\nb\n\xC0\x80"), 3u);             // overlong NUL
    EXPECT_EQ(BadLine("a\r\xE0\x80\xAF"), 2u);              // overlong three-byte form
    EXPECT_EQ(BadLine("\xED\xA0\x80"), 1u);                 // a UTF-16 surrogate
    EXPECT_EQ(BadLine("\xF4\x90\x80\x80"), 1u);             // beyond U+10FFFF
    EXPECT_EQ(BadLine("ok\n\xE4\xB8"), 2u);                 // cut short at the end
    EXPECT_EQ(BadLine("\xE4\xB8\n\x80"), 1u);               // cut short by a line break
    EXPECT_EQ(BadLine("\xF4\x8F\xBF\xBF\xEF\xBF\xBF"), 0u); // U+10FFFF and U+FFFF are fine
}

TEST_F(SourceFolder, ReadsEveryFileIntoTheSource)
{
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_EQ(ReadSourceFolder(Folder.Path(), source, skips).Message(), u"");

    ASSERT_EQ(source.Suttas.size(), 2u);
    const TSourceSutta& first = source.Suttas[0];
    const TSourceSutta& second = source.Suttas[1];
    EXPECT_EQ(first.Kind, 1);
    EXPECT_EQ(second.Kind, 4);
    EXPECT_EQ(first.Title, u"장아함 0001");
    EXPECT_EQ(second.Name, u"십념경");
    EXPECT_EQ(first.HanBody, u"여시아문\r\n일시\r\n\r\n불재");
    EXPECT_EQ(second.HanBody, u"십념");
    EXPECT_EQ(first.HanSubject, u"장아함 제일분 — 대본경");
    EXPECT_EQ(first.HanSummary, u"");
    EXPECT_EQ(second.HanSubject, u"");
    EXPECT_EQ(second.HanSummary, u"요약");
    EXPECT_EQ(first.SinsuBody, u"T01n0001_p0001a01║如是\r\nT01n0001_p0001a02║我聞");
    EXPECT_EQ(second.KorBody, u"K02n0125_p0549a01;十念");

    ASSERT_EQ(source.Subjects.size(), 2u);
    EXPECT_EQ(source.Subjects[0].Name, u"장아함 제일분");
    EXPECT_EQ(source.Subjects[0].Suttas, (std::vector<std::int32_t>{0, 1}));
    EXPECT_TRUE(source.Subjects[1].Suttas.empty());

    ASSERT_EQ(source.Readings.size(), 65536u);
    EXPECT_EQ(source.Readings[u'如'], u'여');
    EXPECT_EQ(source.Readings[u'十'], u'십');
    EXPECT_EQ(source.Readings[u'我'], u'我'); // no reading line: the character itself
    EXPECT_EQ(source.VariantGroups[0], (std::vector<std::u16string>{u"衆眾", u"卽即"}));
    EXPECT_EQ(source.VariantGroups[1], (std::vector<std::u16string>{u"國国"}));
    EXPECT_EQ(skips.Readings, 1);
    EXPECT_EQ(skips.VariantCharacters, 1);
}

TEST_F(SourceFolder, BuildsADataSetThatLoadsWithTheTextsAsRead)
{
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_EQ(ReadSourceFolder(Folder.Path(), source, skips).Message(), u"");
    TTemporaryFolder data;
    WriteTestDataSet(source, data.Path());
    TLoadRun run(data.Path());
    ASSERT_TRUE(run.Loaded);
    EXPECT_TRUE(run.Messages.Shown.empty());
    const TVesko_File& han = run.Data.TextFiles[0];
    const TSuttaEntry& entry = han.SuttaTable.Items[0];
    EXPECT_EQ(std::u16string_view(han.Text.data() + entry.BodyStart, entry.BodyLength),
              u"여시아문\r\n일시\r\n\r\n불재");
    EXPECT_EQ(han.Header.KindCounts[4], 1);
    EXPECT_EQ(run.Data.ReadingFile.Text[u'是'], u'시');
}

TEST_F(SourceFolder, WritesSourcesThatReadBackTheSame)
{
    TDataSetSource source, back;
    TSourceSkips skips;
    ASSERT_EQ(ReadSourceFolder(Folder.Path(), source, skips).Message(), u"");
    source.Suttas[1].HanSummary = u"끝\r\n"; // a text ending in a line break keeps it
    TTemporaryFolder copy;
    ASSERT_EQ(WriteSourceFolder(source, copy.Path()).Message(), u"");
    ASSERT_EQ(ReadSourceFolder(copy.Path(), back, skips).Message(), u"");
    const TCreationDate date;
    for (int f = 0; f < TextFileCount; ++f)
        EXPECT_EQ(SerializeTextFile(back, f, date), SerializeTextFile(source, f, date)) << f;
    EXPECT_EQ(back.Readings, source.Readings);
    EXPECT_EQ(back.VariantGroups[0], source.VariantGroups[0]);
    EXPECT_EQ(skips.Readings, 0);

    source.Suttas[0].Name = u"이\t름";
    EXPECT_NE(WriteSourceFolder(source, copy.Path()).Message(), u"");
}

TEST_F(SourceFolder, AcceptsATitleOf32UnitsAndRejectsATitleOrNameOf33)
{
    const std::string title32 = "가나다라마바사아자차카타파하가나다라마바사아자차카타파하가나다라";
    Write("catalogue.tsv", "h\n1\t1\t" + title32 + "\t이름\n2\t4\tt\tn\n");
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_EQ(ReadSourceFolder(Folder.Path(), source, skips).Message(), u"");
    EXPECT_EQ(source.Suttas[0].Title.size(), 32u);

    Write("catalogue.tsv", "h\n1\t1\t제목\t이름\n2\t4\t" + title32 + "마\tn\n");
    ExpectRejectedAt("catalogue.tsv", ":3: ");
    Write("catalogue.tsv", "h\n1\t1\t제목\t" + title32 + "마\n2\t4\tt\tn\n");
    ExpectRejectedAt("catalogue.tsv", ":2: ");
}

TEST_F(SourceFolder, RejectsABadCatalogueLineNamingFileAndLine)
{
    const struct
    {
        std::string Catalogue, Line;
    } cases[] = {
        {"h\n1\t1\tt\tn\n3\t4\tt\tn\n", ":3: "}, // numbers skip
        {"h\n1\t1\tt\tn\n\n2\t4\tt\n", ":4: "},  // three fields (blank line 3 counts)
        {"h\n1\t8\tt\tn\n2\t4\tt\tn\n", ":2: "}, // kind outside 1 to 7
        {"h\n1\t0\tt\tn\n2\t4\tt\tn\n", ":2: "},  {"h\n+1\t1\tt\tn\n2\t4\tt\tn\n", ":2: "}, // not a plain number
        {"h\n1\t1\tt\tn\n2\t4 \tt\tn\n", ":3: "}, {"", ":1: "},                             // no header
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Catalogue);
        Write("catalogue.tsv", c.Catalogue);
        ExpectRejectedAt("catalogue.tsv", c.Line);
    }
}

TEST_F(SourceFolder, RejectsACatalogueOfMoreThan2500Sutras)
{
    std::string catalogue = "h\n";
    for (int n = 1; n <= 2501; ++n)
        catalogue += std::to_string(n) + "\t1\tt\tn\n";
    Write("catalogue.tsv", catalogue);
    ExpectRejectedAt("catalogue.tsv", ":2502: ");
}

TEST_F(SourceFolder, RejectsOneSubjectOverTheLimitAndTheWriterDoesToo)
{
    std::string subjects = "h\n";
    for (int n = 1; n <= MaxJoojeCount + 1; ++n)
        subjects += "s" + std::to_string(n) + "\t1\n";
    Write("subjects.tsv", subjects);
    ExpectRejectedAt("subjects.tsv", ":" + std::to_string(MaxJoojeCount + 2) + ": ");

    TDataSetSource source = SmallDataSetSource();
    source.Subjects.resize(MaxJoojeCount, source.Subjects[0]);
    EXPECT_TRUE(CheckDataSetSource(source));
    source.Subjects.push_back(source.Subjects[0]);
    const TResult over = CheckDataSetSource(source);
    EXPECT_FALSE(over);
    EXPECT_NE(over.Message().find(u"5000"), std::u16string::npos);
}

TEST(TextFileSize, SumsTablesAndTextPastTheOffsetLimitWithoutWrapping)
{
    // Full tables leave less room for the text than the format's 2 GB alone would.
    const std::uint64_t fullSubjects = std::uint64_t(MaxJoojeCount) * LargestJoojeEntrySize;
    const std::uint64_t roomForText =
        (MaxDataFileBytes - HeaderSize - MaxSuttaCount * SuttaEntrySize - fullSubjects) / 2;
    EXPECT_LE(TextFileSize(MaxSuttaCount, fullSubjects, roomForText), std::uint64_t(MaxDataFileBytes));
    EXPECT_GT(TextFileSize(MaxSuttaCount, fullSubjects, roomForText + 1), std::uint64_t(MaxDataFileBytes));
    EXPECT_GT(TextFileSize(0, 0, std::uint64_t(1) << 40), std::uint64_t(MaxDataFileBytes));
}

TEST_F(SourceFolder, RefusesAPipeOrAHugeSparseTextByItsPathWithoutReadingIt)
{
    // A pipe would block the read forever; 100 GB would be allocated before anything was checked.
    std::filesystem::resize_file(Folder.Path() / "han/0002.txt", std::uintmax_t(100) << 30);
    ExpectRejectedAt("han/0002.txt", ": ");
#ifdef __unix__
    std::filesystem::remove(Folder.Path() / "han/0001.txt");
    ASSERT_EQ(::mkfifo((Folder.Path() / "han/0001.txt").c_str(), 0600), 0);
    ExpectRejectedAt("han/0001.txt", ": ");
#endif
}

TEST_F(SourceFolder, RejectsABadSubjectLine)
{
    std::string over300 = "h\nmany\t1";
    for (int i = 0; i < 300; ++i)
        over300 += ",2";
    for (const std::string& subjects :
         {std::string("h\ns\t1,3\n"), std::string("h\ns\t1,,2\n"), std::string("h\ns\t1, 2\n"), std::string("h\ns\n"),
          std::string("h\ns\t0\n"), over300}) {
        SCOPED_TRACE(subjects.substr(0, 20));
        Write("subjects.tsv", subjects);
        ExpectRejectedAt("subjects.tsv", ":2: ");
    }
}

TEST_F(SourceFolder, RejectsABadReadingLine)
{
    for (const std::string& readings : {std::string("如\t여\n是시\n"), std::string("如\t여\n如是\t여\n"),
                                        std::string("如\t여\n是\t시다\n"), std::string("如\t여\n如\t녀\n"),
                                        // a control character could not be written back
                                        std::string("如\t여\n\x01\t시\n"), std::string("如\t여\n是\t\x1F\n")}) {
        SCOPED_TRACE(readings);
        Write("readings.tsv", readings);
        ExpectRejectedAt("readings.tsv", ":2: ");
    }
}

TEST_F(SourceFolder, RejectsBlanksInsideAVariantGroup)
{
    Write("variants1.txt", "國国\n衆 眾\n");
    ExpectRejectedAt("variants1.txt", ":2: ");
}

TEST_F(SourceFolder, RejectsTheFirstVariantGroupStartingBeyondUnit65535)
{
    // With the leading 0 unit, a one-character group at 1 and then three units per group,
    // the group on line 21846 starts at unit 65535, the last the loader can index.
    std::string groups = "一\n";
    for (int line = 2; line <= 21846; ++line)
        groups += "一丁\n";
    Write("variants1.txt", groups);
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_EQ(ReadSourceFolder(Folder.Path(), source, skips).Message(), u"");
    Write("variants1.txt", groups + "一丁\n");
    ExpectRejectedAt("variants1.txt", ":21847: ");
}

TEST_F(SourceFolder, RejectsInvalidUtf8InATextAtItsLine)
{
    Write("han/0002.txt", "one\r\ntwo\nth\xFFree\n");
    ExpectRejectedAt("han/0002.txt", ":3: ");
}

TEST_F(SourceFolder, RejectsAMissingFileButNotAMissingSubjectOrSummary)
{
    std::filesystem::remove(Folder.Path() / "sinsu" / "0002.txt");
    ExpectRejectedAt("sinsu/0002.txt", ": ");
    Write("sinsu/0002.txt", "T");
    std::filesystem::remove(Folder.Path() / "variants0.txt");
    ExpectRejectedAt("variants0.txt", ": ");
}

TEST_F(SourceFolder, RejectsAFolderWhereATextShouldBe)
{
    std::filesystem::remove(Folder.Path() / "han" / "0001.txt");
    std::filesystem::create_directory(Folder.Path() / "han" / "0001.txt");
    ExpectRejectedAt("han/0001.txt", ": ");
}

TEST(ParseCreationDate, TakesOnlyRealDatesInTheFixedForm)
{
    const std::optional<TCreationDate> date = ParseCreationDate("2007-11-05T09:30:07");
    ASSERT_TRUE(date);
    EXPECT_EQ(std::make_tuple(date->Year, date->Month, date->Day, date->Hour, date->Minute, date->Second),
              std::make_tuple(2007, 11, 5, 9, 30, 7));
    EXPECT_TRUE(ParseCreationDate("2000-02-29T23:59:59"));
    EXPECT_TRUE(ParseCreationDate("2024-02-29T00:00:00"));
    for (const char* bad : {"2100-02-29T00:00:00", "2023-02-29T00:00:00", "2007-04-31T00:00:00", "2007-13-01T00:00:00",
                            "2007-00-01T00:00:00", "2007-11-05T24:00:00", "2007-11-05T00:60:00", "2007-11-05 00:00:00",
                            "2007-11-5T00:00:00", "", "2007-11-05T00:00:00Z"})
        EXPECT_FALSE(ParseCreationDate(bad)) << bad;
}

TEST(CorpusSource, BuildsAndLoadsWithTheDocumentedCounts)
{
    const std::filesystem::path corpus = CorpusFolder();
    if (corpus.empty()) GTEST_SKIP() << "shared corpus absent";
    TDataSetSource source;
    TSourceSkips skips;
    ASSERT_EQ(Utf16ToUtf8(ReadSourceFolder(corpus, source, skips).Message()), "");
    EXPECT_EQ(source.Suttas.size(), 2079u);
    EXPECT_EQ(source.Subjects.size(), 123u);
    EXPECT_EQ(skips.Readings, 60);
    EXPECT_EQ(skips.VariantCharacters, 0);

    TTemporaryFolder data;
    WriteTestDataSet(source, data.Path());
    TLoadRun run(data.Path());
    ASSERT_TRUE(run.Loaded);
    const TDataFileHeader& han = run.Data.TextFiles[0].Header;
    EXPECT_EQ((std::vector<std::int32_t>(han.KindCounts, han.KindCounts + 5)),
              (std::vector<std::int32_t>{2079, 30, 222, 1355, 472}));
    // The corpus's own counts of units, CR LF included: han + han-subject + han-summary, kor, sinsu.
    EXPECT_EQ(han.TextLength, 2006056 + 44369 + 475432);
    EXPECT_EQ(run.Data.TextFiles[1].Header.TextLength, 3995714);
    EXPECT_EQ(run.Data.TextFiles[2].Header.TextLength, 3995714);
}
