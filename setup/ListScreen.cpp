#include "setup/ListScreen.h"

#include <QPainter>
#include <QPushButton>

#include <algorithm>

#include "data/DataBase.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "reports/PrintDestination.h"
#include "reports/ReportHeader.h"
#include "reports/ReportPreviewForm.h"
#include "setup/ListEditDialog.h"

namespace korvane {

QFont ScreenFont() {
    return QFont(QStringLiteral("MS Sans Serif"), 8);
}

QPushButton* NewButton(QWidget* parent, const char* name, const char* caption, const QRect& place) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

TListScreen::TListScreen(QWidget* owner, const TListScreenLayout& layout, TListPrintout printout)
    : QDialog(owner), Printout_(std::move(printout)), HelpContext_(layout.HelpContext) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromLatin1(layout.Caption));
    setFont(ScreenFont());
    setFixedSize(layout.ClientSize);
    for (const char* header : layout.ColHeaders) {
        Headers_.push_back(QString::fromLatin1(header));
    }

    DrawGrid1 = new TDrawGrid(this);
    DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
    DrawGrid1->SetOptions(layout.GridOptions);
    DrawGrid1->SetColWidths(layout.ColWidths);
    const int gridWidth = DrawGrid1->sizeHint().width();
    DrawGrid1->setGeometry(8, 8, gridWidth, layout.ClientSize.height() - 16);

    // The buttons stand in a column right of the grid, Help and Close at the bottom.
    constexpr int ButtonWidth = 89;
    constexpr int ButtonHeight = 25;
    constexpr int Gap = 6;
    const int free = layout.ClientSize.width() - (8 + gridWidth);
    const int left = 8 + gridWidth + std::max(8, (free - ButtonWidth) / 2);
    int top = 8;
    auto next = [&](const char* name, const char* caption) {
        QPushButton* button =
            NewButton(this, name, caption, QRect(left, top, ButtonWidth, ButtonHeight));
        top += ButtonHeight + Gap;
        return button;
    };
    AddBtn = next("AddBtn", "&Add");
    EditBtn = next("EditBtn", "&Edit");
    DeleteBtn = next("DeleteBtn", "&Delete");
    PrintBtn = next("PrintBtn", "&Print");
    top = layout.ClientSize.height() - 8 - 2 * ButtonHeight - Gap;
    HelpButton = next(layout.HelpButtonName, "&Help");
    CloseButton = next(layout.CloseButtonName, "&Close");
    // Enter presses the focused button, and Edit while the grid has the focus. On a screen
    // without a default button Enter must not pick one: its buttons answer clicks and Space.
    EditBtn->setDefault(layout.EditIsDefault);
    if (!layout.EditIsDefault) {
        for (QPushButton* button :
             {AddBtn, EditBtn, DeleteBtn, PrintBtn, HelpButton, CloseButton}) {
            button->setAutoDefault(false);
        }
    }

    DrawGrid1->SetOnDrawCell(
        [this](QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) {
            DrawGrid1DrawCell(canvas, col, row, rect, state);
        });
    connect(DrawGrid1, &TDrawGrid::DblClick, this, &TListScreen::DrawGrid1DblClick);
    connect(AddBtn, &QPushButton::clicked, this, [this] { AddBtnClick(); });
    connect(EditBtn, &QPushButton::clicked, this, [this] { EditBtnClick(); });
    connect(DeleteBtn, &QPushButton::clicked, this, [this] { DeleteBtnClick(); });
    connect(PrintBtn, &QPushButton::clicked, this, &TListScreen::PrintBtnClick);
    connect(HelpButton, &QPushButton::clicked, this, &TListScreen::HelpBtnClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    DrawGrid1->setFocus();
}

TListScreen::~TListScreen() = default;

void TListScreen::UpdateListState() {
    const int last = ListLastIndex();
    if (last < 0) {
        EditBtn->setEnabled(false);
        DeleteBtn->setEnabled(false);
        PrintBtn->setEnabled(false);
        DrawGrid1->SetRowCount(2);
        DrawGrid1->SetRow(1);
    } else {
        DrawGrid1->SetRowCount(last + 2);
        EditBtn->setEnabled(true);
        DeleteBtn->setEnabled(true);
        PrintBtn->setEnabled(true);
    }
}

void TListScreen::DrawGrid1DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                                    TGridDrawState state) {
    QString text;
    if (row == 0) {
        if (col >= 0 && col < static_cast<int>(Headers_.size())) {
            text = Headers_[static_cast<std::size_t>(col)];
        }
    } else if (ListLastIndex() >= 0) {
        text = CellText(col, row);
    }
    const bool right = row > 0 && col >= FirstRightAlignedColumn();
    // The first row never shows the focus rectangle.
    DrawCellText(*DrawGrid1, canvas, rect, text, state,
                 right ? TCellAlign::Right : TCellAlign::Left, row >= 2);
}

void TListScreen::DrawGrid1DblClick() {
    if (EditBtn->isEnabled()) {
        EditBtnClick();
    }
}

void TListScreen::HelpBtnClick() {
    ShowHelpTopic(HelpContext_);
}

void TListScreen::SelectAfterDelete() {
    if (DrawGrid1->Row() > 1) {
        DrawGrid1->SetRow(DrawGrid1->Row() - 1);
    }
}

TDataListScreen::TDataListScreen(QWidget* owner, const TListScreenLayout& layout,
                                 TListPrintout printout, const char* fileName)
    : TListScreen(owner, layout, std::move(printout)), FileName_(fileName) {}

TDataListScreen::~TDataListScreen() {
    FormDestroy();
}

void TDataListScreen::FormCreate() {
    SetHelpContext(this, HelpContextNumber());
    File_ = std::make_unique<TDataBase>(FileName_);
    DrawGrid1->SetDefaultRowHeight(QFontInfo(DrawGrid1->font()).pixelSize() + 4);
    UpdateListState();
}

void TDataListScreen::FormDestroy() {
    File_.reset();
}

int TDataListScreen::ListLastIndex() const {
    // A file that could be neither opened nor created holds no record to show.
    return File_ && File_->Opened() ? File_->LastIndex() : -1;
}

QString TDataListScreen::CellText(int col, int row) {
    if (row - 1 > ListLastIndex()) {
        return {};
    }
    TDataRecord record;
    File_->GoTo(record, row - 1);
    return RecordText(record, col);
}

bool TDataListScreen::RunDialog(std::uint8_t mode, TDataRecord& record) {
    std::unique_ptr<TListEditDialog> dialog = CreateDialog();
    dialog->SetMode(mode);
    Dialog_ = dialog.get();
    if (mode != TListEditDialog::AddMode) {
        LoadDialog(record);
    }
    const bool ok = dialog->exec() == QDialog::Accepted;
    if (ok && mode != TListEditDialog::DeleteMode) {
        StoreDialog(record);
    }
    Dialog_ = nullptr;
    return ok;
}

void TDataListScreen::AddBtnClick() {
    // A new record: ID 0 asks Insert for the next number, every other byte zero.
    TDataRecord record;
    record.Mark = '\0';
    if (RunDialog(TListEditDialog::AddMode, record)) {
        bool added = false;
        File_->Insert(record, added);
        if (!added) {
            // Either the file could not be opened, or every automatic number is taken (IDs
            // stop below 2000).
            ShowError(File_->Opened()
                          ? QStringLiteral("Error: No Free ID Number Is Left In This List; The "
                                           "Entry Was Not Saved")
                          : QStringLiteral("Error: %1 Could Not Be Opened; The Entry Was Not Saved")
                                .arg(QString::fromLatin1(FileName_)),
                      this);
        }
        DrawGrid1->Repaint();
    }
    UpdateListState();
}

bool TDataListScreen::IdUsedElsewhere(std::int32_t id, int index) {
    TDataRecord other;
    File_->First(other);
    while (File_->Status() == 0) {
        if (other.ID == id && File_->Cursor() != index) {
            return true;
        }
        File_->Next(other);
    }
    return false;
}

void TDataListScreen::EditBtnClick() {
    TDataRecord record;
    if (!RunDialog(TListEditDialog::EditMode, record)) {
        return;
    }
    const int index = DrawGrid1->Row() - 1;
    // An edit deletes and inserts again; with the ID twice in the file (a file from elsewhere)
    // the insert would be refused and the record lost.
    if (IdUsedElsewhere(record.ID, index)) {
        ShowError(QStringLiteral("Error: ID Number %1 Is Used Twice In This List; The Change "
                                 "Was Not Saved")
                      .arg(record.ID),
                  this);
        return;
    }
    File_->Delete(index);
    bool added = false;
    File_->Insert(record, added);
    UpdateListState();
    DrawGrid1->Repaint();
}

void TDataListScreen::DeleteBtnClick() {
    TDataRecord record;
    if (!RunDialog(TListEditDialog::DeleteMode, record)) {
        return;
    }
    File_->Delete(DrawGrid1->Row() - 1);
    SelectAfterDelete();
    UpdateListState();
    DrawGrid1->Repaint();
}

void TDataListScreen::LoadDialog(TDataRecord& record) {
    File_->GoTo(record, DrawGrid1->Row() - 1);
    if (Dialog_ != nullptr) {
        Dialog_->ShowRecord(record);
    }
}

void TDataListScreen::StoreDialog(TDataRecord& record) {
    if (Dialog_ != nullptr) {
        Dialog_->StoreRecord(record);
    }
}

void TDataListScreen::PrintRows(TReportPreviewForm& report) {
    TDataRecord record;
    File_->First(record);
    while (File_->Status() == 0) {
        PrintListRow(report, record);
        File_->Next(record);
    }
}

void TDataListScreen::PrintListRow(TReportPreviewForm& report, const TDataRecord& record) {
    WriteListRow(report, [&](int col) { return RecordText(record, col); });
}

} // namespace korvane

namespace korvane {

void TListScreen::PrintBtnClick() {
    const TPrintDestination to = SettingsDestination();
    if (ConfirmPrint(this, to)) {
        PrintList(to);
    }
}

void TListScreen::PrintList(const TPrintDestination& to) {
    auto report = std::make_unique<TReportPreviewForm>(this);
    report->BeginReport(to, false, false);
    PrintListHeader(*report);
    PrintRows(*report);
    PrintListFootnote(*report, Printout_);
    report->EndReport();
}

void TListScreen::PrintListHeader(TReportPreviewForm& report) {
    PrintListPageHeader(report, ListHeaderText(QString::fromLatin1(Printout_.Title)));
    PrintListBand(report, Printout_);
}

void TListScreen::WriteListRow(TReportPreviewForm& report,
                               const std::function<QString(int col)>& text) {
    PrintListCells(report, Printout_, text);
    report.NewLine();
    if (report.PageStarted()) {
        PrintListHeader(report);
    }
}

QString TDataListScreen::RecordText(const TDataRecord& record, int col) const {
    switch (col) {
    case 0:
        return QString::number(record.ID);
    case 1:
        return FromCodePage(record.Description);
    default:
        return {};
    }
}

} // namespace korvane
