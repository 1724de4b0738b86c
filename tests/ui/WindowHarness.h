#pragma once

// Starting the window the way the program does, through its two seams: a program folder of
// the test's own, and a shell that records message boxes and the exit request.

#include "window/AppShell.h"
#include "window/Unit1.h"
#include "window/widgets/Grid.h"
#include "window/widgets/PageControl.h"
#include "window/widgets/RadioGroup.h"
#include "window/widgets/RichEdit.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct TRecordedBox
{
    std::u16string Text;
    std::u16string Caption;
    bool WindowShown = false;  // the main window was on the screen
    bool LoadingShown = false; // ReadFileMsgPanel was showing
};

class TRecordingShell : public IAppShell
{
public:
    void Show(const std::u16string& text, const std::u16string& caption) override;
    void ShowAppMessage(const std::u16string& text) override;
    void RequestExit(int exitCode) override;
    bool ExitRequested() const override { return Code.has_value(); }
    int ExitCode() const override { return Code.value_or(-1); }

    std::vector<TRecordedBox> Boxes;

private:
    std::optional<int> Code;
};

struct TStartedWindow
{
    TVesko3Session State;
    TRecordingShell Shell;
    std::unique_ptr<TMainForm> Form; // last, so that it goes first

    // Runs the event loop until the data are loaded or the program was ended.
    bool WaitUntilSettled(int milliseconds = 10000);
};

// Creates the window over programFolder and shows it unless creation ended the program, as
// the program's entry does.
std::unique_ptr<TStartedWindow> StartWindow(const std::filesystem::path& programFolder,
                                            std::optional<std::vector<std::u16string>> faces = std::nullopt,
                                            bool show = true, TReaderStateFile stateFile = {});

// The lines of a plain-text editor.
std::vector<std::u16string> Lines(const class QPlainTextEdit* memo);

// Column 0 of every row of a list.
std::vector<std::u16string> Numbers(const class TGrid* grid);

std::u16string Text(const class QLabel* label);

// The control of form named name, of type T. A missing one fails the test through the
// exception rather than crashing the whole test program.
template <typename T = QWidget> T* Widget(const QObject& form, const char* name)
{
    T* found = form.findChild<T*>(name);
    if (found == nullptr) throw std::runtime_error(std::string("no control named ") + name);
    return found;
}

// The kinds of control the tests read most.
inline TGrid* Grid(const QObject& form, const char* name)
{
    return Widget<TGrid>(form, name);
}
// A text view, which holds its whole text from the moment it is given.
inline TRichEdit* View(const QObject& form, const char* name)
{
    return Widget<TRichEdit>(form, name);
}
inline QLabel* Label(const QObject& form, const char* name)
{
    return Widget<QLabel>(form, name);
}
inline QPlainTextEdit* Memo(const QObject& form, const char* name)
{
    return Widget<QPlainTextEdit>(form, name);
}
inline TPageControl* Page(const QObject& form, const char* name)
{
    return Widget<TPageControl>(form, name);
}
inline TRadioGroup* Group(const QObject& form, const char* name)
{
    return Widget<TRadioGroup>(form, name);
}
