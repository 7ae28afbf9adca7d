#pragma once

#include "setup/ListEditDialog.h"

namespace korvane {

class TRadioGroup;

// Adds, edits or deletes one applicant: the name, the veteran choice and the screening status.
class TApplicantAddEditForm : public TNameEditDialog {
    Q_OBJECT
public:
    explicit TApplicantAddEditForm(QWidget* owner);

    // The veteran choice, from 0 "Not A Veteran"; a choice that does not exist shows 0.
    int VeteranChoice() const;
    void SetVeteranChoice(int choice);
    // The status, from 0 "Applicant Still In Pool".
    int Status() const;
    void SetStatus(int status);

    QLineEdit* const& ApplicantID = IdEdit;
    QLineEdit* const& ApplicantName = TextEdit;
    QPushButton* const& Helptn = HelpButton;
    TRadioGroup* RadioGroup1;
    TRadioGroup* RadioGroup2;

protected:
    void LockFields() override;
    // An official applicant's name is locked outside the administrative mode; the veteran
    // choices read the rates in force.
    void ModeSet() override;
};

// The texts of the veteran choices as the dialog shows them ("5% Preference").
QString VeteranChoiceText(int choice);

} // namespace korvane
