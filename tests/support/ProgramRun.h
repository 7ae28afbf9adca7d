#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace korvane::test {

struct TRun {
    int ExitCode = -1; // -1 when it did not start, crashed or ran too long
    QString Output;
    QString Errors;
};

// The environment with no display at all: headless runs must not need one.
QProcessEnvironment WithoutDisplay();

// Runs a program to its end (at most a minute).
TRun RunProgram(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// Runs the korvane program of this build with no display, in the current directory.
TRun RunKorvane(const QStringList& arguments);

} // namespace korvane::test
