#include "session/ReaderState.h"

#include "BrowseTestData.h"
#include "TestDataSet.h"
#include "browse/ListFind.h"
#include "session/ScreenFit.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TReadingPlace Place(std::int32_t sutra, std::u16string title, std::u16string name, std::int32_t tab = 0)
{
    TReadingPlace place;
    place.Sutra = sutra;
    place.Title = std::move(title);
    place.Name = std::move(name);
    place.Tab = tab;
    place.Scrolls[3] = {120, 0};
    place.Scrolls[7] = {4000, 35};
    return place;
}

TReaderState FullState()
{
    TReaderState state;
    state.History = {Place(0, u"장아함 0001", u"대본경", 1), Place(2, u"잡아함 0001", u"무상경", 3)};
    state.History[1].Hit = true;
    state.HistoryIndex = 1;
    state.ListTab = 3;
    state.ViewTab = 5;
    state.NormalGeometry = std::array<std::int32_t, 4>{-20, 40, 900, 700};
    state.Splitters = {{u"Splitter5", 411}, {u"ConvertSplitter", 300}};
    state.SearchLines = {u"毘婆尸", u"사리불\u00A0목건련", u""};
    state.SearchTitle = 3;
    state.SearchKind = 2;
    state.SearchMode = 1;
    state.Searched = true;
    state.SearchByReading = true;
    return state;
}

TEST(ReaderState, ReadsBackWhatItWrites)
{
    const TReaderState state = FullState();
    const std::optional<TReaderState> read = ParseReaderState(SerializeReaderState(state));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, state);

    // A file kept before the search by reading has no word of it and searches as written.
    std::string older = SerializeReaderState(state);
    const std::string_view key = "\"reading\": true,";
    const std::size_t at = older.find(key);
    ASSERT_NE(at, std::string::npos) << older;
    older.erase(at, key.size());
    const std::optional<TReaderState> before = ParseReaderState(older);
    ASSERT_TRUE(before.has_value()) << older;
    EXPECT_FALSE(before->SearchByReading);

    const std::optional<TReaderState> empty = ParseReaderState(SerializeReaderState(TReaderState{}));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(*empty, TReaderState{});
}

TEST(ReaderState, RefusesDamagedAndForeignFilesWhole)
{
    const std::string bytes = SerializeReaderState(FullState());
    // Every cut before the closing brace, so also one inside a name, a number or a word.
    for (std::size_t length = 0; length <= bytes.rfind('}'); ++length)
        EXPECT_FALSE(ParseReaderState(std::string_view(bytes).substr(0, length))) << length;

    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string changed = bytes;
        const std::size_t at = changed.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return changed.replace(at, from.size(), to);
    };
    const std::string refused[] = {
        "HangeulFontSize=1\r\nCopyTarget=0\r\n",
        "{\"format\": \"another-program\", \"version\": 1}",
        "[1, 2, 3]",
        std::string("\xFF\xFE{\0\0", 6),
        replaced("\"version\": 1", "\"version\": 2"),
        replaced("\"viewTab\": 5", "\"viewTab\": 7"),
        replaced("\"viewTab\": 5", "\"viewTab\": \"5\""),
        replaced("\"historyIndex\": 1", "\"historyIndex\": 2"),
        replaced("\"sutra\": 2", "\"sutra\": -1"),
        replaced("\"sutra\": 2", "\"sutra\": 2.5"),
        replaced("\"searched\": true", "\"searched\": 1"),
        replaced("\"first\": 411", "\"first\": 1e300"),
        replaced("\"hit\": true,", ""),
    };
    for (const std::string& text : refused)
        EXPECT_FALSE(ParseReaderState(text)) << text;
}

TEST(ReaderState, DropsPlacesTheCatalogueDoesNotHaveAndKeepsTheRest)
{
    TLoadedData data;
    ParseTextFiles(SmallDataSetSource(), data);
    TReaderState state = FullState();
    state.History = {Place(0, u"장아함 0001", u"대본경"), Place(1, u"중아함 0001", u"다른경"),
                     Place(2, u"잡아함 0001", u"무상경"), Place(3, u"증일아함 0001", u"대본경"),
                     Place(4, u"장아함 0005", u"없는경")};
    state.HistoryIndex = 1;
    DropUnknownSutras(state, data.TextFiles[0]);
    ASSERT_EQ(state.History.size(), 3u);
    EXPECT_EQ(state.History[0].Sutra, 0);
    EXPECT_EQ(state.History[1].Sutra, 2);
    EXPECT_EQ(state.History[2].Sutra, 3);
    EXPECT_EQ(state.HistoryIndex, 0) << "the place before the dropped current one";

    state.HistoryIndex = 0;
    state.History[0].Name = u"바뀐경";
    DropUnknownSutras(state, data.TextFiles[0]);
    EXPECT_EQ(state.HistoryIndex, 0) << "the first kept place";
    EXPECT_EQ(state.History.front().Sutra, 2);
}

TEST(ReaderState, FileIsReplacedWholeAndAMissingFolderIsMade)
{
    TTemporaryFolder folder;
    const std::filesystem::path path = folder.Path() / "config" / "베스코" / "reader-state.json";
    EXPECT_FALSE(LoadReaderState(path));
    ASSERT_TRUE(SaveReaderState(path, FullState()));
    ASSERT_TRUE(SaveReaderState(path, FullState()));
    EXPECT_EQ(LoadReaderState(path), FullState());
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));

    std::ofstream(path, std::ios::binary) << "{\"format\": \"vesko3-reader-state\"";
    EXPECT_FALSE(LoadReaderState(path));

    // A sparse 100 GB file is refused by its size, not allocated.
    ASSERT_TRUE(SaveReaderState(path, FullState()));
    std::filesystem::resize_file(path, std::uintmax_t(100) << 30);
    EXPECT_FALSE(LoadReaderState(path));
}

TEST(ReadingHistory, GoesBackAndForwardAndForgetsTheForwardPlacesOnAVisit)
{
    TReadingHistory history;
    EXPECT_EQ(history.Go(-1), nullptr);
    for (std::int32_t sutra : {0, 1, 2})
        history.Visit(Place(sutra, u"", u""));
    history.Visit(Place(2, u"", u"", 3)); // the same sutra again replaces it
    ASSERT_EQ(history.Places().size(), 3u);
    EXPECT_EQ(history.CurrentPlace()->Tab, 3);

    EXPECT_EQ(history.Go(-1)->Sutra, 1);
    EXPECT_EQ(history.Go(-1)->Sutra, 0);
    EXPECT_EQ(history.Go(-1), nullptr);
    EXPECT_EQ(history.Index(), 0);
    EXPECT_EQ(history.Go(1)->Sutra, 1);
    history.Visit(Place(3, u"", u""));
    EXPECT_FALSE(history.CanGoForward());
    std::vector<std::int32_t> sutras;
    for (const TReadingPlace& place : history.Places())
        sutras.push_back(place.Sutra);
    EXPECT_EQ(sutras, (std::vector<std::int32_t>{0, 1, 3}));

    for (std::int32_t sutra = 10; sutra < 10 + MaxHistoryPlaces; ++sutra)
        history.Visit(Place(sutra, u"", u""));
    EXPECT_EQ(history.Places().size(), static_cast<std::size_t>(MaxHistoryPlaces));
    EXPECT_EQ(history.CurrentPlace()->Sutra, 10 + MaxHistoryPlaces - 1);
}

TEST(ListFind, DigitsFindNumbersTextFindsTitlesAndNamesIgnoringSpaces)
{
    const std::vector<TListRowCells> rows = {
        {u"1", u"장아함 0001", u"대본경"}, {u"12", u"장아함 0012", u"삼명경"},    {u"21", u"장아함 0021", u"범동경"},
        {u"2", u"중아함 0001", u"선법경"}, {u"120", u"잡아함 0001", u"대 본 경"},
    };
    EXPECT_EQ(FindTypedRow(rows, u"2", 0, 0), 2) << "a number starting with the digits, not a title holding them";
    EXPECT_EQ(FindTypedRow(rows, u"12", 0, 0), 1);
    EXPECT_EQ(FindTypedRow(rows, u"12", 1, 1), 4);
    EXPECT_EQ(FindTypedRow(rows, u"12", 4, 1), 1) << "wraps round";
    EXPECT_EQ(FindTypedRow(rows, u"12", 1, -1), 4) << "wraps round backwards";
    EXPECT_EQ(FindTypedRow(rows, u"본경", 0, 0), 0);
    EXPECT_EQ(FindTypedRow(rows, u"대본 경", 1, 0), 4) << "spaces on both sides ignored";
    EXPECT_EQ(FindTypedRow(rows, u"중아함", 0, 0), 3) << "the title counts as well";
    EXPECT_EQ(FindTypedRow(rows, u"없는", 0, 0), std::nullopt);
    EXPECT_EQ(FindTypedRow(rows, u" ", 0, 0), std::nullopt);
    EXPECT_EQ(FindTypedRow({}, u"1", 0, 0), std::nullopt);
}

} // namespace

TEST(ReaderState, FitsTheWindowAndItsPanesToTheScreens)
{
    const TScreenArea screens[] = {{0, 0, 1920, 1040}, {1920, -200, 1280, 1024}};
    auto fittedOn = [](std::span<const TScreenArea> on, std::array<std::int32_t, 4> geometry, TWindowMinimum minimum) {
        TReaderState state;
        state.NormalGeometry = geometry;
        FitReaderStateToScreens(state, on, minimum);
        return state.NormalGeometry;
    };
    auto fitted = [&](std::array<std::int32_t, 4> geometry, TWindowMinimum minimum = {400, 300}) {
        return fittedOn(screens, geometry, minimum);
    };
    using TGeometry = std::optional<std::array<std::int32_t, 4>>;
    EXPECT_EQ(fitted({100, 50, 800, 600}), (TGeometry{{100, 50, 800, 600}}));
    EXPECT_EQ(fitted({2000, 0, 800, 600}), (TGeometry{{2000, 0, 800, 600}})) << "on the second screen";
    EXPECT_EQ(fitted({0, 0, 1 << 24, 1 << 24}), (TGeometry{{0, 0, 1920, 1040}}));
    EXPECT_EQ(fitted({-(1 << 23), -(1 << 23), 1 << 24, 1 << 24}), (TGeometry{{0, 0, 1920, 1040}}));
    // Barely on a screen: moved wholly onto it.
    EXPECT_EQ(fitted({1880, 1000, 800, 600}), (TGeometry{{1120, 440, 800, 600}}));
    EXPECT_EQ(fitted({-790, 10, 800, 600}), (TGeometry{{0, 10, 800, 600}}));
    // The minimum wins over a smaller screen, as the window system would make it.
    EXPECT_EQ(fitted({0, 0, 5000, 5000}, {2000, 300}), (TGeometry{{0, 0, 2000, 1040}}));
    // On no screen, or with no screens known, the window keeps its default place.
    EXPECT_EQ(fitted({5000, 5000, 800, 600}), TGeometry{});
    EXPECT_EQ(fittedOn({}, {0, 0, 800, 600}, {400, 300}), TGeometry{});

    TReaderState state;
    state.Splitters = {{u"a", 1 << 24}, {u"b", 300}};
    FitReaderStateToScreens(state, screens, {});
    EXPECT_EQ(state.Splitters, (std::vector<TSplitterPane>{{u"a", 1920}, {u"b", 300}}));

    // A pane keeps its share of a space that changed, and both panes their minimum.
    EXPECT_EQ(FitFirstPane(300, 900, 600, 60), 200);
    EXPECT_EQ(FitFirstPane(12, 600, 600, 60), 60);
    EXPECT_EQ(FitFirstPane(1 << 24, 600, 600, 60), 540);
    EXPECT_EQ(FitFirstPane(300, 600, 100, 60), 50) << "too little space for both minimums: halves";
    // At 200 % a 960 x 540 screen cannot hold the 800 x 600 minimum.
    const TWindowSize minimum = FitWindowSizeToScreen({792, 573}, {0, 0, 960, 508});
    EXPECT_EQ(std::pair(minimum.Width, minimum.Height), std::pair(792, 508));
}
