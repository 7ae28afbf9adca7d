#include "reports/PrintFinalForm.h"

#include <QLabel>
#include <QPushButton>

#include "data/ProcessState.h"
#include "data/ScoreComputation.h"
#include "platform/ui/Display.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/ScreenKit.h"
#include "reports/RatingSheetLayout.h"
#include "reports/RatingWarnings.h"
#include "reports/ReportPreviewForm.h"

namespace korvane {

void PrintFinalRatingSheet(QWidget* owner, const TPrintDestination& to) {
    // The files are read before the job starts: a file that cannot be read starts no job.
    const TRatingData data = TRatingData::ReadWorkingDirectory();
    const TRatingProgress progress(data, TRecusalFile::Read(), ReadCommittee());
    ShowDecisionsDamage(progress.Decisions(), owner);
    const std::vector<TScoreLine> lines = ComputeFinalRating(data, Settings, progress.Decisions());
    TReportPreviewForm report(owner);
    report.BeginReport(to, false, true);
    TRatingSheetLayout sheet(report, FinalSheetStyle(), LegendCriteria(data.Criteria()));
    sheet.Print(lines);
    sheet.Decisions(progress.Counted());
    report.EndReport();
}

TPrintFinalForm::TPrintFinalForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("PrintFinalForm"));
    setWindowTitle(QStringLiteral("Print Final Rating Sheet"));
    setWindowFlags(FixedDialogFlags());
    setFixedSize(320, 120);
    setFont(ScreenFont());
    SetHelpContext(this, 180);

    Label1 = new QLabel(QStringLiteral("Print Final Rating Sheet?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont large = ScreenFont();
    large.setPixelSize(20);
    large.setBold(true);
    Label1->setFont(large);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(8, 16, 304, 32);

    YesBtn = new QPushButton(QStringLiteral("&Yes"), this);
    YesBtn->setObjectName(QStringLiteral("YesBtn"));
    YesBtn->setGeometry(72, 76, 75, 25);
    YesBtn->setDefault(true);
    NoBtn = new QPushButton(QStringLiteral("&No"), this);
    NoBtn->setObjectName(QStringLiteral("NoBtn"));
    NoBtn->setGeometry(172, 76, 75, 25);
    connect(YesBtn, &QPushButton::clicked, this, &TPrintFinalForm::YesBtnClick);
    connect(NoBtn, &QPushButton::clicked, this, &QDialog::reject);
    CentreOnScreen(this);
}

void TPrintFinalForm::YesBtnClick() {
    const TPrintDestination to = SettingsDestination();
    if (ConfirmMissingRatings(this, {}, ShowProgress) && ConfirmPrint(this, to)) {
        PrintFinalRatingSheet(this, to);
    }
    accept();
}

} // namespace korvane
