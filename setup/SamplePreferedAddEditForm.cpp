#include "setup/SamplePreferedAddEditForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvane {

TSamplePreferedAddEditForm::TSamplePreferedAddEditForm(QWidget* owner)
    : TNameEditDialog(
          owner, QSize(434, 144),
          {{{"Add Sample Preferred Criteria", 360},
            {"Edit Sample Preferred Criteria", 370},
            {"Delete Sample Preferred Criteria", 380}}},
          "HelpBtn",
          {"Criteria ID:", "Criteria Description:", "CriteriaID", "CriteriaDescription"}) {
    RefCheck =
        new QCheckBox(QStringLiteral("Determined By Interview or Reference Check Only"), Panel1);
    RefCheck->setObjectName(QStringLiteral("RefCheck"));
    const QRect text = CriteriaDescription->geometry();
    RefCheck->setGeometry(Label2->x(), text.bottom() + 7, text.right() - Label2->x(), 19);
    setTabOrder(CriteriaDescription, RefCheck);
    setTabOrder(RefCheck, SaveBtn);
    connect(HelpBtn, &QPushButton::clicked, this, &TSamplePreferedAddEditForm::HelpBtnClick);
}

void TSamplePreferedAddEditForm::HelpBtnClick() {
    ShowModeHelp();
}

void TSamplePreferedAddEditForm::LockFields() {
    TNameEditDialog::LockFields();
    ShowAsLocked(RefCheck);
}

} // namespace korvane
