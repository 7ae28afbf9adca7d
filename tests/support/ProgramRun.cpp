#include "tests/support/ProgramRun.h"

#include <QProcess>

namespace korvane::test {

QProcessEnvironment WithoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return environment;
}

TRun RunProgram(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    TRun run;
    if (!process.waitForStarted(10000)) {
        run.Errors = QStringLiteral("could not start ") + program;
        return run;
    }
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.Errors = program + QStringLiteral(" did not finish");
        return run;
    }
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Output = QString::fromUtf8(process.readAllStandardOutput());
    run.Errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TRun RunKorvane(const QStringList& arguments) {
    return RunProgram(QStringLiteral(KORVANE_EXECUTABLE), arguments, WithoutDisplay());
}

} // namespace korvane::test
