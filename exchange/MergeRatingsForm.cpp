#include "exchange/MergeRatingsForm.h"

#include <QListWidget>
#include <QPushButton>

#include <string>

#include "data/FileNames.h"
#include "data/RatingMerge.h"
#include "exchange/MergeConflictsForm.h"
#include "exchange/MergeTexts.h"
#include "exchange/PositionDisk.h"
#include "platform/sys/Drives.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

namespace {

// The skipped pairs a summary lists by name; the rest are counted.
constexpr qsizetype ListedSkipped = 10;

// The summary line, then the pairs skipped.
QString SummaryText(const TRatingMerge& Merge) {
    QString text = MergeSummaryText(Merge.Counts());
    const QStringList skipped = SkippedPairTexts(Merge);
    if (!skipped.isEmpty()) {
        text += QStringLiteral("\n\nSkipped:\n") +
                skipped.mid(0, ListedSkipped).join(QLatin1Char('\n'));
    }
    if (skipped.size() > ListedSkipped) {
        text += QStringLiteral("\nAnd ") + QString::number(skipped.size() - ListedSkipped) +
                QStringLiteral(" More");
    }
    return text;
}

} // namespace

TMergeRatingsForm::TMergeRatingsForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("MergeRatingsForm"));
    setWindowTitle(QStringLiteral("Merge Ratings From Disk"));
    MakeFixedDialog(this, QSize(297, 258));
    setFont(ScreenFont());

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 281, 201);
    MergeBtn = NewButton(this, "MergeBtn", "&Merge", QRect(8, 223, 89, 25));
    BitBtn2 = NewButton(this, "BitBtn2", "&Help", QRect(104, 223, 89, 25));
    BitBtn1 = NewButton(this, "BitBtn1", "Cancel", QRect(200, 223, 89, 25));
    MergeBtn->setDefault(true);

    connect(MergeBtn, &QPushButton::clicked, this, &TMergeRatingsForm::MergeBtnClick);
    connect(BitBtn2, &QPushButton::clicked, this, [] { ShowHelpTopic(MergeHelpContext); });
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { CloseWith(*this, TModalResult::Cancel); });
    FormCreate();
}

void TMergeRatingsForm::FormCreate() {
    SetHelpContext(this, MergeHelpContext);
    FillDriveList(ListBox1, MergeBtn);
}

void TMergeRatingsForm::MergeBtnClick() {
    const char letter = SelectedDriveLetter(ListBox1);
    if (letter == 0) {
        return;
    }
    const std::string root = DriveRoot(letter);
    // Without the disk, or with another position's, the user may choose another drive.
    if (!WaitForDisk(PositionDiskNumber, root, this) || !CheckDiskPositionForMerge(letter, this)) {
        return;
    }
    CloseWith(*this, MergeFrom(root));
}

TModalResult TMergeRatingsForm::MergeFrom(const std::string& Root) {
    TRatingMerge merge;
    if (const TMergeCheck check = merge.Read(Root); !check.Ok()) {
        ShowError(MergeRefusalText(check), this);
        return TModalResult::No;
    }
    if (!merge.Conflicts().empty()) {
        TMergeConflictsForm conflicts(merge, this);
        if (ShowModal(conflicts) != TModalResult::Ok) {
            return TModalResult::Cancel;
        }
    }
    if (!merge.Changes()) {
        ShowInformation(SummaryText(merge), this);
        return TModalResult::Ok;
    }
    // Yes replaces this position's ratings: Enter answers No.
    if (!AskYesNo(SummaryText(merge) +
                      QStringLiteral("\n\nMerge These Ratings Into This Position?"),
                  this)) {
        return TModalResult::Cancel;
    }
    TRateDataBase ratings(RatingFileName);
    if (!merge.Commit(ratings)) {
        ShowError(MergeNotWrittenText(), this);
        return TModalResult::No;
    }
    ShowInformation(MergeSummaryText(merge.Counts()), this);
    return TModalResult::Ok;
}

} // namespace korvane
