#include "UiBenchSupport.h"

#include "BenchData.h"

#include "window/widgets/PageControl.h"
#include "window/widgets/RichEdit.h"
#include "util/TextCodec.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

void TBenchShell::Show(const std::u16string& text, const std::u16string& caption)
{
    if (Mode == TMode::Print) std::fprintf(stderr, "%s: %s\n", Utf16ToUtf8(caption).c_str(), Utf16ToUtf8(text).c_str());
}

void TBenchShell::ShowAppMessage(const std::u16string& text)
{
    Show(text, std::u16string(AppTitle));
}

fs::path ProgramFolderFor(const fs::path& dataFolder, std::string_view name)
{
    if (dataFolder.empty()) return {};
    const fs::path program = BenchScratchFolder(name);
    std::error_code error;
    fs::create_directories(program, error);
    // Several benchmarks of a run may share one program folder.
    if (!fs::exists(program / "Data", error)) fs::create_directory_symlink(dataFolder, program / "Data", error);
    return error ? fs::path() : program;
}

bool TBenchWindow::Open(const fs::path& programFolder, TWindowStart start)
{
    if (programFolder.empty()) return false;
    Form = std::make_unique<TMainForm>(State, Shell, programFolder);
    // A window whose creation ended the program is never shown, as in the program itself.
    if (Shell.ExitRequested()) return false;
    if (start == TWindowStart::Created) {
        // The benchmark may put data of its own into State, which loading must not overwrite.
        Form->AwaitLoading();
        return true;
    }
    Form->show();
    while (!Form->DataLoaded() && !Shell.ExitRequested())
        QCoreApplication::processEvents();
    return !Shell.ExitRequested();
}

int RunUiBenchmarks(int argc, char** argv, const std::function<void()>& cleanup)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // argc outlives the application, which keeps a reference to it.
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (cleanup) cleanup();
    return 0;
}

bool ShownViewsLaidOut(const TMainForm& form)
{
    const QWidget* sheet = Widget<TPageControl>(form, "ViewPage")->currentWidget();
    for (const TRichEdit* view : sheet->findChildren<TRichEdit*>())
        if (!view->LaidOut()) return false;
    return true;
}
