#include "rating/RateApplicantsForm.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QPushButton>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/ProcessState.h"
#include "data/SetupCounts.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/RadioGroup.h"
#include "platform/ui/ScreenKit.h"
#include "rating/ApplicantPool.h"
#include "rating/RatingMessages.h"
#include "setup/SetupPrecheck.h"

namespace korvane {

namespace {

constexpr int HelpContextNumber = 190;
constexpr unsigned GridOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect;

// A grid in a framed group of its own; the group fits the grid.
TRecordGrid* NewGroupedGrid(QGroupBox* group, const char* name, std::vector<int> widths,
                            int height) {
    auto* grid = new TRecordGrid(group);
    grid->setObjectName(QString::fromLatin1(name));
    grid->SetOptions(GridOptions);
    grid->SetColWidths(std::move(widths));
    grid->setGeometry(8, 20, grid->sizeHint().width(), height);
    group->resize(grid->width() + 16, height + 28);
    return grid;
}

QString RecordCellText(TDataBase& file, int lastIndex, int col, int row, bool veteranColumn) {
    const int index = row - 1;
    if (index < 0 || index > lastIndex) {
        return {};
    }
    TDataRecord rec;
    file.GoTo(rec, index);
    switch (col) {
    case 0:
        return QString::number(rec.ID);
    case 1:
        return FromCodePage(rec.Description);
    case 2:
        return veteranColumn ? QString::fromStdString(VeteranColumnText(rec.VeteranPreference))
                             : QString();
    default:
        return {};
    }
}

} // namespace

TRateApplicantsForm::TRateApplicantsForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("RateApplicantsForm"));
    setWindowTitle(QStringLiteral("Rate Applicants"));
    setWindowFlags(FixedDialogFlags());
    setFont(ScreenFont());

    constexpr int GridHeight = 224;
    GroupBox1 = new QGroupBox(QStringLiteral("Committee Members"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->move(8, 8);
    DrawGrid1 = NewGroupedGrid(GroupBox1, "DrawGrid1", {47, 172}, GridHeight);
    GroupBox2 = new QGroupBox(QStringLiteral("Applicants"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->move(GroupBox1->geometry().right() + 9, 8);
    DrawGrid2 = NewGroupedGrid(GroupBox2, "DrawGrid2", {62, 182, 36}, GridHeight);

    const int top = GroupBox1->geometry().bottom() + 9;
    RadioGroup1 = new TRadioGroup(
        QStringLiteral("Rating Options"),
        {QStringLiteral("Selected Applicant"), QStringLiteral("All Applicants")}, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(8, top, GroupBox1->width(), 64);

    const int width = GroupBox2->geometry().right() + 9;
    constexpr int ButtonWidth = 75;
    constexpr int ButtonHeight = 25;
    const int buttonTop = top + 64 - ButtonHeight;
    int left = width - 8 - 3 * ButtonWidth - 2 * 6;
    auto next = [&](const char* name, const char* caption) {
        QPushButton* button =
            NewButton(this, name, caption, QRect(left, buttonTop, ButtonWidth, ButtonHeight));
        left += ButtonWidth + 6;
        return button;
    };
    RateBtn = next("RateBtn", "&Rate");
    HelpBtn = next("HelpBtn", "&Help");
    BitBtn1 = next("BitBtn1", "&Cancel");
    // Enter in either grid rates.
    RateBtn->setDefault(true);
    setFixedSize(width, top + 64 + 8);

    DrawGrid1->Bind(
        {QStringLiteral("ID"), QStringLiteral("Name")},
        [this] { return Committee_ && Committee_->Opened() ? Committee_->LastIndex() + 1 : 0; },
        [this](int col, int row) { return MemberCellText(col, row); });
    DrawGrid2->Bind(
        {QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Vet")},
        [this] { return Pool_ ? Pool_->LastIndex() + 1 : 0; },
        [this](int col, int row) { return ApplicantCellText(col, row); });
    for (TRecordGrid* grid : {DrawGrid1, DrawGrid2}) {
        grid->SetFocusRectOnFirstRow(false);
    }
    connect(RateBtn, &QPushButton::clicked, this, &TRateApplicantsForm::RateBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TRateApplicantsForm::HelpBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(DrawGrid1, DrawGrid2);
    DrawGrid1->setFocus();
    FormCreate();
}

TRateApplicantsForm::~TRateApplicantsForm() {
    FormDestroy();
}

void TRateApplicantsForm::FormCreate() {
    Pool_ = std::make_unique<TApplicantPool>();
    SetHelpContext(this, HelpContextNumber);
    Committee_ = std::make_unique<TDataBase>(CommitteeFileName);
    for (TRecordGrid* grid : {DrawGrid1, DrawGrid2}) {
        grid->SetDefaultRowHeight(QFontInfo(grid->font()).pixelSize() + 4);
    }
    for (TRecordGrid* grid : {DrawGrid1, DrawGrid2}) {
        grid->Reload();
        grid->SetRow(1);
    }
    if (!Pool_->Complete()) {
        ShowPoolError(this);
    }
}

void TRateApplicantsForm::FormDestroy() {
    Committee_.reset();
    Pool_.reset();
}

QString TRateApplicantsForm::MemberCellText(int col, int row) {
    const int last = Committee_->Opened() ? Committee_->LastIndex() : -1;
    return RecordCellText(*Committee_, last, col, row, false);
}

QString TRateApplicantsForm::ApplicantCellText(int col, int row) {
    return RecordCellText(Pool_->File(), Pool_->LastIndex(), col, row, true);
}

void TRateApplicantsForm::RateBtnClick() {
    // A sheet for applicant 0 would be stored under no applicant at all.
    if (Pool_->LastIndex() < 0) {
        ShowError(QString::fromLatin1(NoApplicantInPool), this);
        return;
    }
    const int memberIndex = DrawGrid1->Row() - 1;
    if (!Committee_->Opened() || memberIndex < 0 || memberIndex > Committee_->LastIndex()) {
        ShowError(MissingSetupText(TSetupItem::CommitteeMembers), this);
        return;
    }
    TDataRecord member;
    Committee_->GoTo(member, memberIndex);
    CommitteeID_ = member.ID;
    if (RadioGroup1->ItemIndex() == 1) {
        ApplicantID_ = 0;
    } else {
        TDataRecord applicant;
        Pool_->File().GoTo(applicant, DrawGrid2->Row() - 1);
        ApplicantID_ = applicant.ID;
    }
    accept();
}

void TRateApplicantsForm::HelpBtnClick() {
    ShowHelpTopic(HelpContextNumber);
}

} // namespace korvane
