#include "ToolCommon.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const std::filesystem::path folder(QCoreApplication::applicationDirPath().toStdU16String());
    return RunToolCommand(argc, argv, folder);
}
