#include "rating/RatingProgressForm.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <unordered_set>

#include "data/FinalRating.h"
#include "platform/ui/ChangeMessages.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScreenKit.h"
#include "rating/NotRatingForm.h"
#include "rating/ProgressPrintout.h"
#include "reports/PrintDestination.h"
#include "reports/RatingWarnings.h"

namespace korvane {

namespace {

constexpr int HelpContextNumber = 540;
constexpr int ApplicantRole = Qt::UserRole;
constexpr int MemberRole = Qt::UserRole + 1;

const char* const StateCaptions[RatingStateCount] = {"Rated Fully", "Rated Partly", "Not Rated",
                                                     "Abstained", "Recused"};

QString ReasonText(const TDecision& Decision) {
    return FromCodePage(Decision.Reason);
}

} // namespace

TRatingProgressForm::TRatingProgressForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("RatingProgressForm"));
    setWindowTitle(QStringLiteral("Rating Progress"));
    setFont(ScreenFont());

    DrawGrid1 = new TRecordGrid(this);
    DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
    DrawGrid1->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect);
    DrawGrid1->SetColWidths({40, 190, 50, 50, 64, 64, 56});
    DrawGrid1->SetRightAlignedFrom(2);
    DrawGrid1->Bind(
        {QStringLiteral("ID"), QStringLiteral("Committee Member"), QStringLiteral("Fully"),
         QStringLiteral("Partly"), QStringLiteral("Not Rated"), QStringLiteral("Abstained"),
         QStringLiteral("Recused")},
        [this] { return static_cast<int>(Progress_->Members().size()) + 1; },
        [this](int col, int row) { return CellText(col, row); });
    const int width = DrawGrid1->sizeHint().width();
    DrawGrid1->setGeometry(8, 8, width, 150);

    Summary = NewLabel(this, "Summary", QString(), QRect(8, 164, width, 32));
    Summary->setWordWrap(true);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setColumnCount(2);
    TreeView1->setHeaderLabels({QStringLiteral("Applicant"), QStringLiteral("Reason")});
    TreeView1->header()->resizeSection(0, 330);
    TreeView1->setGeometry(8, 200, width, 210);

    const int buttonTop = 420;
    const int pitch = (width - 100) / 3;
    LiftBtn = NewButton(this, "LiftBtn", "&Lift Decision", QRect(8, buttonTop, 100, 25));
    PrintBtn = NewButton(this, "PrintBtn", "&Print", QRect(8 + pitch, buttonTop, 100, 25));
    HelpBtn = NewButton(this, "HelpBtn", "&Help", QRect(8 + 2 * pitch, buttonTop, 100, 25));
    CloseBtn = NewButton(this, "CloseBtn", "Close", QRect(8 + 3 * pitch, buttonTop, 100, 25));
    MakeFixedDialog(this, QSize(width + 16, buttonTop + 25 + 8));

    connect(DrawGrid1, &TDrawGrid::RowChanged, this, [this] { FillTree(); });
    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this] { LiftBtn->setEnabled(CurrentDecision() != nullptr); });
    connect(LiftBtn, &QPushButton::clicked, this, &TRatingProgressForm::LiftBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TRatingProgressForm::PrintBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TRatingProgressForm::HelpBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

void TRatingProgressForm::FormCreate() {
    SetHelpContext(this, HelpContextNumber);
    DrawGrid1->SetDefaultRowHeight(QFontInfo(DrawGrid1->font()).pixelSize() + 4);
    Reload();
    // The first member with ratings still missing is the one to look at.
    for (std::size_t k = 0; k < Progress_->Members().size(); ++k) {
        if (Progress_->Counts(k).Missing() > 0) {
            DrawGrid1->SetRow(static_cast<int>(k) + 1);
            break;
        }
    }
    DrawGrid1->setFocus();
    // Once per screen: the decisions it lists and lifts are read from this file.
    ShowDecisionsDamage(Progress_->Decisions(), this);
}

void TRatingProgressForm::Reload() {
    Progress_.emplace(TRatingProgress::ReadWorkingDirectory());
    const int row = DrawGrid1->Row();
    DrawGrid1->Reload();
    DrawGrid1->SetRow(std::min(row, DrawGrid1->RowCount() - 1));
    Summary->setText(
        QStringLiteral("Applicants Still In The Pool: %1. ").arg(Progress_->Pool().size()) +
        ProgressVerdictText(Progress_->Missing()));
    DrawGrid1->Repaint();
    FillTree();
}

QString TRatingProgressForm::CellText(int col, int row) const {
    const std::size_t members = Progress_->Members().size();
    const auto k = static_cast<std::size_t>(row - 1);
    if (row < 1 || k > members) {
        return {};
    }
    const bool total = k == members;
    if (col == 0) {
        return total ? QString() : QString::number(Progress_->Members()[k].ID);
    }
    if (col == 1) {
        return total ? QStringLiteral("Total") : FromCodePage(Progress_->Members()[k].Name);
    }
    const TProgressCounts& counts = total ? Progress_->Totals() : Progress_->Counts(k);
    const auto state = static_cast<std::size_t>(col - 2);
    return state < RatingStateCount ? QString::number(counts.Of[state]) : QString();
}

QTreeWidgetItem* TRatingProgressForm::AddGroup(const QString& Caption, int Count) {
    auto* group = new QTreeWidgetItem(TreeView1, {Caption + QStringLiteral(" (%1)").arg(Count)});
    group->setExpanded(true);
    return group;
}

void TRatingProgressForm::FillTree() {
    TreeView1->clear();
    const TRatingProgress& progress = *Progress_;
    const auto k = static_cast<std::size_t>(DrawGrid1->Row() - 1);
    const bool member = k < progress.Members().size();
    const auto decisionItem = [](QTreeWidgetItem* Group, const QString& Name,
                                 const TDecision& Decision) {
        auto* item = new QTreeWidgetItem(Group, {Name, ReasonText(Decision)});
        item->setToolTip(0, Name);
        item->setToolTip(1, ReasonText(Decision));
        item->setData(0, ApplicantRole, Decision.ApplicantID);
        item->setData(0, MemberRole, Decision.CommitteeID);
    };
    if (member) {
        const std::int32_t memberID = progress.Members()[k].ID;
        for (std::size_t s = 0; s < RatingStateCount; ++s) {
            const auto state = static_cast<TRatingState>(s);
            QTreeWidgetItem* group =
                AddGroup(QString::fromLatin1(StateCaptions[s]), progress.Counts(k)[state]);
            for (std::size_t p = 0; p < progress.Pool().size(); ++p) {
                if (progress.State(k, p) != state) {
                    continue;
                }
                const TDataRecord& applicant = progress.Pool()[p];
                const QString name = FromCodePage(applicant.Description);
                const TDecision* decision = progress.Decisions().Find(applicant.ID, memberID);
                if (decision != nullptr) {
                    decisionItem(group, name, *decision);
                } else {
                    new QTreeWidgetItem(group, {name});
                }
            }
        }
    }
    // The member's decisions on applicants eliminated since (all members' on the totals row):
    // they count on the final sheet, not here.
    std::unordered_set<std::int32_t> pool;
    for (const TDataRecord& applicant : progress.Pool()) {
        pool.insert(applicant.ID);
    }
    std::vector<const TDecisionRow*> eliminated;
    for (const TDecisionRow& row : progress.Counted()) {
        if (!pool.contains(row.Decision.ApplicantID) &&
            (!member || row.Decision.CommitteeID == progress.Members()[k].ID)) {
            eliminated.push_back(&row);
        }
    }
    if (!eliminated.empty()) {
        QTreeWidgetItem* group =
            AddGroup(QStringLiteral("Eliminated Applicants"), static_cast<int>(eliminated.size()));
        for (const TDecisionRow* row : eliminated) {
            decisionItem(
                group,
                DecisionApplicantText(*row) + QStringLiteral(": ") +
                    QString::fromLatin1(DecisionKindText(row->Decision.Kind)) +
                    (member ? QString()
                            : QStringLiteral(" (") + DecisionMemberText(*row) + QLatin1Char(')')),
                row->Decision);
        }
    }
    if (!progress.NotCounted().empty()) {
        QTreeWidgetItem* group =
            AddGroup(QStringLiteral("Not Counted: Member Or Applicant No Longer There"),
                     static_cast<int>(progress.NotCounted().size()));
        for (const TDecisionRow& row : progress.NotCounted()) {
            decisionItem(group,
                         DecisionMemberText(row) + QStringLiteral(" On ") +
                             DecisionApplicantText(row) + QStringLiteral(": ") +
                             QString::fromLatin1(DecisionKindText(row.Decision.Kind)),
                         row.Decision);
        }
    }
    TreeView1->setCurrentItem(TreeView1->topLevelItem(0));
    LiftBtn->setEnabled(CurrentDecision() != nullptr);
}

const TDecision* TRatingProgressForm::CurrentDecision() const {
    const QTreeWidgetItem* item = TreeView1->currentItem();
    if (item == nullptr || !item->data(0, ApplicantRole).isValid()) {
        return nullptr;
    }
    return Progress_->Decisions().Find(item->data(0, ApplicantRole).toInt(),
                                       item->data(0, MemberRole).toInt());
}

void TRatingProgressForm::LiftBtnClick() {
    const TDecision* decision = CurrentDecision();
    if (decision == nullptr || RefusedChange(MayChange(), this)) {
        return;
    }
    const TDecision lifted = *decision;
    // Every decision the tree lists is one of these rows, which name both sides.
    QString member, applicant;
    for (const auto* rows : {&Progress_->Counted(), &Progress_->NotCounted()}) {
        for (const TDecisionRow& row : *rows) {
            if (row.Decision.ApplicantID == lifted.ApplicantID &&
                row.Decision.CommitteeID == lifted.CommitteeID) {
                member = DecisionMemberText(row);
                applicant = DecisionApplicantText(row);
            }
        }
    }
    const QString question =
        QStringLiteral("Lift The Decision (%1) Of %2 On %3?")
            .arg(QString::fromLatin1(DecisionKindText(lifted.Kind)), member, applicant);
    if (!AskYesNo(question, this)) {
        return;
    }
    TRecusalFile file = TRecusalFile::Read();
    if (file.Lift(lifted.ApplicantID, lifted.CommitteeID)) {
        const TDecisionsWrite written = file.Write();
        if (written != TDecisionsWrite::Written) {
            ShowError(DecisionsWriteText(written), this);
        } else {
            LogDecision("Rating Progress", &lifted, nullptr, this);
        }
    }
    Reload();
    TreeView1->setFocus();
}

void TRatingProgressForm::PrintBtnClick() {
    const TPrintDestination to = SettingsDestination();
    if (ConfirmPrint(this, to)) {
        PrintRatingProgress(this, to);
    }
}

void TRatingProgressForm::HelpBtnClick() {
    ShowHelpTopic(HelpContextNumber);
}

void ShowRatingProgress(QWidget* owner) {
    TRatingProgressForm screen(owner);
    screen.exec();
}

} // namespace korvane
