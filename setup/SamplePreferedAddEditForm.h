#pragma once

#include "setup/ListEditDialog.h"

class QCheckBox;

namespace korvane {

// Adds, edits or deletes one sample preferred criterion with its reference-check mark.
class TSamplePreferedAddEditForm : public TNameEditDialog {
    Q_OBJECT
public:
    explicit TSamplePreferedAddEditForm(QWidget* owner);

    void HelpBtnClick();

    QLineEdit* const& CriteriaID = IdEdit;
    QLineEdit* const& CriteriaDescription = TextEdit;
    QPushButton* const& HelpBtn = HelpButton;
    QCheckBox* RefCheck;

protected:
    void LockFields() override;
};

} // namespace korvane
