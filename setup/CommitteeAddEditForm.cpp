#include "setup/CommitteeAddEditForm.h"

#include <QPushButton>

namespace korvane {

TCommitteeAddEditForm::TCommitteeAddEditForm(QWidget* owner)
    : TNameEditDialog(owner, QSize(438, 138),
                      {{{"Add Committee Member", 240},
                        {"Edit Committee Member", 260},
                        {"Delete Committee Member", 270}}},
                      "BitBtn2",
                      {"Committee ID:", "Committee Member:", "CommitteeID", "CommitteeName"}) {
    connect(BitBtn2, &QPushButton::clicked, this, &TCommitteeAddEditForm::BitBtn2Click);
}

void TCommitteeAddEditForm::BitBtn2Click() {
    ShowModeHelp();
}

} // namespace korvane
