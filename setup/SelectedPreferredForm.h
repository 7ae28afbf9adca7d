#pragma once

#include "setup/SelectListScreen.h"

namespace korvane {

// The preferred criteria on which the committee rates the applicants, each with its weight,
// picked from the sample preferred criteria (Preferre.dat over SamplePr.dat).
class TSelectedPreferredForm : public TSelectListScreen {
    Q_OBJECT
public:
    explicit TSelectedPreferredForm(QWidget* owner);

    // The weight with the fields every selection has.
    void LoadDialog(TSelectRecord& record) override;
    void StoreDialog(TSelectRecord& record) override;

    QPushButton* const& HelpBtn = HelpButton;
    QPushButton* const& BitBtn6 = CloseButton;

protected:
    std::unique_ptr<TListEditDialog> CreateDialog() override;
    // Mark, ID, text and weight of the sample criterion; an empty row when it is gone.
    QString SelectionText(const TSelectRecord& record, int col) override;
    // ID, mark, text ("Description For ID Number Not Found" when gone) and weight.
    QString PrintText(const TSelectRecord& record, int col) override;
    // Ratings are stored by position: the ratings of the later criteria move down one place
    // with it, after the user agreed to lose the ratings given for this one.
    bool DeleteRecord(int Index) override;
    // Ratings given on a criterion would count for the one put in its place: the user agrees
    // first.
    bool ConfirmEdit(int Index, const TSelectRecord& Before, const TSelectRecord& After) override;

private:
    // The sample criterion of a selection; false when it is no longer in the sample list.
    bool FindSample(const TSelectRecord& record, TDataRecord& sample);
};

} // namespace korvane
