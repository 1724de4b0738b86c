// Program entry: the application titled "베스코", its one window, the message loop.

#include "window/Unit1.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

namespace {

// Message boxes without icon and with one OK button; ending the program leaves the loop,
// or keeps it from starting when the window is still being created.
class TDialogShell : public IAppShell
{
public:
    void Show(const std::u16string& text, const std::u16string& caption) override
    {
        Box(QString::fromStdU16String(text), QString::fromStdU16String(caption));
    }
    void ShowAppMessage(const std::u16string& text) override
    {
        Box(QString::fromStdU16String(text), QApplication::applicationDisplayName());
    }
    void RequestExit(int exitCode) override
    {
        Requested = true;
        Code = exitCode;
        QCoreApplication::exit(exitCode);
    }
    bool ExitRequested() const override { return Requested; }
    int ExitCode() const override { return Code; }

private:
    static void Box(const QString& text, const QString& caption)
    {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
        box.exec();
    }
    bool Requested = false;
    int Code = 0;
};

// VESKO3_TEST_CLOSE_MS=N closes the window normally N ms after the data are loaded, so
// that a test can run the program twice and read what it kept.
void CloseForTestAfterLoading(TMainForm& form)
{
    bool ok = false;
    const int delay = qEnvironmentVariableIntValue("VESKO3_TEST_CLOSE_MS", &ok);
    if (!ok || delay < 0) return;
    auto* poll = new QTimer(&form);
    QObject::connect(poll, &QTimer::timeout, &form, [&form, poll, delay] {
        if (!form.DataLoaded()) return;
        poll->stop();
        QTimer::singleShot(delay, &form, &QWidget::close);
    });
    poll->start(20);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromStdU16String(std::u16string(AppTitle)));
    // Qt's own texts (the message boxes' button, the editors' menus) in Korean too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Korean, QLocale::SouthKorea), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    TVesko3State state;
    TDialogShell shell;
    const std::filesystem::path programFolder(QCoreApplication::applicationDirPath().toStdU16String());
    // --fresh starts as on a first run; the state is written at close all the same.
    const TReaderStateFile stateFile{DefaultReaderStatePath(), QApplication::arguments().contains("--fresh")};
    TMainForm form(state, shell, programFolder, std::nullopt, stateFile);
    if (shell.ExitRequested()) return shell.ExitCode();
    form.show();
    CloseForTestAfterLoading(form);
    const int code = QApplication::exec();
    return shell.ExitRequested() ? shell.ExitCode() : code;
}
