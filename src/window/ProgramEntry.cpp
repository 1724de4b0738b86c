#include "window/ProgramEntry.h"

#include "window/FirstStartDialog.h"
#include "window/Unit1.h"
#include "session/ProgramLicence.h"
#include "session/ProgramPaths.h"
#include "util/TextCodec.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>

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
        Box(QString::fromStdU16String(text), ToQString(AppTitle));
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

} // namespace

int RunReaderProgram(int argc, char** argv, const TProgramHooks& hooks)
{
    QApplication application(argc, argv);
    // The name picks the platform's folders for the data and the settings. No display name:
    // the X11 platform would append it to every window's title, the message boxes' too.
    QApplication::setApplicationName(ToQString(ProgramName));
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
    // Qt's own version option prints the version alone; the licence goes with it.
    const QCommandLineOption versionOption({"v", "version"}, "버전과 사용 허가를 보여 줍니다.");
    parser.addOption(versionOption);
    const QCommandLineOption dataOption("data", "여섯 데이터 파일을 DIR 폴더에서 읽습니다.", "DIR");
    parser.addOption(dataOption);
    const QCommandLineOption freshOption("fresh", "지난번에 읽던 자리를 불러오지 않고 시작합니다.");
    parser.addOption(freshOption);
    parser.process(application);
    if (parser.isSet(versionOption)) {
        std::fputs(VersionText("vesko3", VESKO3_VERSION).c_str(), stdout);
        return 0;
    }
    std::optional<std::filesystem::path> dataArgument;
    // The missing-file messages name full paths, so a relative folder is completed here.
    if (parser.isSet(dataOption))
        dataArgument = QFileInfo(parser.value(dataOption)).absoluteFilePath().toStdU16String();

    const std::filesystem::path programFolder(QCoreApplication::applicationDirPath().toStdU16String());
    TProgramPaths paths = LocateProgramPaths(dataArgument, programFolder);
    if (!dataArgument && !SettleFirstStart(paths, programFolder)) return 0;

    TVesko3Session state;
    TDialogShell shell;
    // --fresh starts as on a first run; the state is written at close all the same.
    const TReaderStateFile stateFile{DefaultReaderStatePath(), parser.isSet(freshOption)};
    TMainForm form(state, shell, std::move(paths), std::nullopt, stateFile);
    if (shell.ExitRequested()) return shell.ExitCode();
    form.show();
    if (hooks.WindowShown) hooks.WindowShown(form);
    const int code = QApplication::exec();
    return shell.ExitRequested() ? shell.ExitCode() : code;
}
