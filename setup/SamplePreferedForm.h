#pragma once

#include "setup/ListScreen.h"

namespace korvane {

// The catalogue of sample preferred criteria with their reference-check mark (SamplePr.dat).
class TSamplePreferedForm : public TDataListScreen {
    Q_OBJECT
public:
    explicit TSamplePreferedForm(QWidget* owner);

    QPushButton* const& HelpBtn = HelpButton;
    QPushButton* const& BitBtn1 = CloseButton;

    // The reference-check mark with the fields every list has: "*" when RefCheck is checked.
    void LoadDialog(TDataRecord& record) override;
    void StoreDialog(TDataRecord& record) override;

protected:
    std::unique_ptr<TListEditDialog> CreateDialog() override;
    QString RecordText(const TDataRecord& record, int col) const override;
};

} // namespace korvane
