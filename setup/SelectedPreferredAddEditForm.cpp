#include "setup/SelectedPreferredAddEditForm.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/SpinEdit.h"

namespace korvane {

TSelectedPreferredAddEditForm::TSelectedPreferredAddEditForm(QWidget* owner)
    : TCriteriaEditDialog(owner, QSize(459, 144),
                          {{{"Add Selected Preferred Criteria", 400},
                            {"Edit Selected Preferred Criteria", 410},
                            {"Delete Selected Preferred Criteria", 420}}},
                          329) {
    Label2 = new QLabel(QStringLiteral("Weight:"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(12, 44, 100, 17);
    Weight = new TSpinEdit(1, 100, Panel1);
    Weight->setObjectName(QStringLiteral("Weight"));
    Weight->setGeometry(112, 41, 65, 21);
    Label2->setBuddy(Weight);
    setTabOrder(CriteriaList, Weight);
    setTabOrder(Weight, SaveBtn);
}

int TSelectedPreferredAddEditForm::WeightValue() const {
    return Weight->Value();
}

void TSelectedPreferredAddEditForm::SetWeight(int weight) {
    Weight->setValue(weight);
}

void TSelectedPreferredAddEditForm::LockFields() {
    TCriteriaEditDialog::LockFields();
    ShowAsLocked(Weight);
}

} // namespace korvane
