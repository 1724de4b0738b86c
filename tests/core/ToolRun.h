#pragma once

// Runs the vesko3-tool built beside the tests as a separate process, the way scripts use it.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>

struct TToolRun
{
    int Exit = -1; // stays -1 when the program crashed or hung
    std::string Out, Err;
};

inline QString Q(const std::filesystem::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

// input is written to the program's standard input, which is then closed.
inline TToolRun RunProgram(const QString& program, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    TToolRun run;
    if (!process.waitForStarted(30000)) return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return run;
    run.Exit = process.exitCode();
    run.Out = process.readAllStandardOutput().toStdString();
    run.Err = process.readAllStandardError().toStdString();
    return run;
}

inline TToolRun RunTool(const QStringList& arguments, const QByteArray& input = {})
{
    return RunProgram(QString::fromUtf8(VESKO3_TOOL_PATH), arguments, input);
}
