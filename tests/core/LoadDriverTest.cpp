#include "data/LoadDriver.h"

#include "RecordChecks.h"
#include "RecordingMessages.h"
#include "TestDataSet.h"
#include "data/VariantFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <thread>

namespace {

std::u16string_view TextAt(const TVesko_File& file, std::int32_t start, std::int32_t length)
{
    return std::u16string_view(file.Text.data() + start, static_cast<std::size_t>(length));
}

const std::u16string& BodyOf(const TSourceSutta& s, int fileIndex)
{
    return fileIndex == 0 ? s.HanBody : fileIndex == 1 ? s.KorBody : s.SinsuBody;
}

template <std::size_t N> bool AllZero(const std::uint8_t (&bytes)[N])
{
    return std::all_of(bytes, bytes + N, [](std::uint8_t b) { return b == 0; });
}

class RoundTrip : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteTestDataSet(Source, Folder.Path());
        Run = std::make_unique<TLoadRun>(Folder.Path());
        ASSERT_TRUE(Run->Loaded);
    }

    TDataSetSource Source = SmallDataSetSource();
    TTemporaryFolder Folder;
    std::unique_ptr<TLoadRun> Run;
};

} // namespace

TEST_F(RoundTrip, LoadsWithoutMessagesAndReportsTheSixInfoLines)
{
    EXPECT_FALSE(Run->LoadError);
    EXPECT_TRUE(Run->Messages.Shown.empty());
    const std::u16string date = u"파일 만든 날짜 = 2007.11.05_09:30:00";
    EXPECT_EQ(Run->Listener.InfoLines,
              (std::vector<std::u16string>{u"VESKO3.A0", date, u"VESKO3.A1", date, u"VESKO3.A2", date}));
    EXPECT_EQ(Run->Listener.CatalogueLoads, 1);
}

TEST_F(RoundTrip, KeepsEveryHeaderField)
{
    for (int f = 0; f < TextFileCount; ++f) {
        SCOPED_TRACE(f);
        const TDataFileHeader& h = Run->Data.TextFiles[f].Header;
        EXPECT_EQ(h.Magic, TextFileMagic);
        EXPECT_EQ(h.Version, 3);
        EXPECT_EQ(h.CatalogueFlag, f == 0 ? 0 : 1);
        EXPECT_EQ(h.DataLength, 0);
        const std::int32_t kinds[KindSlots] = {4, 1, 1, 1, 1, 0, 0, 0};
        EXPECT_TRUE(std::equal(kinds, kinds + KindSlots, h.KindCounts));
        EXPECT_EQ(h.CreatedYear, 2007);
        EXPECT_EQ(h.CreatedMonth, 11);
        EXPECT_EQ(h.CreatedDay, 5);
        EXPECT_EQ(h.CreatedHour, 9);
        EXPECT_EQ(h.CreatedMinute, 30);
        EXPECT_EQ(h.CreatedSecond, 0);
        EXPECT_EQ(h.SuttaCount, 4);
        EXPECT_EQ(h.JoojeCount, 3);
        EXPECT_TRUE(AllZero(h.Reserved0) && AllZero(h.Reserved40) && AllZero(h.Reserved52) && AllZero(h.Reserved196));
    }
}

TEST_F(RoundTrip, KeepsEveryEntryAndText)
{
    for (int f = 0; f < TextFileCount; ++f) {
        SCOPED_TRACE(f);
        const TVesko_File& file = Run->Data.TextFiles[f];
        EXPECT_EQ(TextFileProblem(file, f), "");
        ASSERT_EQ(file.SuttaTable.Count, 4);
        for (int i = 0; i < 4; ++i) {
            const TSuttaEntry& e = file.SuttaTable.Items[i];
            const TSourceSutta& s = Source.Suttas[i];
            EXPECT_EQ(e.Number, i);
            EXPECT_EQ(e.Kind, s.Kind);
            EXPECT_EQ(e.Reserved8, 0);
            EXPECT_EQ(e.TextSize, e.BodyLength);
            EXPECT_EQ(TextAt(file, e.BodyStart, e.BodyLength), BodyOf(s, f));
            EXPECT_EQ(FieldText(e.Title), s.Title);
            EXPECT_EQ(FieldText(e.Name), s.Name);
            EXPECT_TRUE(AllZero(e.Reserved40));
            if (f == 0) {
                EXPECT_EQ(TextAt(file, e.SubjectStart, e.SubjectLength), s.HanSubject);
                EXPECT_EQ(TextAt(file, e.SummaryStart, e.SummaryLength), s.HanSummary);
            } else {
                EXPECT_EQ(e.SubjectLength, 0);
                EXPECT_EQ(e.SummaryLength, 0);
            }
        }
        EXPECT_EQ(file.Text[file.TextLength()], u'\0');
    }
}

TEST_F(RoundTrip, KeepsTheSubjects)
{
    const TVesko_JoojeTable& table = Run->Data.TextFiles[0].JoojeTable;
    ASSERT_EQ(table.Count, 3);
    for (int s = 0; s < 3; ++s) {
        const TSourceSubject& subject = Source.Subjects[s];
        EXPECT_EQ(FieldText(table.Items[s].Name), subject.Name);
        ASSERT_EQ(table.Items[s].Count, static_cast<std::int32_t>(subject.Suttas.size()));
        EXPECT_TRUE(std::equal(subject.Suttas.begin(), subject.Suttas.end(), table.Items[s].Suttas.begin()));
    }
    // The empty subject in the middle takes 68 bytes; the one after it is read from right behind.
    EXPECT_EQ(FieldText(table.Items[2].Name), u"제이분");
}

TEST(LoadDriver, ReadsTablesLongerThanOneReadFromTheFile)
{
    // The tables are read from the file a chunk at a time: 1500 subjects of 2 to 40 sutras
    // make a table of about 200 KB whose entries straddle every chunk boundary.
    TDataSetSource source = SmallDataSetSource();
    source.Subjects.clear();
    for (int s = 0; s < 1500; ++s) {
        TSourceSubject subject{u"주제" + std::u16string(1, char16_t(u'가' + s)), {}};
        for (int k = 0; k < 2 + s % 39; ++k)
            subject.Suttas.push_back((s + k) % 4);
        source.Subjects.push_back(subject);
    }
    TTemporaryFolder folder;
    WriteTestDataSet(source, folder.Path());
    TLoadRun run(folder.Path());
    ASSERT_TRUE(run.Loaded);
    const TVesko_JoojeTable& table = run.Data.TextFiles[0].JoojeTable;
    ASSERT_EQ(table.Count, 1500);
    for (int s = 0; s < 1500; ++s) {
        const TSourceSubject& subject = source.Subjects[s];
        ASSERT_EQ(FieldText(table.Items[s].Name), subject.Name) << s;
        ASSERT_EQ(table.Items[s].Suttas, subject.Suttas) << s;
    }
    // The text after the tables is whole too.
    const TSourceSutta& last = source.Suttas.back();
    const TSuttaEntry& e = run.Data.TextFiles[0].SuttaTable.Items[3];
    EXPECT_EQ(TextAt(run.Data.TextFiles[0], e.BodyStart, e.BodyLength), last.HanBody);
}

TEST_F(RoundTrip, MakesTheNameOrderOfTheCatalogueFileAtLoadOrOnItsFirstReadAlike)
{
    // 대본경 (0), 선법경 (1), 무상경 (2), 대본경 (3): equal names keep their table order.
    ASSERT_TRUE(Run->Data.TextFiles[0].NameOrder.Made());
    const TNamePositions& atLoad = NameOrderOf(Run->Data.TextFiles[0]);
    EXPECT_EQ(std::vector<std::int32_t>(atLoad.begin(), atLoad.begin() + 4), (std::vector<std::int32_t>{0, 3, 2, 1}));
    EXPECT_EQ(NameOrderProblem(Run->Data.TextFiles[0]), "");
    for (int f = 1; f < TextFileCount; ++f)
        EXPECT_FALSE(Run->Data.TextFiles[f].NameOrder.Made());

    // A load told to leave it makes none; threads that first read it at once share one order.
    TVesko3Session session;
    TRecordingMessages messages;
    ASSERT_TRUE(session.LoadData(Folder.Path(), messages, nullptr, {.NameOrder = false}));
    const TVesko_File& catalogue = session.Data.TextFiles[0];
    EXPECT_FALSE(catalogue.NameOrder.Made());
    const TNamePositions* read[2] = {};
    {
        std::jthread other([&] { read[1] = &NameOrderOf(catalogue); });
        read[0] = &NameOrderOf(catalogue);
    }
    EXPECT_EQ(read[0], read[1]);
    EXPECT_EQ(read[0], catalogue.NameOrder.Made().get());
    EXPECT_EQ(*read[0], atLoad);
}

TEST(LoadDriver, TellsTheCatalogueWithItsTablesInAndNoTextRead)
{
    // The window fills and shows its lists when told: the catalogue's tables, its collection
    // total and its name order are in the record then, and no text has been read yet.
    struct TCatalogueSnapshot : TRecordingListener
    {
        const TLoadedData* Data = nullptr;
        std::int32_t Count = -1, Total = -1;
        bool NameOrderMade = false, AnyText = true;
        void CatalogueLoaded() override
        {
            TRecordingListener::CatalogueLoaded();
            const TVesko_File& catalogue = Data->TextFiles[0];
            Count = catalogue.SuttaTable.Count;
            Total = catalogue.Header.KindCounts[0];
            NameOrderMade = catalogue.NameOrder.Made() != nullptr;
            AnyText = std::any_of(std::begin(Data->TextFiles), std::end(Data->TextFiles),
                                  [](const TVesko_File& file) { return !file.Text.empty(); });
        }
    };
    TTemporaryFolder folder;
    WriteTestDataSet(SmallDataSetSource(), folder.Path());
    TVesko3Session session;
    TRecordingMessages messages;
    TCatalogueSnapshot listener;
    listener.Data = &session.Data;
    ASSERT_TRUE(session.LoadData(folder.Path(), messages, &listener));
    EXPECT_EQ(listener.CatalogueLoads, 1);
    EXPECT_EQ(listener.Count, 4);
    EXPECT_EQ(listener.Total, 4);
    EXPECT_TRUE(listener.NameOrderMade);
    EXPECT_FALSE(listener.AnyText);
}

TEST_F(RoundTrip, KeepsVariantGroupsBehindALeadingZero)
{
    const TVariantFile& h0 = Run->Data.VariantFiles[0];
    EXPECT_EQ(h0.Header.DataLength, 7);
    EXPECT_EQ(std::u16string_view(h0.Text.data(), 7), std::u16string_view(u"\0衆眾\0卽即\0", 7));
    EXPECT_EQ(h0.CharIndex[u'衆'], 1);
    EXPECT_EQ(h0.CharIndex[u'即'], 4);
    EXPECT_EQ(h0.CharIndex[u'如'], 0);
    EXPECT_EQ(VariantFileProblem(h0), "");
    EXPECT_TRUE(IsVariant(Run->Data.VariantFiles, u'眾', u'衆', true));
    EXPECT_TRUE(IsVariant(Run->Data.VariantFiles, u'国', u'國', true)); // from H1
    EXPECT_FALSE(IsVariant(Run->Data.VariantFiles, u'即', u'衆', true));
    EXPECT_FALSE(IsVariant(Run->Data.VariantFiles, u'衆', u'如', true)); // in no group
}

TEST_F(RoundTrip, KeepsTheReadingTable)
{
    const TReadingFile& table = Run->Data.ReadingFile;
    ASSERT_EQ(table.Header.DataLength, 65536);
    EXPECT_EQ(table.Text.size(), 65536u + 10);
    EXPECT_EQ(table.Text[u'如'], u'여');
    EXPECT_EQ(table.Text[u'一'], u'일');
    EXPECT_EQ(table.Text[u'A'], u'\0');
}

TEST_F(RoundTrip, SizesTheWorkArraysFromTheLongestBody)
{
    std::int32_t longest = 0;
    for (const TSourceSutta& s : Source.Suttas)
        for (int f = 0; f < TextFileCount; ++f)
            longest = std::max(longest, static_cast<std::int32_t>(BodyOf(s, f).size()));
    EXPECT_EQ(LargestTextSize(Run->Data), longest);
}

TEST(LoadDriver, LargestTextSizeIsZeroWithoutEntries)
{
    TLoadedData data;
    EXPECT_EQ(LargestTextSize(data), 0);
}

TEST(MappedTexts, EqualTheTextsReadAndTellAFileCutShortOrChangedOnceWithoutASignal)
{
    // Bodies of more than a megabyte, so that each text file's area is used in place.
    TDataSetSource source = SmallDataSetSource();
    for (TSourceSutta& sutta : source.Suttas)
        for (std::u16string* body : {&sutta.HanBody, &sutta.KorBody, &sutta.SinsuBody})
            while (body->size() < 300'000)
                *body += *body + u"\r\n";
    TTemporaryFolder folder;
    WriteTestDataSet(source, folder.Path());
    while (TakeChangedMappedFile()) {
    }

    TRecordingMessages messages;
    TVesko3Session read;
    auto mapped = std::make_unique<TVesko3Session>();
    ASSERT_TRUE(read.LoadData(folder.Path(), messages, nullptr, {.NameOrder = false}));
    ASSERT_TRUE(mapped->LoadData(folder.Path(), messages, nullptr, {.NameOrder = false, .MapTexts = true}));
    for (int f = 0; f < TextFileCount; ++f) {
        // The spare zero units after each text included.
        const TTextUnits& expected = read.Data.TextFiles[f].Text;
        const TTextUnits& text = mapped->Data.TextFiles[f].Text;
        EXPECT_GT(text.size(), 1'000'000u);
        EXPECT_TRUE(std::equal(text.begin(), text.end(), expected.begin(), expected.end())) << f;
    }
    if (!TextMappingAvailable()) GTEST_SKIP() << "this build reads the texts";
    EXPECT_FALSE(TakeChangedMappedFile());

    // Cut short: its lost pages read as zeros, and the change is told once.
    const std::filesystem::path cut = folder.Path() / "VESKO3.A1";
    std::filesystem::resize_file(cut, 4096);
    const TTextUnits& lost = mapped->Data.TextFiles[KorFamily].Text;
    EXPECT_EQ(std::accumulate(lost.begin() + 4096, lost.end() - TextSpareUnits - 2048, 0u), 0u);
    EXPECT_EQ(TakeChangedMappedFile(), cut);
    EXPECT_FALSE(TakeChangedMappedFile());

    // Written over in place: told once the texts are let go at the latest.
    const std::filesystem::path written = folder.Path() / "VESKO3.A2";
    {
        std::fstream file(written, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(100'000);
        file.put('x');
    }
    std::filesystem::last_write_time(written, std::filesystem::last_write_time(written) + std::chrono::seconds(2));
    mapped.reset();
    EXPECT_EQ(TakeChangedMappedFile(), written);
    EXPECT_FALSE(TakeChangedMappedFile());
}
