#include "exchange/MergeConflictsForm.h"

#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

#include "data/RatingMerge.h"
#include "exchange/MergeTexts.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/RecordGrid.h"
#include "platform/ui/ScreenKit.h"

namespace korvane {

namespace {

constexpr int NameWidth = 110;
constexpr int CriterionWidth = 40;
constexpr int CommentsWidth = 150;
constexpr int KeepWidth = 50;
constexpr int GridHeight = 240;
constexpr int ButtonWidth = 89;
constexpr int ButtonPitch = 97;
constexpr int FirstCriterionCol = 2;

QString RatingText(std::int32_t Rating) {
    return Rating == 0 ? QStringLiteral("-") : QString::number(Rating);
}

QString CommentText(const std::string& Comments) {
    return Comments.empty() ? QStringLiteral("-") : FromCodePage(Comments);
}

} // namespace

TMergeConflictsForm::TMergeConflictsForm(TRatingMerge& Merge, QWidget* owner)
    : QDialog(owner), Merge_(Merge) {
    setObjectName(QStringLiteral("MergeConflictsForm"));
    setWindowTitle(QStringLiteral("Merge Ratings: Conflicts"));
    setFont(ScreenFont());

    std::vector<int> widths = {NameWidth, NameWidth};
    std::vector<QString> headers = {QStringLiteral("Member"), QStringLiteral("Applicant")};
    for (int n = 0; n < CriteriaCount(); ++n) {
        widths.push_back(CriterionWidth);
        headers.push_back(QString::number(n + 1) + QLatin1Char(' ') +
                          FromCodePage(Merge_.CriterionNames()[static_cast<std::size_t>(n)]));
    }
    widths.insert(widths.end(), {CommentsWidth, KeepWidth});
    headers.insert(headers.end(), {QStringLiteral("Comments"), QStringLiteral("Keep")});

    Label1 =
        NewLabel(this, "Label1",
                 QStringLiteral("Each Criterion: This Position's Rating / The Disk's "
                                "(- Not Rated). Where Only One Side Rated, Its Rating Counts."),
                 QRect(8, 8, 0, 16));
    DrawGrid1 = new TRecordGrid(this);
    DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
    DrawGrid1->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect |
                          goRangeSelect);
    DrawGrid1->SetColWidths(widths);
    DrawGrid1->SetDefaultRowHeight(QFontInfo(DrawGrid1->font()).pixelSize() + 4);
    DrawGrid1->Bind(
        std::move(headers), [this] { return static_cast<int>(Merge_.Conflicts().size()); },
        [this](int Col, int Row) { return CellText(Col, Row); });
    // A criterion both sides rated differently stands out.
    DrawGrid1->SetOnDrawCell(
        [this](QPainter& canvas, int col, int row, const QRect& rect, TGridDrawState state) {
            const int n = col - FirstCriterionCol;
            if (row > 0 && n >= 0 && n < CriteriaCount() &&
                row <= static_cast<int>(Merge_.Conflicts().size())) {
                const TDiskPair& pair =
                    Merge_.Pairs()[Merge_.Conflicts()[static_cast<std::size_t>(row - 1)]];
                const auto ours = Merge_.Ours(pair).Rate[static_cast<std::size_t>(n)];
                const auto theirs = pair.Theirs.Rate[static_cast<std::size_t>(n)];
                QFont font = canvas.font();
                font.setBold(ours != 0 && theirs != 0 && ours != theirs);
                canvas.setFont(font);
            }
            DrawGrid1->DrawRecordCell(canvas, col, row, rect, state);
        });
    // With few criteria the comments take the width the buttons need.
    const int width = std::max(DrawGrid1->sizeHint().width() + 16, 7 * ButtonPitch + 8);
    widths[widths.size() - 2] += width - 16 - DrawGrid1->sizeHint().width();
    DrawGrid1->SetColWidths(widths);
    DrawGrid1->setGeometry(8, 28, width - 16, GridHeight);
    Label1->resize(width - 16, 16);

    const int top = 28 + GridHeight + 8;
    const auto button = [&](int place, const char* name, const char* caption) {
        return NewButton(this, name, caption, QRect(8 + place * ButtonPitch, top, ButtonWidth, 25));
    };
    OursBtn = button(0, "OursBtn", "Keep &Ours");
    TheirsBtn = button(1, "TheirsBtn", "Take &Theirs");
    AllOursBtn = button(2, "AllOursBtn", "Keep A&ll Ours");
    AllTheirsBtn = button(3, "AllTheirsBtn", "Take &All Theirs");
    OkBtn = button(4, "OkBtn", "OK");
    HelpBtn = button(5, "HelpBtn", "&Help");
    CancelBtn = button(6, "CancelBtn", "Cancel");
    OkBtn->setDefault(true);
    for (QPushButton* decision : {OursBtn, TheirsBtn, AllOursBtn, AllTheirsBtn}) {
        decision->setAutoDefault(false);
    }
    MakeFixedDialog(this, QSize(width, top + 25 + 8));

    connect(OursBtn, &QPushButton::clicked, this, [this] { DecideSelected(false); });
    connect(TheirsBtn, &QPushButton::clicked, this, [this] { DecideSelected(true); });
    connect(AllOursBtn, &QPushButton::clicked, this, [this] { DecideAll(false); });
    connect(AllTheirsBtn, &QPushButton::clicked, this, [this] { DecideAll(true); });
    connect(OkBtn, &QPushButton::clicked, this, [this] { CloseWith(*this, TModalResult::Ok); });
    connect(HelpBtn, &QPushButton::clicked, this, [] { ShowHelpTopic(MergeHelpContext); });
    connect(CancelBtn, &QPushButton::clicked, this,
            [this] { CloseWith(*this, TModalResult::Cancel); });

    SetHelpContext(this, MergeHelpContext);
    DrawGrid1->Reload();
    DrawGrid1->setFocus();
}

int TMergeConflictsForm::CriteriaCount() const {
    return static_cast<int>(Merge_.CriterionNames().size());
}

QString TMergeConflictsForm::CellText(int Col, int Row) const {
    if (Row < 1 || Row > static_cast<int>(Merge_.Conflicts().size())) {
        return {};
    }
    const TDiskPair& pair = Merge_.Pairs()[Merge_.Conflicts()[static_cast<std::size_t>(Row - 1)]];
    const TRateRecord ours = Merge_.Ours(pair);
    const int n = Col - FirstCriterionCol;
    if (Col == 0) {
        return FromCodePage(Merge_.MemberName(pair.Theirs.CommitteeID));
    }
    if (Col == 1) {
        return FromCodePage(Merge_.ApplicantName(pair.Theirs.ApplicantID));
    }
    if (n < CriteriaCount()) {
        const auto index = static_cast<std::size_t>(n);
        return RatingText(ours.Rate[index]) + QLatin1Char('/') +
               RatingText(pair.Theirs.Rate[index]);
    }
    if (n == CriteriaCount()) {
        return CommentText(ours.Comments) + QStringLiteral(" / ") +
               CommentText(pair.Theirs.Comments);
    }
    return pair.TakeTheirs ? QStringLiteral("Theirs") : QStringLiteral("Ours");
}

void TMergeConflictsForm::DecideSelected(bool TakeTheirs) {
    for (int row = DrawGrid1->SelectionTop(); row <= DrawGrid1->SelectionBottom(); ++row) {
        Merge_.Decide(static_cast<std::size_t>(row - 1), TakeTheirs);
    }
    DrawGrid1->Repaint();
    DrawGrid1->setFocus();
}

void TMergeConflictsForm::DecideAll(bool TakeTheirs) {
    Merge_.DecideAll(TakeTheirs);
    DrawGrid1->Repaint();
    DrawGrid1->setFocus();
}

} // namespace korvane
