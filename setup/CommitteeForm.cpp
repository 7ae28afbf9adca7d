#include "setup/CommitteeForm.h"

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "platform/ui/CodePage.h"
#include "setup/CommitteeAddEditForm.h"

namespace korvane {

namespace {

const TListScreenLayout Layout = {
    "Committee Members",
    QSize(414, 295),
    {56, 214},
    {"ID", "Name"},
    goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect | goThumbTracking,
    100,
    "HelpBtn",
    "BitBtn5",
    true,
};

TListPrintout Printout() {
    return {"Committee Members",
            2.0,
            6.5,
            {{2.05, "Committee ID"}, {3.0, nullptr}, {3.05, "Committee Member Name"}},
            {{0, 2.95, true}, {1, 3.05, false}}};
}

} // namespace

TCommitteeForm::TCommitteeForm(QWidget* owner)
    : TDataListScreen(owner, Layout, Printout(), CommitteeFileName, TNamedList::Members) {
    FormCreate();
}

std::unique_ptr<TListEditDialog> TCommitteeForm::CreateDialog() {
    return std::make_unique<TCommitteeAddEditForm>(this);
}

QString TCommitteeForm::DeleteRatingsQuestion(const TDataRecord& Record, int Count) const {
    return QStringLiteral("Committee Member %1 Has Given %2 Rating%3. The Ratings Are Deleted With "
                          "The Member. Delete The Member?")
        .arg(FromCodePage(Record.Description))
        .arg(Count)
        .arg(Count == 1 ? QString() : QStringLiteral("s"));
}

} // namespace korvane
