#pragma once

#include "setup/ListScreen.h"

namespace korvane {

// The committee members of the position (committee.dat).
class TCommitteeForm : public TDataListScreen {
    Q_OBJECT
public:
    explicit TCommitteeForm(QWidget* owner);

    QPushButton* const& HelpBtn = HelpButton;
    QPushButton* const& BitBtn5 = CloseButton;

protected:
    std::unique_ptr<TListEditDialog> CreateDialog() override;
    std::optional<TRatingRole> RatedAs() const override { return TRatingRole::Member; }
    QString DeleteRatingsQuestion(const TDataRecord& Record, int Count) const override;
};

} // namespace korvane
