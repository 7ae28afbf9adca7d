#pragma once

#include "setup/ListScreen.h"

namespace korvane {

// The catalogue of sample required criteria (SampleRe.dat).
class TSampleRequired : public TDataListScreen {
    Q_OBJECT
public:
    explicit TSampleRequired(QWidget* owner);

    QPushButton* const& HelpBtn = HelpButton;
    QPushButton* const& BitBtn1 = CloseButton;

protected:
    std::unique_ptr<TListEditDialog> CreateDialog() override;
};

} // namespace korvane
