#pragma once

#include "reports/CommitteePrintForm.h"
#include "reports/RatingWarnings.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace korvane {

// The members' rating sheets ("Selection Rating Sheet"), landscape: one member's weighted points
// per criterion for every applicant still in the pool, with or without the member's totals. Every
// member's pages count from 1.
void PrintRatingSheets(QWidget* owner, const TPrintDestination& to, const TMemberChoice& who,
                       bool totals);

// The Print Rating Sheets screen: the member in the grid or all of them, totals on request.
class TPrintRatingSheetsForm : public TCommitteePrintForm {
    Q_OBJECT
public:
    explicit TPrintRatingSheetsForm(QWidget* owner = nullptr);

    QGroupBox* GroupBox1;
    QRadioButton* Selected;
    QRadioButton* All;
    QCheckBox* PrintTotals;
    // What the missing ratings warning's Show button opens; set by whoever opens the screen.
    TShowProgress ShowProgress;

    // With totals, missing ratings of the members chosen are asked about first.
    bool ReadyToPrint() override;
    bool AllMembers() const override;
    void SetAllMembers(bool all) override;
    void Print(const TPrintDestination& to) override;
};

} // namespace korvane
