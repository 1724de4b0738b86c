// Reading down a marked text: Page Down in the window's 고려대장경 view holding the largest
// body with every occurrence of its most common character marked, on the shared corpus and on
// ten times its text. The yardstick is a plain QTextEdit of the same size and font holding the
// same text with the same marks, all formatted before the first key (x_plain). The first key
// after the text is shown is set against the later keys of the same showing (x_later).

#include "BenchData.h"
#include "UiBenchSupport.h"

#include "window/pages/TextViews.h"
#include "window/widgets/PageControl.h"
#include "window/widgets/RichEdit.h"
#include "browse/SutraTexts.h"
#include "search/Matcher.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <time.h>

namespace {

// The keys are timed in processor time of the process: the machines that run this are shared,
// and a key waiting for the processor would count against whichever editor it fell on.
struct TClock
{
    using duration = std::chrono::nanoseconds;
    static duration now()
    {
        timespec at{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &at);
        return std::chrono::seconds(at.tv_sec) + std::chrono::nanoseconds(at.tv_nsec);
    }
};

enum TSet
{
    Corpus,
    Corpus10, // the shared corpus with every body ten times over
};

const char* SetName(int set)
{
    return set == Corpus ? "corpus" : "corpus10";
}

QTextCharFormat MarkFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(255, 0, 0));
    format.setFontWeight(QFont::Bold);
    return format;
}

// The window with the 고려대장경 tab on show, the sutra with the longest 고려대장경 body, and
// a plain editor beside it holding the same text and marks.
struct TScrollCase
{
    std::unique_ptr<TBenchWindow> Window;
    TRichEdit* View = nullptr;
    std::int32_t Sutra = -1;
    std::vector<THighlightRun> Runs;
    std::unique_ptr<QTextEdit> Plain;
};

std::map<int, std::unique_ptr<TScrollCase>>& Cases()
{
    static std::map<int, std::unique_ptr<TScrollCase>> cases;
    return cases;
}

// Every occurrence of the character met most often in text, one run each.
std::vector<THighlightRun> CommonCharacterRuns(const std::u16string& text)
{
    std::vector<int> frequency(65536, 0);
    for (char16_t c : text)
        if (!IsIgnorableChar(c) && c >= 256) ++frequency[c];
    const auto common = static_cast<char16_t>(std::max_element(frequency.begin(), frequency.end()) - frequency.begin());
    std::vector<THighlightRun> runs;
    for (std::size_t k = 0; k < text.size(); ++k)
        if (text[k] == common) runs.push_back({static_cast<std::int32_t>(k), static_cast<std::int32_t>(k + 1)});
    return runs;
}

// Whether view holds its whole text laid out, and for the marked view every run formatted:
// the editors lay out the rest of a text in steps after its first screens.
bool Settled(const QTextEdit& view)
{
    if (const auto* marked = qobject_cast<const TRichEdit*>(&view)) return marked->LaidOut();
    const QTextBlock last = view.document()->lastBlock();
    return last.layout() != nullptr && last.layout()->lineCount() > 0;
}

void Settle(const QTextEdit& view)
{
    while (!Settled(view))
        QCoreApplication::processEvents();
}

// The text shown afresh at its top with its runs: filled while another tab is on show, as a
// list row fills the views, and its tab brought up.
void ShowMarked(TScrollCase& c)
{
    TMainForm& form = *c.Window->Form;
    TPageControl& pages = *Widget<TPageControl>(form, "ViewPage");
    pages.setCurrentIndex(3);
    Widget<TTextViews>(form, "TextViews")->FillKorViews(c.Sutra, TitleLine(c.Window->State.Data.TextFiles[0], c.Sutra));
    c.View->SetRuns(c.Runs, MarkFormat());
    c.View->PlaceCaret(0);
    pages.setCurrentIndex(2);
    QCoreApplication::processEvents();
    c.View->viewport()->repaint();
}

TScrollCase* ScrollCase(int set)
{
    auto& cases = Cases();
    if (auto found = cases.find(set); found != cases.end()) return found->second.get();
    std::unique_ptr<TScrollCase>& kept = cases[set];
    auto c = std::make_unique<TScrollCase>();
    c->Window = std::make_unique<TBenchWindow>();
    const std::filesystem::path data = set == Corpus ? CorpusDataFolder() : ScaledCorpusDataFolder();
    if (!c->Window->Open(ProgramFolderFor(data, std::string("scroll-") + SetName(set)), TWindowStart::Loaded))
        return nullptr;
    TMainForm& form = *c->Window->Form;
    form.resize(1024, 768);
    Widget<TPageControl>(form, "ViewPage")->setCurrentIndex(2);
    c->View = Widget<TRichEdit>(form, "KorRichEdit");
    const TVesko_File& kor = c->Window->State.Data.TextFiles[1];
    for (std::int32_t n = 0; n < kor.SuttaTable.Count; ++n)
        if (c->Sutra < 0 || kor.SuttaTable.Items[n].BodyLength > kor.SuttaTable.Items[c->Sutra].BodyLength)
            c->Sutra = n;
    if (c->Sutra < 0) return nullptr;
    Widget<TTextViews>(form, "TextViews")
        ->FillKorViews(c->Sutra, TitleLine(c->Window->State.Data.TextFiles[0], c->Sutra));
    c->Runs = CommonCharacterRuns(c->View->PositionText());

    c->Plain = std::make_unique<QTextEdit>();
    c->Plain->setLineWrapMode(c->View->lineWrapMode());
    c->Plain->setFont(c->View->font());
    c->Plain->resize(c->View->size());
    c->Plain->setPlainText(c->View->PlainText());
    QTextCursor cursor(c->Plain->document());
    cursor.beginEditBlock();
    for (const THighlightRun& run : c->Runs) {
        cursor.setPosition(run.Begin);
        cursor.setPosition(run.End, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(MarkFormat());
    }
    cursor.endEditBlock();
    c->Plain->show();
    kept = std::move(c);
    return kept.get();
}

// One Page Down and the repaint that shows it.
void PageDown(QTextEdit& view)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_PageDown, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &release);
    QCoreApplication::processEvents();
    view.viewport()->repaint();
}

bool AtEnd(const QTextEdit& view)
{
    const QScrollBar* bar = view.verticalScrollBar();
    return bar->value() >= bar->maximum();
}

// Seconds per key of the plain editor, by set, for the view's ratio to it.
std::map<int, double>& PlainSeconds()
{
    static std::map<int, double> seconds;
    return seconds;
}

// Page Down through the whole text and again from its top, each key timed once the text is
// laid out; the marked view is shown afresh at each new start, so that every key meets runs
// still waiting.
void PageDownKeys(benchmark::State& state, int set, bool plain)
{
    TScrollCase* c = ScrollCase(set);
    if (!c) {
        state.SkipWithError("data set not available");
        return;
    }
    QTextEdit& view = plain ? *c->Plain : static_cast<QTextEdit&>(*c->View);
    const auto restart = [&] {
        if (plain) {
            view.moveCursor(QTextCursor::Start);
            view.verticalScrollBar()->setValue(0);
        } else {
            ShowMarked(*c);
        }
        Settle(view);
    };
    restart();
    TClock::duration timed{};
    for (auto _ : state) {
        if (AtEnd(view)) restart();
        const auto begin = TClock::now();
        PageDown(view);
        const auto took = TClock::now() - begin;
        timed += took;
        state.SetIterationTime(std::chrono::duration<double>(took).count());
    }
    const double seconds = std::chrono::duration<double>(timed).count() / static_cast<double>(state.iterations());
    if (plain)
        PlainSeconds()[set] = seconds;
    else if (auto found = PlainSeconds().find(set); found != PlainSeconds().end())
        state.counters["x_plain"] = seconds / found->second;
    state.counters["units"] = view.document()->characterCount();
    state.counters["runs"] = static_cast<double>(c->Runs.size());
}

// The first key after the marked text is shown at its top (the time counted), against the
// mean of the next LaterKeys keys of the same showing; show_ms is the showing itself.
void FirstKey(benchmark::State& state, int set)
{
    constexpr int LaterKeys = 10;
    TScrollCase* c = ScrollCase(set);
    if (!c) {
        state.SkipWithError("data set not available");
        return;
    }
    TClock::duration shown{}, first{}, later{};
    for (auto _ : state) {
        auto begin = TClock::now();
        ShowMarked(*c);
        shown += TClock::now() - begin;
        begin = TClock::now();
        PageDown(*c->View);
        const auto took = TClock::now() - begin;
        first += took;
        state.SetIterationTime(std::chrono::duration<double>(took).count());
        begin = TClock::now();
        for (int k = 0; k < LaterKeys; ++k)
            PageDown(*c->View);
        later += TClock::now() - begin;
    }
    state.counters["show_ms"] =
        1e3 * std::chrono::duration<double>(shown).count() / static_cast<double>(state.iterations());
    state.counters["x_later"] = LaterKeys * std::chrono::duration<double>(first).count() /
                                std::max(std::chrono::duration<double>(later).count(), 1e-9);
}

void RegisterAll()
{
    for (int set : {Corpus, Corpus10}) {
        const std::string name = SetName(set);
        benchmark::RegisterBenchmark(("PageDown/" + name + "/plain").c_str(), PageDownKeys, set, true)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->MinTime(2);
        benchmark::RegisterBenchmark(("PageDown/" + name + "/marked").c_str(), PageDownKeys, set, false)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->MinTime(2);
        benchmark::RegisterBenchmark(("FirstKey/" + name).c_str(), FirstKey, set)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(10);
    }
}

} // namespace

int main(int argc, char** argv)
{
    RegisterAll();
    return RunUiBenchmarks(argc, argv, [] { Cases().clear(); });
}
