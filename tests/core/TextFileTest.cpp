#include "data/TextFile.h"

#include "RecordChecks.h"
#include "RecordingMessages.h"
#include "TestBytes.h"
#include "TestDataSet.h"
#include "data/DataWriter.h"
#include "util/MyUtils.h"
#include "util/TextCodec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <limits>
#include <numeric>

namespace {

constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();

TBytes TextFileBytes(int fileIndex, const TDataSetSource& source = SmallDataSetSource())
{
    return SerializeTextFile(source, fileIndex, TCreationDate{});
}

TDataFileStatus Parse(const TBytes& bytes, int fileIndex, TVesko_File& file)
{
    return ParseTextFile(bytes, fileIndex, fileIndex == 0 ? 0 : 4, file);
}

TDataFileStatus Parse(const TBytes& bytes, int fileIndex)
{
    TVesko_File file;
    const TDataFileStatus status = Parse(bytes, fileIndex, file);
    if (status == TDataFileStatus::Ok)
        EXPECT_EQ(TextFileProblem(file, fileIndex), "");
    else
        EXPECT_TRUE(file.Text.empty() && file.SuttaTable.Count == 0) << "a rejected file left records behind";
    return status;
}

void PutEntry(TBytes& bytes, int i, std::size_t fieldOffset, std::int32_t value)
{
    PutInt32(bytes, EntryFieldAt(bytes, i, fieldOffset), value);
}

std::size_t SubjectAt(const TBytes& bytes, int s)
{
    std::size_t at = static_cast<std::size_t>(GetInt32(bytes, JoojeTableOffsetAt));
    for (int k = 0; k < s; ++k)
        at += JoojeEntryFixedSize + 4 * static_cast<std::size_t>(GetInt32(bytes, at + 64));
    return at;
}

struct TEdit
{
    const char* What;
    int FileIndex;
    std::function<void(TBytes&)> Apply;
};

TVesko_File FileWithNames(const std::vector<std::u16string>& names)
{
    TVesko_File file;
    file.SuttaTable.Count = static_cast<std::int32_t>(names.size());
    file.SuttaTable.Items.assign(names.size() + 1, TSuttaEntry{});
    for (std::size_t i = 0; i < names.size(); ++i)
        std::copy_n(names[i].begin(), std::min<std::size_t>(names[i].size(), NameUnits), file.SuttaTable.Items[i].Name);
    return file;
}

std::vector<std::int32_t> OrderOfNames(const std::vector<std::u16string>& names)
{
    TVesko_File file = FileWithNames(names);
    BuildNameOrder(file);
    EXPECT_EQ(NameOrderProblem(file), "");
    return std::vector<std::int32_t>(NameOrderOf(file).begin(), NameOrderOf(file).begin() + names.size());
}

using TOrder = std::vector<std::int32_t>;

} // namespace

TEST(TextFile, RejectsEveryKindOfDamage)
{
    const std::size_t body = offsetof(TSuttaEntry, BodyStart);
    const std::size_t length = offsetof(TSuttaEntry, BodyLength);
    const std::vector<TEdit> edits = {
        {"text area cut by a byte", 0, [](TBytes& b) { b.pop_back(); }},
        {"sutta table beyond the end", 1, [](TBytes& b) { PutInt32(b, SuttaTableOffsetAt, int(b.size()) - 900); }},
        {"subject table cut short", 0,
         [](TBytes& b) {
             PutInt32(b, JoojeTableOffsetAt, int(b.size()) - 68);
             PutInt32(b, JoojeCountAt, 1);
             PutInt32(b, b.size() - 4, 1);
         }},
        {"huge subject count", 2, [](TBytes& b) { PutInt32(b, JoojeCountAt, Int32Max); }},
        {"2 GB of text claimed", 0, [](TBytes& b) { PutInt32(b, TextLengthAt, 1 << 30); }},
        {"negative sutta count", 0, [](TBytes& b) { PutInt32(b, SuttaCountAt, -1); }},
        {"negative subject count", 0, [](TBytes& b) { PutInt32(b, JoojeCountAt, -1); }},
        {"negative text length", 1, [](TBytes& b) { PutInt32(b, TextLengthAt, -1); }},
        {"negative sutta table offset", 0, [](TBytes& b) { PutInt32(b, SuttaTableOffsetAt, -232); }},
        {"negative subject table offset", 0, [](TBytes& b) { PutInt32(b, JoojeTableOffsetAt, -1); }},
        {"negative text offset", 2, [](TBytes& b) { PutInt32(b, TextOffsetAt, -2); }},
        {"number not its position", 0, [](TBytes& b) { PutEntry(b, 2, offsetof(TSuttaEntry, Number), 3); }},
        {"subject index past the table", 0, [](TBytes& b) { PutInt32(b, SubjectAt(b, 0) + 68, 4); }},
        {"negative subject index", 0, [](TBytes& b) { PutInt32(b, SubjectAt(b, 2) + 72, -1); }},
        {"subject of 301 sutras", 2, [](TBytes& b) { PutInt32(b, SubjectAt(b, 1) + 64, 301); }},
        {"negative subject size", 1, [](TBytes& b) { PutInt32(b, SubjectAt(b, 1) + 64, -1); }},
        {"body past the text", 2,
         [=](TBytes& b) {
             PutEntry(b, 3, body, GetInt32(b, TextLengthAt));
             PutEntry(b, 3, length, 1);
         }},
        {"body length overflowing", 1,
         [=](TBytes& b) {
             PutEntry(b, 0, body, 1);
             PutEntry(b, 0, length, Int32Max);
         }},
        {"negative body start", 0, [=](TBytes& b) { PutEntry(b, 1, body, -1); }},
        {"subject text past the text", 0,
         [](TBytes& b) { PutEntry(b, 3, offsetof(TSuttaEntry, SubjectLength), GetInt32(b, TextLengthAt)); }},
        {"summary text past the text", 0,
         [](TBytes& b) { PutEntry(b, 0, offsetof(TSuttaEntry, SummaryStart), GetInt32(b, TextLengthAt) + 1); }},
        {"negative summary length in file 1", 1,
         [](TBytes& b) { PutEntry(b, 0, offsetof(TSuttaEntry, SummaryLength), -1); }},
        {"kind count above 2500", 0, [](TBytes& b) { PutInt32(b, KindCountsAt + 4 * 3, 2501); }},
        {"negative kind count", 2, [](TBytes& b) { PutInt32(b, KindCountsAt + 4 * 7, -1); }},
        {"text size far beyond the text", 0,
         [](TBytes& b) { PutEntry(b, 1, offsetof(TSuttaEntry, TextSize), GetInt32(b, TextLengthAt) + 1025); }},
        {"negative text size", 1, [](TBytes& b) { PutEntry(b, 1, offsetof(TSuttaEntry, TextSize), -1); }},
        {"header cut short", 0, [](TBytes& b) { b.resize(200); }},
    };
    for (const TEdit& edit : edits) {
        TBytes bytes = TextFileBytes(edit.FileIndex);
        edit.Apply(bytes);
        EXPECT_EQ(Parse(bytes, edit.FileIndex), TDataFileStatus::Damaged) << edit.What;
    }
}

TEST(TextFile, ToleratesWhatItNeverReadsOrOnlyCounts)
{
    const std::vector<TEdit> edits = {
        {"kind counts disagreeing with the entries", 0, [](TBytes& b) { PutInt32(b, KindCountsAt + 4, 7); }},
        {"number not its position in file 1", 1, [](TBytes& b) { PutEntry(b, 2, offsetof(TSuttaEntry, Number), 9); }},
        {"subject index past the table in file 2", 2, [](TBytes& b) { PutInt32(b, SubjectAt(b, 0) + 68, 99); }},
        {"summary past the text in file 1", 1,
         [](TBytes& b) { PutEntry(b, 0, offsetof(TSuttaEntry, SummaryStart), 1 << 20); }},
        {"empty body at the very end", 2,
         [](TBytes& b) {
             PutEntry(b, 3, offsetof(TSuttaEntry, BodyStart), GetInt32(b, TextLengthAt));
             PutEntry(b, 3, offsetof(TSuttaEntry, BodyLength), 0);
         }},
        {"text size with room for a display header", 0,
         [](TBytes& b) { PutEntry(b, 1, offsetof(TSuttaEntry, TextSize), GetInt32(b, TextLengthAt) + 1024); }},
        {"bytes after the text area", 0, [](TBytes& b) { b.resize(b.size() + 7, 0xEE); }},
    };
    for (const TEdit& edit : edits) {
        TBytes bytes = TextFileBytes(edit.FileIndex);
        edit.Apply(bytes);
        EXPECT_EQ(Parse(bytes, edit.FileIndex), TDataFileStatus::Ok) << edit.What;
    }
}

TEST(TextFile, ReplacesTheStoredKindTotal)
{
    for (std::int32_t stored : {0, 999, -5}) {
        TBytes bytes = TextFileBytes(0);
        PutInt32(bytes, KindCountsAt + 4, 7);
        PutInt32(bytes, KindCountsAt, stored);
        TVesko_File file;
        ASSERT_EQ(Parse(bytes, 0, file), TDataFileStatus::Ok);
        EXPECT_EQ(file.Header.KindCounts[0], 10) << stored;
    }
}

TEST(TextFile, LoadsAnEmptyFileWithOneZeroEntryPerTable)
{
    TVesko_File file;
    ASSERT_EQ(Parse(TextFileBytes(0, TDataSetSource{}), 0, file), TDataFileStatus::Ok);
    EXPECT_EQ(file.SuttaTable.Count, 0);
    EXPECT_EQ(file.SuttaTable.Items.size(), 1u);
    EXPECT_EQ(file.JoojeTable.Items.size(), 1u);
    EXPECT_EQ(file.Text.size(), 10u);
}

TEST(TextFile, HoldsAtMost2500Sutras)
{
    // File 1 with zeroed entries appended at the end: only the count decides.
    for (std::int32_t count : {2500, 2501}) {
        TBytes bytes = TextFileBytes(1);
        PutInt32(bytes, SuttaTableOffsetAt, static_cast<std::int32_t>(bytes.size()));
        PutInt32(bytes, SuttaCountAt, count);
        bytes.resize(bytes.size() + count * SuttaEntrySize, 0);
        EXPECT_EQ(Parse(bytes, 1), count == 2500 ? TDataFileStatus::Ok : TDataFileStatus::Damaged) << count;
    }
}

TEST(TextFile, HoldsAtMost300SuttasPerSubject)
{
    for (std::int32_t count : {300, 301}) {
        TBytes bytes = TextFileBytes(1);
        PutInt32(bytes, JoojeTableOffsetAt, static_cast<std::int32_t>(bytes.size()));
        PutInt32(bytes, JoojeCountAt, 1);
        bytes.resize(bytes.size() + JoojeEntryFixedSize + 4 * count, 0);
        PutInt32(bytes, bytes.size() - 4 * count - 4, count);
        EXPECT_EQ(Parse(bytes, 1), count == 300 ? TDataFileStatus::Ok : TDataFileStatus::Damaged) << count;
    }
}

TEST(TextFile, HoldsAtMost5000Subjects)
{
    // Each extra subject is an empty entry appended at the end: only the count decides.
    for (std::int32_t count : {MaxJoojeCount, MaxJoojeCount + 1}) {
        TBytes bytes = TextFileBytes(1);
        PutInt32(bytes, JoojeTableOffsetAt, static_cast<std::int32_t>(bytes.size()));
        PutInt32(bytes, JoojeCountAt, count);
        bytes.resize(bytes.size() + count * JoojeEntryFixedSize, 0);
        EXPECT_EQ(Parse(bytes, 1), count == MaxJoojeCount ? TDataFileStatus::Ok : TDataFileStatus::Damaged) << count;
    }
}

TEST(TextFile, RejectsFilesOneAndTwoWithFewerSuttasThanFileZero)
{
    TVesko_File file;
    EXPECT_EQ(ParseTextFile(TextFileBytes(1), 1, 5, file), TDataFileStatus::Damaged);
    EXPECT_EQ(ParseTextFile(TextFileBytes(2), 2, 4, file), TDataFileStatus::Ok);
    EXPECT_EQ(ParseTextFile(TextFileBytes(2), 2, 3, file), TDataFileStatus::Ok);
}

TEST(TextFile, ReportsADamagedFileAndLoadsNothingFromIt)
{
    TTemporaryFolder folder;
    WriteTestDataSet(SmallDataSetSource(), folder.Path());
    TDataSetSource shorter = SmallDataSetSource();
    shorter.Suttas.pop_back();
    const TBytes bytes = TextFileBytes(1, shorter);
    const std::filesystem::path path = folder.Path() / "VESKO3.A1";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

    TLoadRun run(folder.Path());
    EXPECT_TRUE(run.LoadError);
    ASSERT_EQ(run.Messages.Shown.size(), 1u);
    EXPECT_EQ(run.Messages.Shown[0].Text, u"데이터 파일이 손상되었습니다.\r\n\r\n" + path.u16string());
    EXPECT_EQ(run.Messages.Shown[0].Caption, u"에러");
    const TVesko_File& file = run.Data.TextFiles[1];
    EXPECT_EQ(file.SuttaTable.Count, 0);
    EXPECT_EQ(file.SuttaTable.Items.size(), 1u);
    EXPECT_EQ(file.Header.Magic, 0);
    EXPECT_TRUE(file.Text.empty());
    EXPECT_EQ(run.Listener.InfoLines.size(), 4u); // A0 and A2 only
    EXPECT_EQ(run.Data.TextFiles[2].SuttaTable.Count, 4);
}

TEST(NameOrder, KeepsEqualNamesInTableOrderAndPutsPrefixesFirst)
{
    EXPECT_EQ(OrderOfNames({u"가나다", u"가나", u"나", u"가나"}), (TOrder{1, 3, 0, 2}));
}

TEST(NameOrder, IgnoresLatinCase)
{
    EXPECT_EQ(OrderOfNames({u"b", u"A", u"a", u"B"}), (TOrder{1, 2, 0, 3}));
}

TEST(NameOrder, SortsACharacterTheCodePageLacksAsAQuestionMark)
{
    // é becomes "?", equal to the third name, and both come before Hangul.
    EXPECT_EQ(OrderOfNames({u"가", u"é", u"?"}), (TOrder{1, 2, 0}));
}

TEST(NameOrder, ReadsAFull32UnitNameWithoutTerminator)
{
    const std::u16string stem(31, u'가');
    EXPECT_EQ(OrderOfNames({stem + u"나", stem + u"가"}), (TOrder{1, 0}));
}

TEST(NameOrder, KeysSortAsTheCollatorComparesTheNamesOneByOne)
{
    // Names of characters that collate alike or apart in many ways: case, Hangul and hanja of
    // one reading, characters the code page lacks, spaces, digits and prefixes.
    const std::u16string pool = u"가각간갈나낙다大多道佛法Aab B1 9éЖ?똠";
    std::vector<std::u16string> names;
    std::uint32_t seed = 7;
    for (int i = 0; i < 2000; ++i) {
        std::u16string name;
        for (int k = 0, length = 1 + i % 6; k < length; ++k) {
            seed = seed * 1103515245u + 12345u;
            name += pool[(seed >> 16) % pool.size()];
        }
        names.push_back(name);
    }
    TOrder expected(names.size());
    std::iota(expected.begin(), expected.end(), 0);
    std::vector<std::u16string> keys;
    for (std::size_t i = 0; i < names.size(); ++i)
        keys.push_back(ThroughCp949(names[i]) + u"      " + ZeroPad(static_cast<std::int32_t>(i), 5));
    TKoreanCollator collator;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::int32_t a, std::int32_t b) { return collator.Compare(keys[a], keys[b]) < 0; });
    EXPECT_EQ(OrderOfNames(names), expected);
}

TEST(NameOrder, LeavesEverythingZeroWithoutEntries)
{
    TVesko_File file = FileWithNames({});
    TNamePositions stale;
    stale.fill(7);
    file.NameOrder.Set(std::make_shared<const TNamePositions>(stale));
    BuildNameOrder(file);
    EXPECT_EQ(NameOrderProblem(file), "");
}

TEST(ThroughCp949, KeepsEveryKoreanSyllableOfTheWindowsTable)
{
    EXPECT_EQ(ThroughCp949(u"똠방각하 가나"), u"똠방각하 가나");
    EXPECT_EQ(ThroughCp949(u"如是 Ж"), u"如是 Ж");
    EXPECT_EQ(ThroughCp949(u"é😀x"), u"??x");
}
