#include "app/HeadlessPrint.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <functional>
#include <vector>

#include "app/ChangeLogForm.h"
#include "app/PositionFolder.h"
#include "data/PositionFile.h"
#include "data/RatingProgress.h"
#include "platform/ui/FailureText.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SystemPrinter.h"
#include "rating/ProgressPrintout.h"
#include "reports/FirstLevelScreeningForm.h"
#include "reports/PrintDestination.h"
#include "reports/PrintDisagreementsForm.h"
#include "reports/PrintFinalForm.h"
#include "reports/PrintRatingSheetsForm.h"
#include "reports/RatingWarnings.h"
#include "reports/TestPage.h"
#include "setup/ApplicantForm.h"
#include "setup/CommitteeForm.h"
#include "setup/SamplePreferedForm.h"
#include "setup/SampleRequired.h"
#include "setup/SelectedPreferredForm.h"
#include "setup/SelectedRequiredform.h"
#include "setup/SetupPrecheck.h"

namespace korvane {

namespace {

// The options a printout takes besides the PDF file.
enum THeadlessOption : unsigned {
    MemberChoice = 1, // --member ID or --all
    TotalsChoice = 2, // --totals
};

struct THeadlessPrintout {
    QString Name;
    // Runs the printout as its Print button does, to the destination given; false when it
    // refused (and said why).
    std::function<bool(const TPrintDestination&, const THeadlessOptions&)> Print;
    unsigned Options = 0;
    // The test page prints no file of a position.
    bool NeedsPosition = true;
};

// A setup list printed by its screen's PrintList, the screen never shown.
template <class TScreen> bool PrintSetupList(const TPrintDestination& to, const THeadlessOptions&) {
    TScreen screen(nullptr);
    screen.PrintList(to);
    return true;
}

// The sheets of one member or all, printed by their screen, never shown, after the set-up check
// its menu command runs. The screen opens on its first member, as in the desktop program.
template <class TScreen, bool (*SetupCheck)(QWidget*)>
bool PrintMemberSheets(const TPrintDestination& to, const THeadlessOptions& options) {
    if (!SetupCheck(nullptr)) {
        return false;
    }
    TScreen screen(nullptr);
    screen.SetAllMembers(options.All);
    if (options.Member) {
        bool number = false;
        const std::int32_t id = options.Member->toInt(&number);
        if (!number || !screen.SelectMember(id)) {
            std::fprintf(stderr, "korvane: no committee member has the ID %s\n",
                         qPrintable(*options.Member));
            return false;
        }
    }
    if constexpr (requires { screen.PrintTotals; }) {
        screen.PrintTotals->setChecked(options.Totals);
        if (options.Totals) {
            const TMemberChoice who = screen.Choice();
            WarnOfMissingRatings(TRatingProgress::ReadWorkingDirectory(), who.Named());
        }
    }
    screen.Print(to);
    return true;
}

// A printout of the whole committee after the check its menu command runs, as in the desktop
// program; a sheet resting on the ratings warns first when some are missing.
template <void (*Print)(QWidget*, const TPrintDestination&), bool RestsOnRatings>
bool PrintAfterCheck(const TPrintDestination& to, const THeadlessOptions&) {
    if (!CheckPreferredSetup(nullptr)) {
        return false;
    }
    if (RestsOnRatings) {
        WarnOfMissingRatings(TRatingProgress::ReadWorkingDirectory());
    }
    Print(nullptr, to);
    return true;
}

// One line per printout.
const std::vector<THeadlessPrintout>& Printouts() {
    static const std::vector<THeadlessPrintout> printouts = {
        {QStringLiteral("testpage"),
         [](const TPrintDestination& to, const THeadlessOptions&) {
             PrintTestPage(nullptr, to);
             return true;
         },
         0, false},
        {QStringLiteral("committee"), PrintSetupList<TCommitteeForm>},
        {QStringLiteral("samplerequired"), PrintSetupList<TSampleRequired>},
        {QStringLiteral("samplepreferred"), PrintSetupList<TSamplePreferedForm>},
        {QStringLiteral("selectedrequired"), PrintSetupList<TSelectedRequiredform>},
        {QStringLiteral("selectedpreferred"), PrintSetupList<TSelectedPreferredForm>},
        {QStringLiteral("applicants"), PrintSetupList<TApplicantForm>},
        {QStringLiteral("screening"),
         PrintMemberSheets<TFirstLevelScreeningForm, CheckRequiredSetup>, MemberChoice},
        {QStringLiteral("ratingsheets"),
         PrintMemberSheets<TPrintRatingSheetsForm, CheckPreferredSetup>,
         MemberChoice | TotalsChoice},
        {QStringLiteral("final"), PrintAfterCheck<PrintFinalRatingSheet, true>},
        {QStringLiteral("disagreements"), PrintAfterCheck<PrintRatingDisagreements, true>},
        {QStringLiteral("progress"), PrintAfterCheck<PrintRatingProgress, false>},
        {QStringLiteral("changelog"),
         [](const TPrintDestination& to, const THeadlessOptions&) {
             TChangeLogForm screen(nullptr);
             screen.PrintLog(to);
             return true;
         }},
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

void WarnOfMissingRatings(const TRatingProgress& Progress, std::span<const std::int32_t> Members) {
    const QString warning = MissingRatingsText(Progress.Missing(Members));
    if (!warning.isEmpty()) {
        std::fprintf(stderr, "korvane: %s\n", warning.toLocal8Bit().constData());
    }
}

int RunHeadlessPrint(const QString& what, const QString& pdfFile, const THeadlessOptions& options) {
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
    const bool memberOptions = options.Member.has_value() || options.All;
    if ((memberOptions && (chosen->Options & MemberChoice) == 0) ||
        (options.Totals && (chosen->Options & TotalsChoice) == 0)) {
        std::fprintf(stderr, "korvane: the printout '%s' takes no %s\n", qPrintable(what),
                     memberOptions ? "--member or --all" : "--totals");
        return 2;
    }
    if (options.Member && options.All) {
        std::fprintf(stderr, "korvane: --member and --all exclude each other\n");
        return 2;
    }
    if (pdfFile.isEmpty()) {
        std::fprintf(stderr, "korvane: --print needs --pdf FILE\n");
        return 2;
    }
    // The file is named from where the program was started, before the position's folder is.
    const QString file = QFileInfo(pdfFile).absoluteFilePath();
    const std::string refused =
        chosen->NeedsPosition ? OpenPositionFolder(options.Folder) : EnterFolder(options.Folder);
    if (!refused.empty()) {
        return Fail(QString::fromStdString(refused));
    }
    if (const auto check = OutputFileCheck(QFile::encodeName(file).toStdString()); !check.Ok()) {
        std::fprintf(stderr, "korvane: %s %s; the printout is not written\n", qPrintable(pdfFile),
                     qPrintable(OutputRefusalText(check)));
        return 2;
    }
    SetPrinterPdfOutput(file);
    const TMessagesToStandardError noWindows;
    // What the main window reads when it is created, the printouts print.
    ReadPositionTitle();
    const TPrintJobCounts before = PrintJobCounts();
    if (!chosen->Print(PdfFileDestination(), options)) {
        return 1;
    }
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
