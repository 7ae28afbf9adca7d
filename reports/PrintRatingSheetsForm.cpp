#include "reports/PrintRatingSheetsForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "data/ProcessState.h"
#include "data/ScoreComputation.h"
#include "reports/RatingSheetLayout.h"
#include "reports/RatingWarnings.h"
#include "reports/ReportPreviewForm.h"

namespace korvane {

void PrintRatingSheets(QWidget* owner, const TPrintDestination& to, const TMemberChoice& who,
                       bool totals) {
    // The files are read before the job starts: a file that cannot be read starts no job.
    const TRatingData data = TRatingData::ReadWorkingDirectory();
    const TRecusalFile decisions = TRecusalFile::Read();
    ShowDecisionsDamage(decisions, owner);
    const std::vector<TLegendCriterion> legend = LegendCriteria(data.Criteria());
    const std::vector<std::int32_t> members =
        who.All ? data.CommitteeIDs() : std::vector<std::int32_t>{who.Member};

    TReportPreviewForm report(owner);
    report.BeginReport(to, false, true);
    for (std::size_t k = 0; k < members.size(); ++k) {
        if (k > 0) {
            report.NewPage();
        }
        report.SetPageNumber(1);
        TRatingSheetLayout sheet(report, MemberSheetStyle(members[k], totals), legend);
        sheet.Print(ComputeMemberRating(data, Settings, members[k], totals, decisions));
    }
    report.EndReport();
}

TPrintRatingSheetsForm::TPrintRatingSheetsForm(QWidget* owner)
    : TCommitteePrintForm(owner, "Print Rating Sheets", 170, {64, 234}, 85) {
    setObjectName(QStringLiteral("PrintRatingSheetsForm"));
    GroupBox1 = new QGroupBox(QStringLiteral("Print Options"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(OptionsPlace());
    Selected = new QRadioButton(QStringLiteral("Selected"), GroupBox1);
    Selected->setObjectName(QStringLiteral("Selected"));
    Selected->setChecked(true);
    All = new QRadioButton(QStringLiteral("All"), GroupBox1);
    All->setObjectName(QStringLiteral("All"));
    PrintTotals = new QCheckBox(QStringLiteral("Print Totals"), GroupBox1);
    PrintTotals->setObjectName(QStringLiteral("PrintTotals"));
    auto* layout = new QVBoxLayout(GroupBox1);
    layout->setSpacing(2);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(Selected);
    layout->addWidget(All);
    layout->addWidget(PrintTotals);
    layout->addStretch(1);
}

bool TPrintRatingSheetsForm::ReadyToPrint() {
    // Without totals the sheets are forms to fill in, or what was entered so far.
    if (!PrintTotals->isChecked()) {
        return true;
    }
    const TMemberChoice who = Choice();
    return ConfirmMissingRatings(this, who.Named(), ShowProgress);
}

bool TPrintRatingSheetsForm::AllMembers() const {
    return All->isChecked();
}

void TPrintRatingSheetsForm::SetAllMembers(bool all) {
    (all ? All : Selected)->setChecked(true);
}

void TPrintRatingSheetsForm::Print(const TPrintDestination& to) {
    PrintRatingSheets(this, to, Choice(), PrintTotals->isChecked());
}

} // namespace korvane
