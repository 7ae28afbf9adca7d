#include "setup/SampleRequiredAddEditForm.h"

#include <QPushButton>

namespace korvane {

TSampleRequiredAddEditForm::TSampleRequiredAddEditForm(QWidget* owner)
    : TNameEditDialog(
          owner, QSize(436, 137),
          {{{"Add Sample Required Criteria", 280},
            {"Edit Sample Required Criteria", 290},
            {"Delete Sample Required Criteria", 300}}},
          "HelpBtn",
          {"Criteria ID:", "Criteria Description:", "CriteriaID", "CriteriaDescription"}) {
    connect(HelpBtn, &QPushButton::clicked, this, &TSampleRequiredAddEditForm::HelpBtnClick);
}

void TSampleRequiredAddEditForm::HelpBtnClick() {
    ShowModeHelp();
}

} // namespace korvane
