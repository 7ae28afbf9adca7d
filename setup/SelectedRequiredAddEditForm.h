#pragma once

#include "setup/ListEditDialog.h"

namespace korvane {

// Adds, changes or removes one selected required criterion (modes 0, 1, 2 of SetMode).
class TSelectedRequiredAddEditForm : public TCriteriaEditDialog {
    Q_OBJECT
public:
    explicit TSelectedRequiredAddEditForm(QWidget* owner);

    void HelpBtnClick() { ShowModeHelp(); }

    QPushButton* const& HelpBtn = HelpButton;
};

} // namespace korvane
