#include "setup/ListScreen.h"

#include "data/FileNames.h"

#include <QPainter>
#include <QPushButton>

#include <algorithm>

#include "data/ChangeLog.h"
#include "data/FinalRating.h"
#include "platform/ui/ChangeMessages.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "reports/PrintDestination.h"
#include "reports/ReportHeader.h"
#include "reports/ReportPreviewForm.h"
#include "setup/ListEditDialog.h"

namespace korvane {

TListScreen::TListScreen(QWidget* owner, const TListScreenLayout& layout, TListPrintout printout)
    : QDialog(owner), Layout_(layout), Printout_(std::move(printout)) {
    setWindowTitle(QString::fromLatin1(layout.Caption));
    setFont(ScreenFont());
    std::vector<QString> headers;
    for (const char* header : layout.ColHeaders) {
        headers.push_back(QString::fromLatin1(header));
    }

    DrawGrid1 = new TRecordGrid(this);
    DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
    DrawGrid1->Bind(
        std::move(headers), [this] { return ListLastIndex() + 1; },
        [this](int col, int row) { return CellText(col, row); });
    DrawGrid1->SetRightAlignedFrom(layout.FirstRightAlignedColumn);
    // The first row never shows the focus rectangle.
    DrawGrid1->SetFocusRectOnFirstRow(false);
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
    // Wide enough for the grid and the buttons, whatever width the face gives the grid.
    const QSize size(std::max(layout.ClientSize.width(), left + ButtonWidth + 8),
                     layout.ClientSize.height());
    if (layout.Resizable) {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
        resize(size);
        setMinimumSize(size);
    } else {
        MakeFixedDialog(this, size);
    }
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

    connect(DrawGrid1, &TDrawGrid::DblClick, this, &TListScreen::DrawGrid1DblClick);
    connect(AddBtn, &QPushButton::clicked, this, &TListScreen::AddBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TListScreen::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TListScreen::DeleteBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TListScreen::PrintBtnClick);
    connect(HelpButton, &QPushButton::clicked, this, &TListScreen::HelpBtnClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    DrawGrid1->setFocus();
}

TListScreen::~TListScreen() = default;

void TListScreen::UpdateListState() {
    const bool any = ListLastIndex() >= 0;
    DrawGrid1->Reload();
    EditBtn->setEnabled(any);
    DeleteBtn->setEnabled(any);
    PrintBtn->setEnabled(any);
}

void TListScreen::DrawGrid1DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                                    TGridDrawState state) {
    DrawGrid1->DrawRecordCell(canvas, col, row, rect, state);
}

void TListScreen::DrawGrid1DblClick() {
    if (Layout_.DoubleClickEdits && EditBtn->isEnabled()) {
        EditBtnClick();
    }
}

void TListScreen::HelpBtnClick() {
    ShowHelpTopic(Layout_.HelpContext);
}

bool TListScreen::RunDialog(std::uint8_t mode) {
    Dialog_ = CreateDialog();
    Dialog_->SetMode(mode);
    PrepareDialog();
    if (mode != TListEditDialog::AddMode) {
        LoadCurrentRecord();
    }
    return Dialog_->exec() == QDialog::Accepted;
}

void TListScreen::LogListChange(const std::string& What, std::int32_t ApplicantID,
                                std::int32_t MemberID) {
    if (!LogChange({Layout_.Caption, What, ApplicantID, MemberID}).Ok()) {
        ShowChangeNotLogged(this);
    }
}

void TListScreen::AddBtnClick() {
    if (RefusedChange(MayChange(), this)) {
        return;
    }
    const bool ok = RunDialog(TListEditDialog::AddMode);
    if (ok) {
        AddRecord();
        DrawGrid1->Repaint();
    }
    if (ok || Layout_.CancelRereadsButtons) {
        UpdateListState();
    }
    Dialog_.reset();
}

void TListScreen::EditBtnClick() {
    if (RefusedChange(MayChange(), this)) {
        return;
    }
    if (RunDialog(TListEditDialog::EditMode)) {
        EditRecord(DrawGrid1->Row() - 1);
        UpdateListState();
        DrawGrid1->Repaint();
    }
    Dialog_.reset();
}

void TListScreen::DeleteBtnClick() {
    if (RefusedChange(MayChange(), this)) {
        return;
    }
    if (RunDialog(TListEditDialog::DeleteMode)) {
        if (DeleteRecord(DrawGrid1->Row() - 1)) {
            SelectAfterDelete();
        }
        UpdateListState();
        DrawGrid1->Repaint();
    }
    Dialog_.reset();
}

void TListScreen::SelectAfterDelete() {
    if (DrawGrid1->Row() > 1) {
        DrawGrid1->SetRow(DrawGrid1->Row() - 1);
    }
}

void TListScreen::ShowWriteError(const char* fileName) {
    ShowError(QStringLiteral("Error: %1 Could Not Be Written; The Change Was Not Saved")
                  .arg(QString::fromLatin1(fileName)),
              this);
}

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

// --- Lists of named records --------------------------------------------------------------------

TDataListScreen::TDataListScreen(QWidget* owner, const TListScreenLayout& layout,
                                 TListPrintout printout, const char* fileName, TNamedList kind)
    : TListScreen(owner, layout, std::move(printout)), FileName_(fileName), Kind_(kind) {}

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

TDataRecord TDataListScreen::RecordAt(int Index) {
    TDataRecord record;
    if (Index >= 0 && Index <= ListLastIndex()) {
        File_->GoTo(record, Index);
    }
    return record;
}

QString TDataListScreen::CellText(int col, int row) {
    if (row - 1 > ListLastIndex()) {
        return {};
    }
    return RecordText(RecordAt(row - 1), col);
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

TDataRecord TDataListScreen::NewRecord() const {
    TDataRecord record;
    record.Mark = '\0';
    return record;
}

void TDataListScreen::LoadCurrentRecord() {
    TDataRecord record;
    LoadDialog(record);
}

void TDataListScreen::LoadDialog(TDataRecord& record) {
    File_->GoTo(record, DrawGrid1->Row() - 1);
    if (auto* dialog = static_cast<TNameEditDialog*>(OpenDialog())) {
        dialog->ShowValues(record.ID, FromCodePage(record.Description));
    }
}

void TDataListScreen::StoreDialog(TDataRecord& record) {
    if (auto* dialog = static_cast<TNameEditDialog*>(OpenDialog())) {
        record.Description = dialog->TextValue();
    }
}

void TDataListScreen::AddRecord() {
    TDataRecord record = NewRecord();
    StoreDialog(record);
    if (const auto role = RatedAs(); role && record.ID == 0) {
        TRateDataBase ratings(RatingFileName);
        record.ID = NextFreeID(*File_, *role, ratings);
    }
    bool added = false;
    File_->Insert(record, added);
    if (added) {
        LogRecordChange(nullptr, &record);
        return;
    }
    if (!File_->Opened()) {
        ShowError(QStringLiteral("Error: %1 Could Not Be Opened; The Entry Was Not Saved")
                      .arg(QString::fromLatin1(FileName_)),
                  this);
    } else if ((File_->Status() & stIOError) != 0) {
        ShowWriteError(FileName_);
    } else {
        // Every automatic number is taken (IDs stop below 2000).
        ShowError(QStringLiteral("Error: No Free ID Number Is Left In This List; The Entry Was "
                                 "Not Saved"),
                  this);
    }
}

void TDataListScreen::EditRecord(int Index) {
    const TDataRecord before = RecordAt(Index);
    TDataRecord record = before;
    StoreDialog(record);
    // One change: the record leaves its place and comes back in its sorted place.
    bool added = false;
    File_->ReplaceAt(Index, record, added);
    if (added) {
        LogRecordChange(&before, &record);
        return;
    }
    if ((File_->Status() & stIOError) != 0) {
        ShowWriteError(FileName_);
    } else {
        // The ID also stands on another record (a file from elsewhere): nothing was changed.
        ShowError(QStringLiteral("Error: ID Number %1 Is Used Twice In This List; The Change "
                                 "Was Not Saved")
                      .arg(record.ID),
                  this);
    }
}

bool TDataListScreen::DeleteRecord(int Index) {
    const auto role = RatedAs();
    const TDataRecord record = RecordAt(Index);
    if (!role) {
        const int before = File_->LastIndex();
        File_->Delete(Index);
        if (File_->LastIndex() == before) {
            ShowWriteError(FileName_);
            return false;
        }
        LogRecordChange(&record, nullptr);
        return true;
    }
    TRateDataBase ratings(RatingFileName);
    const int given = CountRatingsOf(ratings, *role, record.ID);
    if (given > 0 && !AskYesNo(DeleteRatingsQuestion(record, given), this)) {
        return false;
    }
    const int ratingsBefore = ratings.LastIndex();
    if (!DeleteWithRatings(*File_, Index, record.ID, *role, ratings)) {
        ShowWriteError(FileName_);
        return false;
    }
    LogRecordChange(&record, nullptr,
                    WithRatings(ratingsBefore - ratings.LastIndex(), "rating record"));
    return true;
}

void TDataListScreen::LogRecordChange(const TDataRecord* Before, const TDataRecord* After,
                                      const std::string& More) {
    const std::string what = NamedRecordChange(Kind_, Before, After);
    const std::int32_t id = (After != nullptr ? After : Before)->ID;
    LogListChange(what.empty() ? what : what + More, Kind_ == TNamedList::Applicants ? id : 0,
                  Kind_ == TNamedList::Members ? id : 0);
}

QString TDataListScreen::DeleteRatingsQuestion(const TDataRecord& Record, int Count) const {
    return QStringLiteral("%1 Has %2 Rating%3. The Ratings Are Deleted With It. Delete It?")
        .arg(FromCodePage(Record.Description))
        .arg(Count)
        .arg(Count == 1 ? QString() : QStringLiteral("s"));
}

void TDataListScreen::PrintRows(TReportPreviewForm& report) {
    TDataRecord record;
    File_->First(record);
    while (File_->Status() == 0) {
        WriteListRow(report, [&](int col) { return RecordText(record, col); });
        File_->Next(record);
    }
}

} // namespace korvane
