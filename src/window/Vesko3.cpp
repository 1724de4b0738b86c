// Program entry: the application titled "베스코", its one window, the message loop.

#include "window/Unit1.h"
#include "window/pages/SearchTab.h"
#include "session/ProgramPaths.h"
#include "util/TextCodec.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
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
// that a test can run the program twice and read what it kept. With it, VESKO3_TEST_SEARCH
// names words, separated by blanks, searched as typed into the search sheet once the data
// are in, so that a benchmark can see what a search costs the whole program.
void CloseForTestAfterLoading(TMainForm& form)
{
    bool ok = false;
    const int delay = qEnvironmentVariableIntValue("VESKO3_TEST_CLOSE_MS", &ok);
    if (!ok || delay < 0) return;
    const QString words = qEnvironmentVariable("VESKO3_TEST_SEARCH").simplified();
    auto* poll = new QTimer(&form);
    QObject::connect(poll, &QTimer::timeout, &form, [&form, poll, delay, words] {
        if (!form.DataLoaded()) return;
        poll->stop();
        auto* memo = form.findChild<QPlainTextEdit*>("SearchMemo");
        if (!words.isEmpty() && memo != nullptr) {
            memo->setPlainText(QString(words).replace(u' ', u'\n'));
            form.findChild<TSearchTab*>("SearchTabSheet")->SearchButtonClick();
        }
        QTimer::singleShot(delay, &form, &QWidget::close);
    });
    poll->start(20);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The name picks the platform's folders for the data and the settings; the display name
    // captions the message boxes.
    QApplication::setApplicationName(ToQString(ProgramName));
    QApplication::setApplicationDisplayName(ToQString(AppTitle));
    QApplication::setApplicationVersion(VESKO3_VERSION);
    QApplication::setDesktopFileName(VESKO3_APP_ID);
    QApplication::setWindowIcon(QIcon::fromTheme(VESKO3_APP_ID));
    // Qt's own texts (the message boxes' button, the editors' menus) in Korean too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Korean, QLocale::SouthKorea), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QCommandLineParser parser;
    // Korean like Qt's own option texts, which the translator above already turned.
    parser.setApplicationDescription("네 아함경을 한글대장경과 두 한문 판본으로 읽고 검색합니다.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataOption("data", "여섯 데이터 파일을 DIR 폴더에서 읽습니다.", "DIR");
    parser.addOption(dataOption);
    const QCommandLineOption freshOption("fresh", "지난번에 읽던 자리를 불러오지 않고 시작합니다.");
    parser.addOption(freshOption);
    parser.process(application);
    std::optional<std::filesystem::path> dataArgument;
    // The missing-file messages name full paths, so a relative folder is completed here.
    if (parser.isSet(dataOption))
        dataArgument = QFileInfo(parser.value(dataOption)).absoluteFilePath().toStdU16String();

    TVesko3Session state;
    TDialogShell shell;
    const std::filesystem::path programFolder(QCoreApplication::applicationDirPath().toStdU16String());
    // --fresh starts as on a first run; the state is written at close all the same.
    const TReaderStateFile stateFile{DefaultReaderStatePath(), parser.isSet(freshOption)};
    TMainForm form(state, shell, LocateProgramPaths(dataArgument, programFolder), std::nullopt, stateFile);
    if (shell.ExitRequested()) return shell.ExitCode();
    form.show();
    CloseForTestAfterLoading(form);
    const int code = QApplication::exec();
    return shell.ExitRequested() ? shell.ExitCode() : code;
}
