#include "setup/SelectedPreferredForm.h"

#include "data/FileNames.h"
#include "data/RateDataBase.h"
#include "data/RatingUpkeep.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/MessageBox.h"
#include "setup/SelectedPreferredAddEditForm.h"

namespace korvane {

namespace {

const TListScreenLayout Layout = {
    .Caption = "Selected Preferred Criteria",
    .ClientSize = QSize(469, 269),
    .ColWidths = {17, 53, 237, 38},
    .ColHeaders = {"*", "ID", "Description", "Weight"},
    .GridOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect | goRangeSelect,
    .HelpContext = 140,
    .HelpButtonName = "HelpBtn",
    .CloseButtonName = "BitBtn6",
    .EditIsDefault = false,
    .FirstRightAlignedColumn = 3,
    .DoubleClickEdits = false,
    .Resizable = true,
    .CancelRereadsButtons = false,
};

TListPrintout Printout() {
    return {"Selected Preferred Criteria",
            1.0,
            7.5,
            {{1.05, "ID Number"},
             {2.0, nullptr},
             {2.05, "Description"},
             {6.5, nullptr},
             {6.55, "Weight"}},
            {{0, 1.95, true}, {1, 2.05, false}, {2, 2.15, false}, {3, 7.45, true}},
            ReferenceCheckFootnote};
}

} // namespace

TSelectedPreferredForm::TSelectedPreferredForm(QWidget* owner)
    : TSelectListScreen(owner, Layout, Printout(), PreferredFileName, SamplePreferredFileName,
                        TSelectionList::Preferred) {
    FormCreate();
}

std::unique_ptr<TListEditDialog> TSelectedPreferredForm::CreateDialog() {
    return std::make_unique<TSelectedPreferredAddEditForm>(this);
}

void TSelectedPreferredForm::LoadDialog(TSelectRecord& record) {
    TSelectListScreen::LoadDialog(record);
    static_cast<TSelectedPreferredAddEditForm*>(CriteriaDialog())->SetWeight(record.Weight);
}

void TSelectedPreferredForm::StoreDialog(TSelectRecord& record) {
    TSelectListScreen::StoreDialog(record);
    record.Weight = static_cast<std::uint16_t>(
        static_cast<TSelectedPreferredAddEditForm*>(CriteriaDialog())->WeightValue());
}

bool TSelectedPreferredForm::FindSample(const TSelectRecord& record, TDataRecord& sample) {
    Samples().Find(sample, record.CriterionID);
    return (Samples().Status() & stNotFound) == 0 && Samples().Opened();
}

QString TSelectedPreferredForm::SelectionText(const TSelectRecord& record, int col) {
    TDataRecord sample;
    if (!FindSample(record, sample)) {
        return {};
    }
    switch (col) {
    case 0:
        return MarkText(sample.Mark);
    case 1:
        return QString::number(sample.ID);
    case 2:
        return FromCodePage(sample.Description);
    case 3:
        return QString::number(record.Weight);
    default:
        return {};
    }
}

QString TSelectedPreferredForm::PrintText(const TSelectRecord& record, int col) {
    switch (col) {
    case 0:
        return QString::number(record.CriterionID);
    case 1: {
        // A criterion gone from the sample list has no mark to print.
        TDataRecord sample;
        return FindSample(record, sample) ? MarkText(sample.Mark) : QString();
    }
    case 2:
        return FromCodePage(Samples().GetDescription(record.CriterionID));
    case 3:
        return QString::number(record.Weight);
    default:
        return {};
    }
}

bool TSelectedPreferredForm::DeleteRecord(int Index) {
    const int criterion = Index + 1;
    TRateDataBase ratings(RatingFileName);
    const int given = ratings.CountRatings(criterion);
    if (given > 0 &&
        !AskYesNo(QStringLiteral("Committee Members Have Given %1 Rating%2 On This Criterion. "
                                 "The Ratings Are Deleted With It; The Ratings Of The Criteria "
                                 "Below It Keep Their Criteria. Delete It?")
                      .arg(given)
                      .arg(given == 1 ? QString() : QStringLiteral("s")),
                  this)) {
        return false;
    }
    const TSelectRecord record = SelectionAt(Index);
    if (!DeletePreferredWithRatings(Selections(), Index, ratings)) {
        ShowWriteError(PreferredFileName);
        return false;
    }
    LogSelectionChange(criterion, &record, nullptr, WithRatings(given, "rating"));
    return true;
}

bool TSelectedPreferredForm::ConfirmEdit(int Index, const TSelectRecord& Before,
                                         const TSelectRecord& After) {
    if (Before.CriterionID == After.CriterionID) {
        return true;
    }
    TRateDataBase ratings(RatingFileName);
    const int given = ratings.CountRatings(Index + 1);
    return given == 0 ||
           AskYesNo(QStringLiteral("Committee Members Have Given %1 Rating%2 On \"%3\". After "
                                   "The Change They Count For \"%4\". Change The Criterion?")
                        .arg(given)
                        .arg(given == 1 ? QString() : QStringLiteral("s"))
                        .arg(FromCodePage(Samples().GetDescription(Before.CriterionID)))
                        .arg(FromCodePage(Samples().GetDescription(After.CriterionID))),
                    this);
}

} // namespace korvane
