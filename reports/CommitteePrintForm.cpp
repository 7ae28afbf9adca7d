#include "reports/CommitteePrintForm.h"

#include <QPushButton>

#include "data/FileNames.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/Display.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

namespace {

constexpr int Margin = 8;
constexpr int GridHeight = 225;
constexpr int OptionsWidth = 121;
constexpr int ButtonWidth = 89;
constexpr int ButtonHeight = 25;

} // namespace

TCommitteePrintForm::TCommitteePrintForm(QWidget* owner, const char* caption, int helpContext,
                                         std::vector<int> colWidths, int optionsHeight)
    : QDialog(owner), HelpContext_(helpContext) {
    setWindowTitle(QString::fromLatin1(caption));
    setWindowFlags(FixedDialogFlags());
    setFont(ScreenFont());

    DrawGrid1 = new TRecordGrid(this);
    DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
    DrawGrid1->Bind(
        {QStringLiteral("ID"), QStringLiteral("Name")},
        [this] { return File_ && File_->Opened() ? File_->LastIndex() + 1 : 0; },
        [this](int col, int row) {
            const TDataRecord record = RecordAt(row - 1);
            return col == 0 ? QString::number(record.ID) : FromCodePage(record.Description);
        });
    DrawGrid1->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect |
                          goThumbTracking);
    DrawGrid1->SetColWidths(std::move(colWidths));
    const int gridWidth = DrawGrid1->sizeHint().width();
    DrawGrid1->setGeometry(Margin, Margin, gridWidth, GridHeight);

    const int left = 2 * Margin + gridWidth;
    OptionsPlace_ = QRect(left, Margin, OptionsWidth, optionsHeight);
    const int buttonLeft = left + (OptionsWidth - ButtonWidth) / 2;
    auto button = [&](const char* name, const char* text, int top) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(buttonLeft, top, ButtonWidth, ButtonHeight);
        return b;
    };
    const int bottom = Margin + GridHeight;
    PrintBtn = button("PrintBtn", "&Print", OptionsPlace_.bottom() + 1 + Margin);
    PrintBtn->setDefault(true);
    HelpBtn = button("HelpBtn", "&Help", bottom - 2 * ButtonHeight - 6);
    CancelBtn = button("CancelBtn", "Cancel", bottom - ButtonHeight);
    setFixedSize(left + OptionsWidth + Margin, bottom + Margin);

    connect(PrintBtn, &QPushButton::clicked, this, &TCommitteePrintForm::PrintBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { ShowHelpTopic(HelpContext_); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
    CentreOnScreen(this);
}

TCommitteePrintForm::~TCommitteePrintForm() {
    FormDestroy();
}

void TCommitteePrintForm::FormCreate() {
    SetHelpContext(this, HelpContext_);
    File_ = std::make_unique<TDataBase>(CommitteeFileName);
    DrawGrid1->SetDefaultRowHeight(QFontInfo(DrawGrid1->font()).pixelSize() + 4);
    DrawGrid1->Reload();
    DrawGrid1->SetRow(1);
    DrawGrid1->setFocus();
}

void TCommitteePrintForm::FormDestroy() {
    File_.reset();
}

TDataRecord TCommitteePrintForm::RecordAt(int index) {
    TDataRecord record;
    if (File_ && File_->Opened() && index >= 0 && index <= File_->LastIndex()) {
        File_->GoTo(record, index);
    }
    return record;
}

bool TCommitteePrintForm::SelectMember(std::int32_t ID) {
    TDataRecord record;
    File_->Find(record, ID);
    if ((File_->Status() & (stNotFound | stNotOpen)) != 0) {
        return false;
    }
    DrawGrid1->SetRow(File_->Cursor() + 1);
    return true;
}

TMemberChoice TCommitteePrintForm::Choice() {
    return {AllMembers(), RecordAt(DrawGrid1->Row() - 1).ID};
}

void TCommitteePrintForm::PrintBtnClick() {
    const TPrintDestination to = SettingsDestination();
    if (ReadyToPrint() && ConfirmPrint(this, to)) {
        Print(to);
    }
    accept();
}

} // namespace korvane
