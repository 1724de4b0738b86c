// The tools in the window: the conversion button against ConvertReadings alone, and a rich
// view's copy with the view's font against Qt's own copy of the same view.

#include "BenchData.h"
#include "UiBenchSupport.h"

#include "window/pages/ConvertTab.h"
#include "window/widgets/PageControl.h"
#include "window/widgets/PlainMemo.h"
#include "window/widgets/RichEdit.h"
#include "tools/ReadingConversion.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <type_traits>
#include <vector>

namespace {

constexpr int LineLength = 40;

// units Chinese characters in lines of LineLength.
QString PastedText(std::size_t units)
{
    QString text;
    text.reserve(static_cast<qsizetype>(units + units / LineLength + 1));
    for (std::size_t i = 0; i < units; ++i) {
        text += QChar(static_cast<char16_t>(0x4E00 + (i * 7919) % 0x5000));
        if ((i + 1) % LineLength == 0) text += u'\n';
    }
    return text;
}

TReadingFile CompleteTable()
{
    TReadingFile file;
    file.Header.DataLength = 0x10000;
    file.Text.assign(0x10000, u'\0');
    for (std::size_t c = 0x4E00; c < 0xA000; ++c)
        file.Text[c] = static_cast<char16_t>(0xAC00 + c % 11172);
    return file;
}

void BM_ConvertReadingsOnly(benchmark::State& state)
{
    const std::u16string text = PastedText(static_cast<std::size_t>(state.range(0))).toStdU16String();
    const TReadingFile table = CompleteTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertReadings(text, table));
}

void BM_ConvertButtonClick(benchmark::State& state)
{
    // Over the demo set's folder, neither shown nor loaded: the benchmark fills in the table.
    TBenchWindow window(TBenchShell::TMode::Quiet);
    if (!window.Open(ProgramFolderFor(DemoDataFolder(), "tools-convert"), TWindowStart::Created)) {
        state.SkipWithError("the window could not be created");
        return;
    }
    window.State.Data.ReadingFile = CompleteTable();
    Widget<QPlainTextEdit>(*window.Form, "ConvertSrcMemo")
        ->setPlainText(PastedText(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state)
        window.Form->Conversion().ConvertButtonClick();
    state.counters["result_lines"] =
        static_cast<double>(Widget<TPlainMemo>(*window.Form, "ConvertDestMemo")->Text().count(u'\n') + 1);
}

// The same press with the sheet on the screen, the result's first page painted before the
// press counts as done.
void BM_ConvertButtonClickShown(benchmark::State& state)
{
    TBenchWindow window(TBenchShell::TMode::Quiet);
    if (!window.Open(ProgramFolderFor(DemoDataFolder(), "tools-convert-shown"), TWindowStart::Created)) {
        state.SkipWithError("the window could not be created");
        return;
    }
    window.State.Data.ReadingFile = CompleteTable();
    window.Form->TextPages()->setCurrentWidget(Widget<QWidget>(*window.Form, "ConvertTabSheet"));
    window.Form->show();
    QCoreApplication::processEvents();
    Widget<QPlainTextEdit>(*window.Form, "ConvertSrcMemo")
        ->setPlainText(PastedText(static_cast<std::size_t>(state.range(0))));
    auto* result = Widget<TPlainMemo>(*window.Form, "ConvertDestMemo");
    for (auto _ : state) {
        window.Form->Conversion().ConvertButtonClick();
        result->viewport()->repaint();
    }
}

// A view of units characters with a red bold hit every 25 characters, copied whole and read
// back as HTML, the way a word processor takes it.
template <typename TEdit> void CopyView(benchmark::State& state)
{
    TEdit edit;
    const QString text = PastedText(static_cast<std::size_t>(state.range(0)));
    QTextCharFormat hit;
    hit.setForeground(QColor(255, 0, 0));
    hit.setFontWeight(QFont::Bold);
    std::vector<THighlightRun> runs;
    for (std::int32_t at = 0; at + 2 < text.size() + 1; at += 25)
        runs.push_back({at, at + 2});
    if constexpr (std::is_same_v<TEdit, TRichEdit>) {
        edit.SetText(text);
        edit.SetRuns(runs, hit);
    } else {
        edit.setPlainText(text);
        QTextCursor cursor(edit.document());
        for (const THighlightRun& run : runs) {
            cursor.setPosition(run.Begin);
            cursor.setPosition(run.End, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(hit);
        }
    }
    edit.selectAll();
    qsizetype htmlSize = 0;
    for (auto _ : state) {
        edit.copy();
        htmlSize = QGuiApplication::clipboard()->mimeData()->html().size();
    }
    state.counters["html_units"] = static_cast<double>(htmlSize);
}

void BM_CopyView_QtOwn(benchmark::State& state)
{
    CopyView<QTextEdit>(state);
}
void BM_CopyView_WithViewFont(benchmark::State& state)
{
    CopyView<TRichEdit>(state);
}

BENCHMARK(BM_ConvertReadingsOnly)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertButtonClick)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertButtonClickShown)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyView_QtOwn)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyView_WithViewFont)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunUiBenchmarks(argc, argv);
}
