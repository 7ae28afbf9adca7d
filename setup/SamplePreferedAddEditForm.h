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

    void ShowRecord(const TDataRecord& record) override;
    // Description as in every list; Mark "*" when RefCheck is checked, a blank otherwise.
    void StoreRecord(TDataRecord& record) const override;

    QLineEdit* const& CriteriaID = IdEdit;
    QLineEdit* const& CriteriaDescription = TextEdit;
    QPushButton* const& HelpBtn = HelpButton;
    QCheckBox* RefCheck;

protected:
    void LockFields() override;
};

} // namespace korvane
