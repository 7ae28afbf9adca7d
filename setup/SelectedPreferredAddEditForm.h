#pragma once

#include "setup/ListEditDialog.h"

namespace korvane {

class TSpinEdit;

// Adds, changes or removes one selected preferred criterion with its weight.
class TSelectedPreferredAddEditForm : public TCriteriaEditDialog {
    Q_OBJECT
public:
    explicit TSelectedPreferredAddEditForm(QWidget* owner);

    // The weight typed, always 1 to 100: below 1 counts as 1, above 100 as 100, text that is
    // no whole number as 1.
    int WeightValue() const;
    void SetWeight(int weight);

    QLabel* Label2;
    TSpinEdit* Weight;
    QPushButton* const& HelpBtn = HelpButton;

protected:
    void LockFields() override;
};

} // namespace korvane
