#pragma once

#include <QString>
#include <QStringList>

namespace korvane {

// Printouts that `korvane --print WHAT --pdf FILE` can write.
QStringList HeadlessPrintouts();

// Writes the printout WHAT of the working directory's position into the PDF file, through the
// same code as its Print button, with no window shown. Returns the process exit status; errors
// are written to standard error.
int RunHeadlessPrint(const QString& what, const QString& pdfFile);

} // namespace korvane
