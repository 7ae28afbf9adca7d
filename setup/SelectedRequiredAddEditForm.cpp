#include "setup/SelectedRequiredAddEditForm.h"

namespace korvane {

TSelectedRequiredAddEditForm::TSelectedRequiredAddEditForm(QWidget* owner)
    : TCriteriaEditDialog(owner, QSize(441, 143),
                          {{{"Add Selected Required Criteria", 320},
                            {"Edit Selected Required Criteria", 330},
                            {"Delete Selected Required Criteria", 340}}},
                          297) {}

} // namespace korvane
