#pragma once

#include "setup/ListScreen.h"

namespace korvane {

// The applicants for the position with their veteran choice and screening status
// (Applicant.Dat). Applicants from the official list, or added in the administrative mode, may
// be renamed and deleted only in that mode; those an ordinary user adds carry the mark "*".
class TApplicantForm : public TDataListScreen {
    Q_OBJECT
public:
    explicit TApplicantForm(QWidget* owner);

    // Delete is enabled by a row selection alone: for a "*" applicant, or in the
    // administrative mode. The selection is always allowed.
    bool DrawGrid1SelectCell(int col, int row);
    // The rule of the list screens, with Delete disabled until a row is selected again.
    void UpdateListState() override;

    // Name, veteran choice and status; an applicant with the mark "*" may always be renamed.
    void LoadDialog(TDataRecord& record) override;
    void StoreDialog(TDataRecord& record) override;

    QPushButton* const& HelpBtn = HelpButton;
    QPushButton* const& BitBtn1 = CloseButton;

protected:
    std::unique_ptr<TListEditDialog> CreateDialog() override;
    std::optional<TRatingRole> RatedAs() const override { return TRatingRole::Applicant; }
    QString DeleteRatingsQuestion(const TDataRecord& Record, int Count) const override;
    // Marked "*" outside the administrative mode, a blank in it.
    TDataRecord NewRecord() const override;
    // ID, mark, name, veteran percentage and status level, for the grid and the printout.
    QString RecordText(const TDataRecord& record, int col) const override;
};

} // namespace korvane
