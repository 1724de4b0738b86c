// The reader's aids for classical Chinese in the window, over the shared corpus with the
// character file made from this machine's tables: a click on a character of a Chinese view
// until its card is on show, against making the card alone (the click must stay within 50 ms);
// and the editions of the largest sutra compared and tinted in the 함께보기 views, against
// showing that sutra.

#include "BenchData.h"
#include "UiBenchSupport.h"

#include "window/pages/TextViews.h"
#include "window/reading/EditionMarks.h"
#include "window/widgets/PageControl.h"
#include "window/widgets/RichEdit.h"
#include "browse/CharacterCard.h"
#include "browse/SutraTexts.h"
#include "data/CharacterSource.h"
#include "data/DataSetSource.h"
#include "util/TextCodec.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<TBenchWindow>& Window()
{
    static std::unique_ptr<TBenchWindow> window;
    return window;
}

// The corpus window with the character file added as a data set built here would have it.
TBenchWindow* LoadedWindow()
{
    static bool tried = false;
    if (tried) return Window().get();
    tried = true;
    auto window = std::make_unique<TBenchWindow>();
    if (!window->Open(ProgramFolderFor(CorpusDataFolder(), "scholar-corpus"), TWindowStart::Loaded)) return nullptr;
    TDataSetSource source;
    TSourceSkips skips;
    if (const TResult read = ReadSourceFolder(CorpusSourceFolder(), source, skips); !read) {
        std::fprintf(stderr, "%s\n", Utf16ToUtf8(read.Message()).c_str());
        return nullptr;
    }
    if (const TResult added = AddCharacterTable(TCharacterTables{}, source); !added) {
        std::fprintf(stderr, "%s\n", Utf16ToUtf8(added.Message()).c_str());
        return nullptr;
    }
    window->State.Data.CharacterFile.Characters = std::move(source.Characters);
    window->State.Data.CharacterFile.Loaded = true;
    Window() = std::move(window);
    return Window().get();
}

double& CardSeconds()
{
    static double seconds = 0;
    return seconds;
}

double& ShowSeconds()
{
    static double seconds = 0;
    return seconds;
}

double Seconds(std::chrono::steady_clock::time_point begin, const benchmark::State& state)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count() /
           static_cast<double>(state.iterations());
}

// The largest Chinese sutra shown on 함께보기, the events that follow handled.
TMainForm& ShowLargestTogether(TBenchWindow& window)
{
    TMainForm& form = *window.Form;
    Widget<TPageControl>(form, "ViewPage")->setCurrentIndex(0);
    form.OpenPlace({LargestChineseSutra(window.State.Data)});
    QCoreApplication::processEvents();
    return form;
}

// The yardstick: the card of 舍, one of the commonest characters, made alone.
void CardAlone(benchmark::State& state)
{
    TBenchWindow* window = LoadedWindow();
    if (!window) return state.SkipWithError("corpus or tables not available");
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeCharacterCard(window->State.Data, U'舍').SinsuCount);
    CardSeconds() = Seconds(begin, state);
}

// A press and release on 舍 in the 고려대장경 view of 함께보기, the events that follow handled.
void ClickCharacter(benchmark::State& state)
{
    TBenchWindow* window = LoadedWindow();
    if (!window) return state.SkipWithError("corpus or tables not available");
    TMainForm& form = ShowLargestTogether(*window);
    TRichEdit* kor = Widget<TRichEdit>(form, "TotalKorRichEdit");
    const int position = static_cast<int>(kor->toPlainText().indexOf(u'舍'));
    if (position < 0) return state.SkipWithError("no 舍 in the largest sutra");
    kor->ShowPosition(position);
    QTextCursor cursor(kor->document());
    cursor.setPosition(position);
    const QRect left = kor->cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QPointF at((left.center().x() + kor->cursorRect(cursor).center().x()) / 2.0, left.center().y());
    const QPointF global = kor->viewport()->mapToGlobal(at);
    QWidget* panel = Widget<QWidget>(form, "CharacterPanel");
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, global, Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(kor->viewport(), &event);
        }
        QCoreApplication::processEvents();
        if (!panel->isVisible()) return state.SkipWithError("the click showed no card");
    }
    const double seconds = Seconds(begin, state);
    state.counters["ms"] = seconds * 1000;
    if (CardSeconds() > 0) state.counters["x_card"] = seconds / CardSeconds();
}

// The yardstick: the largest sutra shown on 함께보기 from another one, as a list row shows it.
void ShowLargest(benchmark::State& state)
{
    TBenchWindow* window = LoadedWindow();
    if (!window) return state.SkipWithError("corpus or tables not available");
    TMainForm& form = *window->Form;
    Widget<TPageControl>(form, "ViewPage")->setCurrentIndex(0);
    const std::int32_t largest = LargestChineseSutra(window->State.Data);
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        form.OpenPlace({largest});
        QCoreApplication::processEvents();
        state.PauseTiming();
        form.OpenPlace({largest == 0 ? 1 : 0});
        state.ResumeTiming();
    }
    ShowSeconds() = Seconds(begin, state);
}

// The toggle turned on over the largest sutra: aligned, tinted, the tints on screen drawn.
void CompareLargest(benchmark::State& state)
{
    TBenchWindow* window = LoadedWindow();
    if (!window) return state.SkipWithError("corpus or tables not available");
    TMainForm& form = ShowLargestTogether(*window);
    TEditionMarks& marks = Widget<TTextViews>(form, "TextViews")->Editions();
    double seconds = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        marks.SetOn(true);
        QCoreApplication::processEvents();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        state.PauseTiming();
        marks.SetOn(false);
        state.ResumeTiming();
    }
    seconds /= static_cast<double>(state.iterations());
    marks.SetOn(true);
    state.counters["differences"] = static_cast<double>(marks.Differences().size());
    marks.SetOn(false);
    if (ShowSeconds() > 0) state.counters["x_show"] = seconds / ShowSeconds();
}

} // namespace

BENCHMARK(CardAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(ClickCharacter)->Unit(benchmark::kMillisecond);
BENCHMARK(ShowLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(CompareLargest)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunUiBenchmarks(argc, argv, [] { Window().reset(); });
}
