#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "data/RateDataBase.h"
#include "data/RecusalFile.h"
#include "platform/ui/DrawGrid.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

class TApplicantPool;
class TSpinEdit;

// One committee member's ratings of an applicant: a points value from 0 to 5 for each selected
// preferred criterion and a short comment, stored in Rating.dat. Either one applicant, or all
// applicants still in the pool one after the other (Next and Previous save the sheet first).
// Made for the keyboard: every sheet opens with the first rating selected, Tab goes from rating
// to rating and then to the comment, Alt+S saves, Alt+N and Alt+P step. A pair under a decision
// (recused or abstained, Alt+R: Not Rating…) shows it, and its ratings and comment are locked.
class TRatingSheetForm : public QDialog {
    Q_OBJECT
public:
    explicit TRatingSheetForm(QWidget* owner);
    ~TRatingSheetForm() override;

    QLabel* CommitteeMember;
    QLabel* Applicant;
    QLabel* Decision; // the decision on the pair and its reason; empty without one
    QLineEdit* Comments;
    TDrawGrid* StringGrid1;
    std::array<TSpinEdit*, RatingCount> Rate; // Rate1 to Rate12
    QPushButton* NotRatingBtn;
    QPushButton* SaveBtn;
    QPushButton* PreviousBtn;
    QPushButton* NextBtn;
    QPushButton* HelpBtn;
    QPushButton* CloseBtn;
    QLabel* Position;   // "Applicant n Of m"
    QLabel* StatusLine; // what the last step did

    // Whose sheet it is; call before SetApplicant.
    void SetCommitteeMember(std::int32_t ID);
    // The applicant to rate, or 0 for all applicants in the pool from the first one; loads the
    // sheet.
    void SetApplicant(std::int32_t ID);

    void SaveBtnClick();
    // Asks why the member gives no rating (or lifts the decision) and records it in Recusal.dat
    // at once; unsaved ratings are settled first.
    void NotRatingBtnClick();
    void NextBtnClick();
    void PreviousBtnClick();
    void HelpBtnClick();
    void StringGrid1DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                             TGridDrawState state);

    std::int32_t ApplicantID() const { return ApplicantID_; }
    // True when the sheet shown stands in Rating.dat.
    bool Found() const { return Found_; }
    int CriteriaCount() const { return static_cast<int>(Criteria_.size()); }
    // Text of a criteria grid cell; row 1 is the first criterion.
    QString CellText(int col, int row) const;
    // True when what the sheet shows differs from what was loaded or last saved.
    bool Modified() const;
    // The decision on the pair shown, as read when the sheet was loaded.
    const std::optional<TDecision>& PairDecision() const { return Decision_; }

    // Close, Esc and the title bar: a sheet with changes asks whether to save them first.
    void reject() override;

private:
    void FormCreate();
    void FormDestroy();
    void FillCriteria();
    // Shows only the criteria there are: the form loses one 23-pixel row per missing criterion.
    void FitToCriteria();
    void LoadSheet();
    // Reads the pair's decision, shows it and locks or unlocks the ratings.
    void ShowDecision();
    // Changes not yet saved are saved or dropped as the user says; false when the user cancels
    // or the save fails.
    bool SettleChanges();
    // Stores the sheet; tells the user and returns false when Rating.dat did not take it.
    bool SaveSheet();
    void Step(bool forward);
    // Points that are no whole number from 0 to 5 are refused where they were typed.
    void RefusePoints(TSpinEdit* Box);

    std::unique_ptr<TRateDataBase> Ratings_;
    std::unique_ptr<TApplicantPool> Pool_;
    std::int32_t CommitteeID_ = 0;
    std::int32_t ApplicantID_ = 0;
    QString ApplicantName_;
    bool Navigating_ = false;
    TRateRecord Record_;
    bool Found_ = false;
    std::optional<TDecision> Decision_;
    bool DamageReported_ = false; // a damaged Recusal.dat is reported once per screen
    std::vector<std::array<QString, 4>> Criteria_;
    std::vector<QWidget*> BelowGrid_; // the controls that move up with the form's bottom
};

} // namespace korvane
