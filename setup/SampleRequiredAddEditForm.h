#pragma once

#include "setup/ListEditDialog.h"

namespace korvane {

// Adds, edits or deletes one sample required criterion (modes 0, 1, 2 of SetMode).
class TSampleRequiredAddEditForm : public TNameEditDialog {
    Q_OBJECT
public:
    explicit TSampleRequiredAddEditForm(QWidget* owner);

    void HelpBtnClick();

    QLineEdit* const& CriteriaID = IdEdit;
    QLineEdit* const& CriteriaDescription = TextEdit;
    QPushButton* const& HelpBtn = HelpButton;
};

} // namespace korvane
