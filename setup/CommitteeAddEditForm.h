#pragma once

#include "setup/ListEditDialog.h"

namespace korvane {

// Adds, edits or deletes one committee member (modes 0, 1, 2 of SetMode).
class TCommitteeAddEditForm : public TNameEditDialog {
    Q_OBJECT
public:
    explicit TCommitteeAddEditForm(QWidget* owner);

    void BitBtn2Click();

    QLineEdit* const& CommitteeID = IdEdit;
    QLineEdit* const& CommitteeName = TextEdit;
    QPushButton* const& BitBtn2 = HelpButton;
};

} // namespace korvane
