#pragma once

#include "reports/CommitteePrintForm.h"

namespace korvane {

class TRadioGroup;

// The first level screening sheets, portrait: per member, the selected required criteria and a
// two-line row per applicant with room for the numbers of the criteria the applicant lacks and a
// Y / N choice. One member gets the applicants still in the pool; every member (each from page 1)
// gets every applicant of the file.
void PrintScreeningSheets(QWidget* owner, const TPrintDestination& to, const TMemberChoice& who);

// The Print First Level Screen Sheets screen: the member in the grid, or all of them.
class TFirstLevelScreeningForm : public TCommitteePrintForm {
    Q_OBJECT
public:
    explicit TFirstLevelScreeningForm(QWidget* owner = nullptr);

    TRadioGroup* PrintOption;

    bool AllMembers() const override;
    void SetAllMembers(bool all) override;
    void Print(const TPrintDestination& to) override;
};

} // namespace korvane
