#include "ToolCommon.h"

#include "session/ProgramPaths.h"
#include "util/TextCodec.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // The window's name, so that both look for the data in the same per-program folders.
    QCoreApplication::setApplicationName(ToQString(ProgramName));
    const std::filesystem::path folder(QCoreApplication::applicationDirPath().toStdU16String());
    return RunToolCommand(argc, argv, folder);
}
