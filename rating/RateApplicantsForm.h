#pragma once

#include <QDialog>

#include <cstdint>
#include <memory>

#include "platform/ui/RecordGrid.h"

class QGroupBox;
class QPushButton;

namespace korvane {

class TApplicantPool;
class TDataBase;
class TRadioGroup;

// Whose rating sheet comes next: one committee member, and one applicant still in the pool or
// all of them. The choice is read from the screen after it closed with the Rate button.
class TRateApplicantsForm : public QDialog {
    Q_OBJECT
public:
    explicit TRateApplicantsForm(QWidget* owner);
    ~TRateApplicantsForm() override;

    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    TRecordGrid* DrawGrid1; // committee members
    TRecordGrid* DrawGrid2; // applicants still in the pool
    TRadioGroup* RadioGroup1;
    QPushButton* RateBtn;
    QPushButton* HelpBtn;
    QPushButton* BitBtn1;

    // Takes the chosen member and applicant and closes with OK; with nobody left in the pool it
    // says so and the screen stays open.
    void RateBtnClick();
    void HelpBtnClick();

    // The chosen committee member's ID, and the chosen applicant's ID or 0 for all applicants.
    std::int32_t CommitteeID() const { return CommitteeID_; }
    std::int32_t ApplicantID() const { return ApplicantID_; }

    // Text of a cell of either grid, as drawn.
    QString MemberCellText(int col, int row);
    QString ApplicantCellText(int col, int row);

private:
    void FormCreate();
    void FormDestroy();

    std::unique_ptr<TApplicantPool> Pool_;
    std::unique_ptr<TDataBase> Committee_;
    std::int32_t CommitteeID_ = 0;
    std::int32_t ApplicantID_ = 0;
};

} // namespace korvane
