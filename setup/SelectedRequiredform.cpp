#include "setup/SelectedRequiredform.h"

#include "data/FileNames.h"
#include "platform/ui/CodePage.h"
#include "setup/SelectedRequiredAddEditForm.h"

namespace korvane {

namespace {

const TListScreenLayout Layout = {
    "Selected Required Criteria",
    QSize(499, 257),
    {54, 306},
    {"ID", "Description"},
    goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect | goRangeSelect | goThumbTracking,
    120,
    "BitBtn5",
    "BitBtn6",
    false,
    3,
    true,
    false,
    false,
};

TListPrintout Printout() {
    return {"Selected Required Criteria",
            2.0,
            6.5,
            {{2.05, "ID Number"}, {3.0, nullptr}, {3.05, "Description"}},
            {{0, 2.95, true}, {1, 3.05, false}}};
}

} // namespace

TSelectedRequiredform::TSelectedRequiredform(QWidget* owner)
    : TSelectListScreen(owner, Layout, Printout(), RequiredFileName, SampleRequiredFileName,
                        TSelectionList::Required) {
    FormCreate();
}

std::unique_ptr<TListEditDialog> TSelectedRequiredform::CreateDialog() {
    return std::make_unique<TSelectedRequiredAddEditForm>(this);
}

QString TSelectedRequiredform::SelectionText(const TSelectRecord& record, int col) {
    switch (col) {
    case 0:
        return QString::number(record.CriterionID);
    case 1:
        return FromCodePage(Samples().GetDescription(record.CriterionID));
    default:
        return {};
    }
}

QString TSelectedRequiredform::PrintText(const TSelectRecord& record, int col) {
    return SelectionText(record, col);
}

} // namespace korvane
