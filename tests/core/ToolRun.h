#pragma once

// Runs the vesko3-tool built beside the tests as a separate process, the way scripts use it.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
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

// The locale the tool runs under unless a test names another: its messages are Korean there.
inline constexpr const char* KoreanLocale = "ko_KR.UTF-8";

// input is written to the program's standard input, which is then closed.
inline TToolRun RunProgram(const QString& program, const QStringList& arguments, const QByteArray& input = {},
                           const char* locale = KoreanLocale)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", locale);
    process.setProcessEnvironment(environment);
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

inline TToolRun RunTool(const QStringList& arguments, const QByteArray& input = {}, const char* locale = KoreanLocale)
{
    return RunProgram(QString::fromUtf8(VESKO3_TOOL_PATH), arguments, input, locale);
}
