#pragma once
// Runs one of the programs as a script would and collects what it wrote.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

struct TProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline TProgramRun RunProgram(const QString &program, const QStringList &arguments,
                              const QByteArray &input = QByteArray(),
                              const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                              int timeoutMs = 60000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    TProgramRun run;
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

inline TProgramRun RunReportTool(const QStringList &arguments, const QByteArray &input = QByteArray(),
                                 const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    return RunProgram(QStringLiteral(TARVEL_REPORT_EXE), arguments, input, environment);
}
