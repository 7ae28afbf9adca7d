#include "app/HeadlessPrint.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <functional>
#include <vector>

#include "data/PositionFile.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SystemPrinter.h"
#include "reports/PrintDestination.h"
#include "reports/PrintFinalForm.h"
#include "reports/TestPage.h"
#include "setup/ApplicantForm.h"
#include "setup/CommitteeForm.h"
#include "setup/SamplePreferedForm.h"
#include "setup/SampleRequired.h"
#include "setup/SelectedPreferredForm.h"
#include "setup/SelectedRequiredform.h"

namespace korvane {

namespace {

struct THeadlessPrintout {
    QString Name;
    // Runs the printout as its Print button does, to the destination given.
    std::function<void(const TPrintDestination&)> Print;
};

// A setup list printed by its screen's PrintList, the screen never shown.
template <class TScreen> void PrintSetupList(const TPrintDestination& to) {
    TScreen screen(nullptr);
    screen.PrintList(to);
}

// One line per printout.
const std::vector<THeadlessPrintout>& Printouts() {
    static const std::vector<THeadlessPrintout> printouts = {
        {QStringLiteral("testpage"),
         [](const TPrintDestination& to) { PrintTestPage(nullptr, to); }},
        {QStringLiteral("committee"), PrintSetupList<TCommitteeForm>},
        {QStringLiteral("samplerequired"), PrintSetupList<TSampleRequired>},
        {QStringLiteral("samplepreferred"), PrintSetupList<TSamplePreferedForm>},
        {QStringLiteral("selectedrequired"), PrintSetupList<TSelectedRequiredform>},
        {QStringLiteral("selectedpreferred"), PrintSetupList<TSelectedPreferredForm>},
        {QStringLiteral("applicants"), PrintSetupList<TApplicantForm>},
        {QStringLiteral("final"),
         [](const TPrintDestination& to) { PrintFinalRatingSheet(nullptr, to); }},
    };
    return printouts;
}

int Fail(const QString& text) {
    std::fprintf(stderr, "korvane: %s\n", qPrintable(text));
    return 1;
}

} // namespace

QStringList HeadlessPrintouts() {
    QStringList names;
    for (const THeadlessPrintout& printout : Printouts()) {
        names << printout.Name;
    }
    return names;
}

int RunHeadlessPrint(const QString& what, const QString& pdfFile) {
    const THeadlessPrintout* chosen = nullptr;
    for (const THeadlessPrintout& printout : Printouts()) {
        if (printout.Name == what) {
            chosen = &printout;
        }
    }
    if (chosen == nullptr) {
        std::fprintf(stderr, "korvane: unknown printout '%s'; known: %s\n", qPrintable(what),
                     qPrintable(HeadlessPrintouts().join(QStringLiteral(", "))));
        return 2;
    }
    if (pdfFile.isEmpty()) {
        std::fprintf(stderr, "korvane: --print needs --pdf FILE\n");
        return 2;
    }
    if (IsPositionFile(QFile::encodeName(pdfFile).toStdString())) {
        std::fprintf(stderr, "korvane: %s is a file of the position; the printout is not written\n",
                     qPrintable(pdfFile));
        return 2;
    }
    const QString file = QFileInfo(pdfFile).absoluteFilePath();
    SetPrinterPdfOutput(file);
    const TMessagesToStandardError noWindows;
    // What the main window reads when it is created, the printouts print.
    ReadPositionTitle();
    const TPrintJobCounts before = PrintJobCounts();
    chosen->Print(PdfFileDestination());
    const TPrintJobCounts after = PrintJobCounts();
    if (after.Started == before.Started) {
        return Fail(QStringLiteral("nothing was printed"));
    }
    if (after.Failed != before.Failed || !QFileInfo(file).isFile() || QFileInfo(file).size() == 0) {
        return Fail(QStringLiteral("could not write ") + file);
    }
    return 0;
}

} // namespace korvane
