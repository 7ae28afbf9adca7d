#include "setup/ApplicantAddEditForm.h"

#include <QLineEdit>
#include <QPushButton>

#include "data/ProcessState.h"
#include "platform/ui/RadioGroup.h"

namespace korvane {

QString VeteranChoiceText(int choice) {
    if (choice == 1 || choice == 2) {
        return QString::number(VeteranPercent(choice)) + QStringLiteral("% Preference");
    }
    return QStringLiteral("Not A Veteran");
}

TApplicantAddEditForm::TApplicantAddEditForm(QWidget* owner)
    : TNameEditDialog(
          owner, QSize(415, 230),
          {{{"Add Applicants", 440}, {"Edit Applicants", 230}, {"Delete Applicants", 450}}},
          "Helptn", {"Applicant ID:", "Applicant Name:", "ApplicantID", "ApplicantName"}) {
    RadioGroup1 =
        new TRadioGroup(QStringLiteral("Veterans Preference"),
                        {VeteranChoiceText(0), VeteranChoiceText(1), VeteranChoiceText(2)}, Panel1);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(12, 70, 140, 104);
    RadioGroup2 = new TRadioGroup(QStringLiteral("Applicant Status"),
                                  {QStringLiteral("Applicant Still In Pool"),
                                   QStringLiteral("Eliminated In First Level Screening"),
                                   QStringLiteral("Eliminated In Second Level Screening"),
                                   QStringLiteral("Eliminated In Thrid Level Screening"),
                                   QStringLiteral("Eliminated In Fourth Level Screening")},
                                  Panel1);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setGeometry(160, 70, Panel1->width() - 172, 104);
    setTabOrder(ApplicantName, RadioGroup1);
    setTabOrder(RadioGroup1, RadioGroup2);
    setTabOrder(RadioGroup2, SaveBtn);
    connect(Helptn, &QPushButton::clicked, this, &TApplicantAddEditForm::ShowModeHelp);
}

int TApplicantAddEditForm::VeteranChoice() const {
    return RadioGroup1->ItemIndex();
}

void TApplicantAddEditForm::SetVeteranChoice(int choice) {
    RadioGroup1->SetItemIndex(choice >= 0 && choice <= 2 ? choice : 0);
}

int TApplicantAddEditForm::Status() const {
    return RadioGroup2->ItemIndex();
}

void TApplicantAddEditForm::SetStatus(int status) {
    RadioGroup2->SetItemIndex(status);
}

void TApplicantAddEditForm::LockFields() {
    TNameEditDialog::LockFields();
    ShowAsLocked(RadioGroup1);
    ShowAsLocked(RadioGroup2);
}

void TApplicantAddEditForm::ModeSet() {
    if (Mode() == EditMode && !AdministrativeMode) {
        SetTextLocked(true);
    }
    RadioGroup1->SetItemText(1, VeteranChoiceText(1));
    RadioGroup1->SetItemText(2, VeteranChoiceText(2));
}

} // namespace korvane
