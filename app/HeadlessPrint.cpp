#include "app/HeadlessPrint.h"

#include <cstdio>

namespace korvane {

QStringList HeadlessPrintouts() {
    return {};
}

int RunHeadlessPrint(const QString& what, const QString& pdfFile) {
    (void)pdfFile;
    std::fprintf(stderr, "korvane: unknown printout '%s'; known: %s\n", qPrintable(what),
                 qPrintable(HeadlessPrintouts().join(QStringLiteral(", "))));
    return 2;
}

} // namespace korvane
