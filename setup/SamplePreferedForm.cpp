#include "setup/SamplePreferedForm.h"

#include <QCheckBox>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "platform/ui/CodePage.h"
#include "setup/SamplePreferedAddEditForm.h"

namespace korvane {

namespace {

const TListScreenLayout Layout = {
    "Sample Preferred Criteria",
    QSize(509, 283),
    {53, 18, 278},
    {"ID", "*", "Description"},
    goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect | goRangeSelect | goThumbTracking,
    130,
    "HelpBtn",
    "BitBtn1",
    true,
};

TListPrintout Printout() {
    return {"Sample Preferred Criteria",
            2.0,
            6.5,
            {{2.05, "ID Number"}, {3.0, nullptr}, {3.05, "Description"}},
            {{0, 2.95, true}, {1, 3.05, false}, {2, 3.15, false}},
            ReferenceCheckFootnote};
}

} // namespace

TSamplePreferedForm::TSamplePreferedForm(QWidget* owner)
    : TDataListScreen(owner, Layout, Printout(), SamplePreferredFileName,
                      TNamedList::SamplePreferred) {
    FormCreate();
}

std::unique_ptr<TListEditDialog> TSamplePreferedForm::CreateDialog() {
    return std::make_unique<TSamplePreferedAddEditForm>(this);
}

void TSamplePreferedForm::LoadDialog(TDataRecord& record) {
    TDataListScreen::LoadDialog(record);
    static_cast<TSamplePreferedAddEditForm*>(OpenDialog())
        ->RefCheck->setChecked(record.Mark == '*');
}

void TSamplePreferedForm::StoreDialog(TDataRecord& record) {
    TDataListScreen::StoreDialog(record);
    record.Mark =
        static_cast<TSamplePreferedAddEditForm*>(OpenDialog())->RefCheck->isChecked() ? '*' : ' ';
}

QString TSamplePreferedForm::RecordText(const TDataRecord& record, int col) const {
    switch (col) {
    case 0:
        return QString::number(record.ID);
    case 1:
        return MarkText(record.Mark);
    case 2:
        return FromCodePage(record.Description);
    default:
        return {};
    }
}

} // namespace korvane
