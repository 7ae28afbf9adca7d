#include "rating/RatingSheetForm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

#include "data/ChangeLog.h"
#include "data/ChangeText.h"
#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/FinalRating.h"
#include "data/SelectDataBase.h"
#include "platform/ui/ChangeMessages.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScreenKit.h"
#include "platform/ui/SpinEdit.h"
#include "rating/ApplicantPool.h"
#include "rating/NotRatingForm.h"
#include "rating/RatingMessages.h"
#include "reports/RatingWarnings.h"

namespace korvane {

namespace {

constexpr int HelpContextNumber = 190;
constexpr int RowPitch = 23; // one criterion row, its grid line included
constexpr int FullCriteria = static_cast<int>(RatingCount);

// Alt and the underlined letter press the button at once. The button's own mnemonic would
// press it only after a short animation, and the digits a member types on meanwhile would land
// on the button instead of the next sheet.
void PressOnAltKey(QPushButton* button, Qt::Key key) {
    button->setShortcut(QKeySequence());
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), button->window());
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled()) {
            button->click();
        }
    });
}

QString Message(const char* text) {
    return QString::fromLatin1(text).arg(QString::fromLatin1(RatingFileName));
}

} // namespace

TRatingSheetForm::TRatingSheetForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("RatingSheetForm"));
    setWindowTitle(QStringLiteral("Rating Sheet"));
    setWindowFlags(FixedDialogFlags());
    setFont(ScreenFont());

    NewLabel(this, "Label1", QStringLiteral("Committee Member:"), QRect(8, 10, 112, 16));
    NewLabel(this, "Label2", QStringLiteral("Applicant:"), QRect(8, 30, 112, 16));
    CommitteeMember = NewLabel(this, "CommitteeMember", QString(), QRect(124, 10, 280, 16));
    Applicant = NewLabel(this, "Applicant", QString(), QRect(124, 30, 280, 16));
    Decision = NewLabel(this, "Decision", QString(), QRect(8, 50, 396, 16));
    QFont bold = ScreenFont();
    bold.setBold(true);
    Decision->setFont(bold);

    StringGrid1 = new TDrawGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
    StringGrid1->SetColWidths({19, 12, 265, 42});
    StringGrid1->SetDefaultRowHeight(RowPitch - 1);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setFocusPolicy(Qt::NoFocus);
    QPalette face = StringGrid1->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    StringGrid1->setPalette(face);
    const int frame = StringGrid1->frameWidth();
    int gridWidth = 2 * frame;
    for (int col = 0; col < StringGrid1->ColCount(); ++col) {
        gridWidth += StringGrid1->ColWidth(col) + 1;
    }
    constexpr int GridTop = 74;
    const int firstRowTop = GridTop + frame + RowPitch;
    StringGrid1->setGeometry(8, GridTop, gridWidth, 2 * frame + (FullCriteria + 1) * RowPitch);

    const int spinLeft = 8 + gridWidth + 6;
    constexpr int SpinWidth = 48;
    NewLabel(this, "Label3", QStringLiteral("Points"),
             QRect(spinLeft, GridTop + frame + 4, SpinWidth, 16));
    for (int n = 0; n < FullCriteria; ++n) {
        auto* spin = new TSpinEdit(0, 5, this);
        spin->setObjectName(QStringLiteral("Rate%1").arg(n + 1));
        spin->setGeometry(spinLeft, firstRowTop + n * RowPitch, SpinWidth, RowPitch - 1);
        spin->SetStrict(true);
        connect(spin, &TSpinEdit::Refused, this, [this, spin] {
            // Unless a message already says it (the refused box lost the focus to a button).
            const QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal == this) {
                RefusePoints(spin);
            }
        });
        spin->hide();
        Rate[static_cast<std::size_t>(n)] = spin;
    }
    const int width = spinLeft + SpinWidth + 8;

    const int commentsTop = StringGrid1->geometry().bottom() + 9;
    QLabel* commentsLabel =
        NewLabel(this, "Label4", QStringLiteral("Comments:"), QRect(8, commentsTop + 3, 68, 16));
    Comments = new QLineEdit(this);
    Comments->setObjectName(QStringLiteral("Comments"));
    Comments->setMaxLength(static_cast<int>(MaxCommentsLength));
    constexpr int NotRatingWidth = 88;
    Comments->setGeometry(80, commentsTop, width - 8 - 80 - 8 - NotRatingWidth, 22);
    NotRatingBtn =
        NewButton(this, "NotRatingBtn", "",
                  QRect(width - 8 - NotRatingWidth, commentsTop - 1, NotRatingWidth, 25));
    NotRatingBtn->setText(QStringLiteral("Not &Rating\u2026"));
    Decision->resize(width - 16, Decision->height());

    const int buttonTop = commentsTop + 22 + 10;
    constexpr int ButtonWidth = 72;
    constexpr int ButtonHeight = 25;
    int left = 8;
    auto next = [&](const char* name, const char* caption) {
        QPushButton* button =
            NewButton(this, name, caption, QRect(left, buttonTop, ButtonWidth, ButtonHeight));
        left += ButtonWidth + (width - 16 - 5 * ButtonWidth) / 4;
        return button;
    };
    SaveBtn = next("SaveBtn", "&Save");
    PreviousBtn = next("PreviousBtn", "&Previous");
    NextBtn = next("NextBtn", "&Next");
    HelpBtn = next("HelpBtn", "&Help");
    CloseBtn = next("CloseBtn", "&Close");
    // Enter saves; stepping on is always a choice of its own.
    SaveBtn->setDefault(true);
    PreviousBtn->setEnabled(false);
    NextBtn->setEnabled(false);
    PressOnAltKey(SaveBtn, Qt::Key_S);
    PressOnAltKey(PreviousBtn, Qt::Key_P);
    PressOnAltKey(NextBtn, Qt::Key_N);
    PressOnAltKey(NotRatingBtn, Qt::Key_R);
    const int statusTop = buttonTop + ButtonHeight + 6;
    Position = NewLabel(this, "Position", QString(), QRect(8, statusTop, 120, 16));
    StatusLine = NewLabel(this, "StatusLine", QString(), QRect(132, statusTop, width - 140, 16));
    StatusLine->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFixedSize(width, statusTop + 16 + 6);
    BelowGrid_ = {commentsLabel, Comments, NotRatingBtn, SaveBtn,  PreviousBtn,
                  NextBtn,       HelpBtn,  CloseBtn,     Position, StatusLine};

    // Tab goes from rating to rating in criterion order, then to the comment and the buttons.
    std::vector<QWidget*> order(Rate.begin(), Rate.end());
    order.insert(order.end(),
                 {Comments, NotRatingBtn, SaveBtn, PreviousBtn, NextBtn, HelpBtn, CloseBtn});
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    StringGrid1->SetOnDrawCell(
        [this](QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) {
            StringGrid1DrawCell(canvas, col, row, rect, state);
        });
    connect(SaveBtn, &QPushButton::clicked, this, &TRatingSheetForm::SaveBtnClick);
    connect(NotRatingBtn, &QPushButton::clicked, this, &TRatingSheetForm::NotRatingBtnClick);
    connect(PreviousBtn, &QPushButton::clicked, this, &TRatingSheetForm::PreviousBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TRatingSheetForm::NextBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TRatingSheetForm::HelpBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

TRatingSheetForm::~TRatingSheetForm() {
    FormDestroy();
}

void TRatingSheetForm::FormCreate() {
    Ratings_ = std::make_unique<TRateDataBase>(RatingFileName);
    Pool_ = std::make_unique<TApplicantPool>();
    SetHelpContext(this, HelpContextNumber);
    FillCriteria();
    FitToCriteria();
    if (!Pool_->Complete()) {
        ShowPoolError(this);
    }
}

void TRatingSheetForm::FormDestroy() {
    Pool_.reset();
    Ratings_.reset();
}

void TRatingSheetForm::FillCriteria() {
    TSelectDataBase selected(PreferredFileName);
    TDataBase samples(SamplePreferredFileName);
    TSelectRecord selection;
    selected.First(selection);
    while (selected.Status() == 0 && CriteriaCount() < FullCriteria) {
        TDataRecord sample;
        samples.Find(sample, selection.CriterionID);
        const bool gone = !samples.Opened() || (samples.Status() & stNotFound) != 0;
        QString mark;
        if (!gone && sample.Mark != '\0') {
            mark = FromCodePage(std::string(1, sample.Mark));
        }
        Criteria_.push_back(
            {QString::number(CriteriaCount() + 1), mark,
             gone ? QString::fromLatin1(DescriptionNotFound) : FromCodePage(sample.Description),
             QString::number(selection.Weight)});
        Rate[Criteria_.size() - 1]->show();
        selected.Next(selection);
    }
    StringGrid1->SetRowCount(CriteriaCount() + 1);
}

void TRatingSheetForm::FitToCriteria() {
    const int change = CriteriaCount() * RowPitch - FullCriteria * RowPitch;
    StringGrid1->resize(StringGrid1->width(), StringGrid1->height() + change);
    for (QWidget* widget : BelowGrid_) {
        widget->move(widget->x(), widget->y() + change);
    }
    setFixedSize(width(), height() + change);
}

QString TRatingSheetForm::CellText(int col, int row) const {
    if (col < 0 || col > 3 || row < 1 || row > CriteriaCount()) {
        return {};
    }
    return Criteria_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col)];
}

void TRatingSheetForm::StringGrid1DrawCell(QPainter& canvas, int col, int row, const QRect& rect,
                                           TGridDrawState state) {
    static const QString Headers[] = {QString(), QString(),
                                      QStringLiteral("Selected Preferred Criteria"),
                                      QStringLiteral("Weight")};
    if (row == 0) {
        DrawCellText(*StringGrid1, canvas, rect, Headers[col], state, TCellAlign::Left, false);
        return;
    }
    // A list to read, not to choose from: no row shows as selected.
    canvas.setBrush(StringGrid1->palette().brush(QPalette::Base));
    canvas.setPen(StringGrid1->palette().color(QPalette::Text));
    DrawCellText(*StringGrid1, canvas, rect, CellText(col, row), TGridDrawState{},
                 col == 3 ? TCellAlign::Right : TCellAlign::Left, false);
}

void TRatingSheetForm::SetCommitteeMember(std::int32_t ID) {
    CommitteeID_ = ID;
    TDataBase committee(CommitteeFileName);
    CommitteeMember->setText(QString::number(ID) + QLatin1Char(' ') +
                             FromCodePage(committee.GetDescription(ID)));
}

void TRatingSheetForm::SetApplicant(std::int32_t ID) {
    Navigating_ = ID == 0;
    ApplicantID_ = ID;
    if (Navigating_ && Pool_->LastIndex() >= 0) {
        TDataRecord first;
        Pool_->File().First(first);
        ApplicantID_ = first.ID;
    }
    LoadSheet();
}

void TRatingSheetForm::LoadSheet() {
    TDataBase& pool = Pool_->File();
    ApplicantName_ = FromCodePage(pool.GetDescription(ApplicantID_));
    Applicant->setText(QString::number(ApplicantID_) + QLatin1Char(' ') + ApplicantName_);
    // GetDescription left the pool's cursor on the applicant: Next and Previous go from there.
    const bool listed = Navigating_ && Pool_->LastIndex() >= 0;
    PreviousBtn->setEnabled(listed && pool.Cursor() > 0);
    NextBtn->setEnabled(listed && pool.Cursor() < pool.LastIndex());
    // Which of the applicants a rater steps through this one is.
    Position->setText(
        listed
            ? QStringLiteral("Applicant %1 Of %2").arg(pool.Cursor() + 1).arg(pool.LastIndex() + 1)
            : QString());
    StatusLine->clear();

    Record_ = BlankRating(ApplicantID_, CommitteeID_);
    Found_ = Ratings_->FindRating(Record_, ApplicantID_, CommitteeID_);
    Comments->setText(FromCodePage(Record_.Comments));
    for (std::size_t n = 0; n < RatingCount; ++n) {
        Rate[n]->setValue(Record_.Rate[n]);
    }
    ShowDecision();
    // The first digit typed replaces the first rating.
    if (Decision_) {
        NotRatingBtn->setFocus();
    } else if (CriteriaCount() > 0) {
        Rate[0]->setFocus();
        Rate[0]->selectAll();
    } else {
        Comments->setFocus();
    }
}

bool TRatingSheetForm::SaveSheet() {
    if (ApplicantID_ == 0) {
        ShowError(QString::fromLatin1(NoApplicantInPool), this);
        return false;
    }
    for (std::size_t n = 0; n < static_cast<std::size_t>(CriteriaCount()); ++n) {
        if (!Rate[n]->Acceptable()) {
            RefusePoints(Rate[n]);
            return false;
        }
    }
    TRateRecord rec = Record_;
    std::string comments = ToCodePage(Comments->text());
    comments.resize(std::min(comments.size(), MaxCommentsLength));
    rec.Comments = comments;
    // The ratings of criteria not shown keep what was loaded.
    for (std::size_t n = 0; n < static_cast<std::size_t>(CriteriaCount()); ++n) {
        rec.Rate[n] = Rate[n]->Value();
    }
    if (!Ratings_->Opened()) {
        ShowError(Message("Error: %1 Could Not Be Opened; The Ratings Were Not Saved"), this);
        return false;
    }
    // Looked up again, so that the write goes to the pair's record wherever it stands now.
    TRateRecord stored;
    const bool found = Ratings_->FindRating(stored, ApplicantID_, CommitteeID_);
    if (!found && Ratings_->LastIndex() >= 0 && (Ratings_->Status() & stIOError) != 0) {
        // The pair may stand in the part that could not be read: a second record must not come.
        ShowError(Message("Error: %1 Could Not Be Read; The Ratings Were Not Saved"), this);
        return false;
    }
    rec.Sequence = found ? stored.Sequence : -1;
    // A sheet saved as it stands changes nothing.
    if (!found || rec != stored) {
        if (RefusedChange(MayChange(), this)) {
            return false;
        }
        bool written = false;
        if (found) {
            Ratings_->WriteRecord(rec);
            written = (Ratings_->Status() & stIOError) == 0;
        } else {
            Ratings_->Insert(rec, written);
        }
        if (!written) {
            ShowError(Message("Error: %1 Could Not Be Written; The Ratings Were Not Saved"), this);
            return false;
        }
        const std::string what = RatingChange(stored, rec, !found);
        if (!LogChange({"Rating Sheet", what, ApplicantID_, CommitteeID_}).Ok()) {
            ShowChangeNotLogged(this);
        }
    }
    Record_ = rec;
    Found_ = true;
    StatusLine->setText(QStringLiteral("Ratings Of %1 Saved").arg(ApplicantName_));
    return true;
}

bool TRatingSheetForm::Modified() const {
    if (ApplicantID_ == 0) {
        return false;
    }
    for (std::size_t n = 0; n < static_cast<std::size_t>(CriteriaCount()); ++n) {
        if (!Rate[n]->Acceptable() || Rate[n]->Value() != Record_.Rate[n]) {
            return true;
        }
    }
    std::string comments = ToCodePage(Comments->text());
    comments.resize(std::min(comments.size(), MaxCommentsLength));
    return comments != Record_.Comments;
}

bool TRatingSheetForm::SettleChanges() {
    if (!Modified()) {
        return true;
    }
    // Enter keeps what was typed: here No is the answer that loses work.
    const TModalResult answer = ShowMessage(
        QStringLiteral("Save The Ratings Of %1?").arg(ApplicantName_), TMessageKind::Question,
        TMessageButtons::YesNoCancel, this, TDefaultAnswer::Yes);
    return answer == TModalResult::No || (answer == TModalResult::Yes && SaveSheet());
}

void TRatingSheetForm::reject() {
    if (SettleChanges()) {
        QDialog::reject();
    }
}

void TRatingSheetForm::ShowDecision() {
    const TRecusalFile file = TRecusalFile::Read();
    if (!DamageReported_) {
        DamageReported_ = !file.Whole();
        ShowDecisionsDamage(file, this);
    }
    const TDecision* decision = ApplicantID_ != 0 ? file.Find(ApplicantID_, CommitteeID_) : nullptr;
    Decision_ = decision != nullptr ? std::optional<TDecision>(*decision) : std::nullopt;
    QString text;
    if (Decision_) {
        text = QString::fromLatin1(DecisionKindText(Decision_->Kind));
        if (!Decision_->Reason.empty()) {
            text += QStringLiteral(": ") + FromCodePage(Decision_->Reason);
        }
    }
    Decision->setText(text);
    for (std::size_t n = 0; n < static_cast<std::size_t>(CriteriaCount()); ++n) {
        Rate[n]->setEnabled(!Decision_);
    }
    Comments->setEnabled(!Decision_);
    SaveBtn->setEnabled(!Decision_);
}

void TRatingSheetForm::NotRatingBtnClick() {
    if (ApplicantID_ == 0) {
        ShowError(QString::fromLatin1(NoApplicantInPool), this);
        return;
    }
    if (!SettleChanges() || RefusedChange(MayChange(), this)) {
        return;
    }
    TNotRatingForm dialog(this);
    dialog.SetPair(CommitteeMember->text(), Applicant->text(), Decision_ ? &*Decision_ : nullptr);
    if (ShowModal(dialog) != TModalResult::Ok) {
        return;
    }
    TRecusalFile file = TRecusalFile::Read();
    std::optional<TDecision> before;
    if (const TDecision* found = file.Find(ApplicantID_, CommitteeID_)) {
        before = *found;
    }
    const std::optional<TDecisionKind> kind = dialog.Kind();
    if (kind) {
        file.Set({ApplicantID_, CommitteeID_, *kind, ToCodePage(dialog.ReasonText())});
    } else if (!file.Lift(ApplicantID_, CommitteeID_)) {
        return; // rating after all, and nothing to lift
    }
    const TDecisionsWrite written = file.Write();
    if (written != TDecisionsWrite::Written) {
        ShowError(DecisionsWriteText(written), this);
        return;
    }
    LogDecision("Rating Sheet", before ? &*before : nullptr, file.Find(ApplicantID_, CommitteeID_),
                this);
    LoadSheet();
    StatusLine->setText(
        (kind ? QStringLiteral("Decision On %1 Recorded") : QStringLiteral("Decision On %1 Lifted"))
            .arg(ApplicantName_));
}

void TRatingSheetForm::RefusePoints(TSpinEdit* Box) {
    ShowError(QStringLiteral("Error: Points Are Whole Numbers From 0 To 5 (0: Not Rated)"), this);
    activateWindow(); // back from the message
    Box->setFocus();
    Box->selectAll();
}

void TRatingSheetForm::SaveBtnClick() {
    SaveSheet();
}

void TRatingSheetForm::Step(bool forward) {
    // A sheet under a decision has nothing to save; while the final rating is finalised the
    // sheets can still be read one after the other.
    const bool save = !Decision_ && (Modified() || MayChange().Ok());
    if (!Navigating_ || (save && !SaveSheet())) {
        return;
    }
    TDataBase& pool = Pool_->File();
    TDataRecord rec;
    if (forward) {
        pool.Next(rec);
    } else {
        pool.Prior(rec);
    }
    if (pool.Status() == 0) {
        ApplicantID_ = rec.ID;
        LoadSheet();
    }
}

void TRatingSheetForm::NextBtnClick() {
    Step(true);
}

void TRatingSheetForm::PreviousBtnClick() {
    Step(false);
}

void TRatingSheetForm::HelpBtnClick() {
    ShowHelpTopic(HelpContextNumber);
}

} // namespace korvane
