// Program entry: the application titled "베스코", its one window, the message loop.

#include "window/Unit1.h"

#include "session/ProgramPaths.h"
#include "util/TextCodec.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
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
    parser.process(application);
    std::optional<std::filesystem::path> dataArgument;
    // The missing-file messages name full paths, so a relative folder is completed here.
    if (parser.isSet(dataOption))
        dataArgument = QFileInfo(parser.value(dataOption)).absoluteFilePath().toStdU16String();

    TVesko3State state;
    TDialogShell shell;
    const std::filesystem::path programFolder(QCoreApplication::applicationDirPath().toStdU16String());
    TMainForm form(state, shell, LocateProgramPaths(dataArgument, programFolder));
    if (shell.ExitRequested()) return shell.ExitCode();
    form.show();
    const int code = QApplication::exec();
    return shell.ExitRequested() ? shell.ExitCode() : code;
}
