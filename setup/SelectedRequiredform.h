#pragma once

#include "setup/SelectListScreen.h"

namespace korvane {

// The required criteria that apply to the position, picked from the sample required criteria
// (Required.dat over SampleRe.dat).
class TSelectedRequiredform : public TSelectListScreen {
    Q_OBJECT
public:
    explicit TSelectedRequiredform(QWidget* owner);

    QPushButton* const& BitBtn5 = HelpButton;
    QPushButton* const& BitBtn6 = CloseButton;

protected:
    std::unique_ptr<TListEditDialog> CreateDialog() override;
    // The criterion's ID and its text from the sample list.
    QString SelectionText(const TSelectRecord& record, int col) override;
    QString PrintText(const TSelectRecord& record, int col) override;
};

} // namespace korvane
