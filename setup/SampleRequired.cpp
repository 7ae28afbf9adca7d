#include "setup/SampleRequired.h"

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "setup/SampleRequiredAddEditForm.h"

namespace korvane {

namespace {

const TListScreenLayout Layout = {
    "Sample Required Criteria",
    QSize(508, 283),
    {51, 292},
    {"ID", "Description"},
    goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect | goRangeSelect | goThumbTracking,
    110,
    "HelpBtn",
    "BitBtn1",
    true,
};

TListPrintout Printout() {
    return {"Sample Required Criteria",
            2.0,
            6.5,
            {{2.05, "ID Number"}, {3.0, nullptr}, {3.05, "Description"}},
            {{0, 2.95, true}, {1, 3.05, false}}};
}

} // namespace

TSampleRequired::TSampleRequired(QWidget* owner)
    : TDataListScreen(owner, Layout, Printout(), SampleRequiredFileName,
                      TNamedList::SampleRequired) {
    FormCreate();
}

std::unique_ptr<TListEditDialog> TSampleRequired::CreateDialog() {
    return std::make_unique<TSampleRequiredAddEditForm>(this);
}

} // namespace korvane
