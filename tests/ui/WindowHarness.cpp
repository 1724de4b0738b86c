#include "WindowHarness.h"

#include "window/widgets/Grid.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

namespace {

QWidget* VisibleMainForm()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "MainForm" && widget->isVisible()) return widget;
    return nullptr;
}

TRecordedBox Snapshot(const std::u16string& text, const std::u16string& caption)
{
    TRecordedBox box{text, caption};
    if (QWidget* form = VisibleMainForm()) {
        box.WindowShown = true;
        auto* panel = form->findChild<QWidget*>("ReadFileMsgPanel");
        box.LoadingShown = panel != nullptr && panel->isVisible();
    }
    return box;
}

} // namespace

void TRecordingShell::Show(const std::u16string& text, const std::u16string& caption)
{
    Boxes.push_back(Snapshot(text, caption));
}

void TRecordingShell::ShowAppMessage(const std::u16string& text)
{
    Boxes.push_back(Snapshot(text, std::u16string(AppTitle)));
}

void TRecordingShell::RequestExit(int exitCode)
{
    Code = exitCode;
}

bool TStartedWindow::WaitUntilSettled(int milliseconds)
{
    return QTest::qWaitFor([this] { return Form->DataLoaded() || Shell.ExitRequested(); }, milliseconds);
}

std::unique_ptr<TStartedWindow> StartWindow(const std::filesystem::path& programFolder,
                                            std::optional<std::vector<std::u16string>> faces, bool show,
                                            TReaderStateFile stateFile)
{
    auto started = std::make_unique<TStartedWindow>();
    started->Form = std::make_unique<TMainForm>(started->State, started->Shell, programFolder, std::move(faces),
                                                std::move(stateFile));
    if (show && !started->Shell.ExitRequested()) started->Form->show();
    return started;
}

std::vector<std::u16string> Lines(const QPlainTextEdit* memo)
{
    std::vector<std::u16string> lines;
    if (memo->document()->isEmpty()) return lines;
    for (const QString& line : memo->toPlainText().split('\n'))
        lines.push_back(line.toStdU16String());
    return lines;
}

std::vector<std::u16string> Numbers(const TGrid* grid)
{
    std::vector<std::u16string> numbers;
    for (int r = 0; r < grid->rowCount(); ++r)
        numbers.push_back(CellText(grid, r, 0));
    return numbers;
}

std::u16string Text(const QLabel* label)
{
    return label->text().toStdU16String();
}
