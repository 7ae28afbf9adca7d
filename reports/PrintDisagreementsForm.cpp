#include "reports/PrintDisagreementsForm.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "data/DataBase.h"
#include "data/Disagreements.h"
#include "data/FileNames.h"
#include "data/ProcessState.h"
#include "platform/ui/CodePage.h"
#include "reports/RatingSheetLayout.h"
#include "reports/RatingWarnings.h"
#include "reports/ReportHeader.h"
#include "reports/ReportPreviewForm.h"

namespace korvane {

namespace {

// Columns in inches: the applicant, the criterion, the members' ratings, the spread; the table
// ends after the spread, and the members' columns take at most the room up to LastSpread.
constexpr double Left = 0.5;
constexpr double CriterionColumn = 2.375;
constexpr double MembersColumn = 4.5;
constexpr double SpreadWidth = 0.625;
constexpr double LastSpread = 9.875;
constexpr double Right = 10.5;
// Members' columns are at most an inch wide and at least this; more members than fit take
// further rows of the line.
constexpr double NarrowestMember = 0.375;
// The committee section: the member, the ratings given, the mean difference.
constexpr double RatingsRight = 4.45;
constexpr double MeanRight = 5.95;
constexpr double MemberSectionRight = 6.0;

// "+0.50", "-1.25", "0.00": a sign shows on which side of the others the member rates.
QString SignedMean(double mean) {
    const double hundredths = std::round(mean * 100.0);
    if (hundredths == 0.0) {
        return QStringLiteral("0.00");
    }
    return (hundredths > 0 ? QStringLiteral("+") : QString()) +
           QString::number(hundredths / 100.0, 'f', 2);
}

class TDisagreementSheet {
public:
    TDisagreementSheet(TReportPreviewForm& report, const TDisagreements& agenda,
                       std::vector<QString> criteria)
        : Report_(report), Agenda_(agenda), Criteria_(std::move(criteria)) {
        TDataBase committee(CommitteeFileName);
        for (const std::int32_t id : Agenda_.Members) {
            Names_.push_back(FromCodePage(committee.GetDescription(id)));
        }
        const std::size_t members = std::max<std::size_t>(Names_.size(), 1);
        const auto fit = static_cast<std::size_t>((LastSpread - MembersColumn) / NarrowestMember);
        PerRow_ = std::min(members, fit);
        Rows_ = (members + PerRow_ - 1) / PerRow_;
        MemberWidth_ = std::min(1.0, (LastSpread - MembersColumn) / static_cast<double>(PerRow_));
        SpreadColumn_ = MembersColumn + MemberWidth_ * static_cast<double>(PerRow_);
        TableRight_ = SpreadColumn_ + SpreadWidth;
    }

    void Print() {
        PageHeader();
        if (Agenda_.Lines.empty()) {
            Report_.TextCentred(
                QStringLiteral("No Ratings Differ By %1 Or More Points").arg(Settings.Disagreement),
                Left, Right);
            NextLine();
        } else {
            Table([this] { AgendaHead(); });
        }
        for (const TDisagreement& line : Agenda_.Lines) {
            AgendaLine(line);
        }
        Head_ = {};
        NextLine();
        KeepTogether(2);
        Table([this] { MembersHead(); });
        for (std::size_t m = 0; m < Agenda_.Tendencies.size(); ++m) {
            MemberLine(m);
        }
        Head_ = {};
        NextLine();
        Report_.TextAt(QStringLiteral("Mean Difference: the member's rating less the average of "
                                      "the other members' ratings of the same applicant on the "
                                      "same criterion, over all such ratings of the member"),
                       Left);
        NextLine();
    }

private:
    void PageHeader() {
        TReportPreviewForm& r = Report_;
        PrintListPageHeader(r, ListHeaderText(QStringLiteral("Rating Disagreements")));
        r.NewLine();
        r.TextCentred(
            QStringLiteral("Criteria Whose Ratings Differ By %1 Or More Points, Applicants In "
                           "Final Rating Sheet Order")
                .arg(Settings.Disagreement),
            Left, Right);
        r.NewLine();
        r.NewLine();
        r.SetFont(Settings.LandscapeFont, Qt::black, {});
        Applicant_ = -1; // each page names the applicant of its first line
    }

    // Starts a table with its head, which every page it runs onto repeats.
    void Table(std::function<void()> head) {
        Head_ = std::move(head);
        PrintHead();
    }

    void PrintHead() {
        if (Head_ && !InHead_) {
            InHead_ = true; // a head longer than a page is not repeated within itself
            Head_();
            InHead_ = false;
        }
    }

    // The line feed after a line; a new page starts with its header and the table's head.
    void NextLine() {
        Report_.NewLine();
        if (Report_.PageStarted()) {
            PageHeader();
            PrintHead();
        }
    }

    // A line of rows lines goes whole onto a new page when the page cannot hold it.
    void KeepTogether(std::size_t rows) {
        TReportPreviewForm& r = Report_;
        if (r.LineTop() + static_cast<int>(rows) * r.LineHeight() >= r.PrintableHeight()) {
            r.NewPage();
            PageHeader();
            PrintHead();
        }
    }

    // The shaded head row of a table from Left to right.
    void Band(double right) {
        TReportPreviewForm& r = Report_;
        r.ShadeLine(ButtonFaceColor(), Left, right);
        r.SetPen(1, Qt::black, Qt::SolidLine);
        r.HorizontalRule(true, Left, right);
        r.HorizontalRule(false, Left, right);
    }

    double MemberLeft(std::size_t m) const {
        return MembersColumn + MemberWidth_ * static_cast<double>(m % PerRow_);
    }

    // The rules of one row of the agenda, and under the members the texts given.
    void AgendaRow(std::size_t row, const std::function<QString(std::size_t)>& text) {
        TReportPreviewForm& r = Report_;
        for (const double x : {Left, CriterionColumn, MembersColumn, SpreadColumn_, TableRight_}) {
            r.VerticalRule(x);
        }
        const std::size_t end = std::min(Names_.size(), (row + 1) * PerRow_);
        for (std::size_t m = row * PerRow_; m < end; ++m) {
            const double left = MemberLeft(m);
            r.VerticalRule(left);
            const QString shown = FittedText(r, text(m), left, left + MemberWidth_);
            r.TextCentred(shown, left, left + MemberWidth_);
        }
    }

    void AgendaHead() {
        for (std::size_t row = 0; row < Rows_; ++row) {
            Band(TableRight_);
            if (row == 0) {
                Report_.TextAt(QStringLiteral("Applicant"), Left + 0.05);
                Report_.TextAt(QStringLiteral("Preferred Criterion"), CriterionColumn + 0.05);
                Report_.TextRightAt(QStringLiteral("Spread"), TableRight_ - 0.05);
            }
            AgendaRow(row, [this](std::size_t m) { return Names_[m]; });
            NextLine();
        }
    }

    void AgendaLine(const TDisagreement& line) {
        TReportPreviewForm& r = Report_;
        KeepTogether(Rows_);
        r.HorizontalRule(true, Left, TableRight_);
        if (line.ApplicantID != Applicant_) {
            Applicant_ = line.ApplicantID;
            r.TextAt(FromCodePage(std::string(1, line.Mark)), Left + 0.05);
            r.TextAt(FittedText(r, FromCodePage(line.Name), Left + 0.1, CriterionColumn),
                     Left + 0.1);
        }
        const QString criterion = line.Criterion <= Criteria_.size()
                                      ? Criteria_[line.Criterion - 1]
                                      : QStringLiteral("#%1").arg(line.Criterion);
        r.TextAt(FittedText(r, criterion, CriterionColumn + 0.05, MembersColumn),
                 CriterionColumn + 0.05);
        r.TextRightAt(QString::number(line.Spread), TableRight_ - 0.05);
        for (std::size_t row = 0; row < Rows_; ++row) {
            AgendaRow(row, [&line](std::size_t m) {
                return line.Ratings[m] > 0 ? QString::number(line.Ratings[m]) : QString();
            });
            if (row + 1 == Rows_) {
                r.HorizontalRule(false, Left, TableRight_);
            }
            NextLine();
        }
    }

    void MembersHead() {
        TReportPreviewForm& r = Report_;
        Band(MemberSectionRight);
        r.TextAt(QStringLiteral("Committee Member"), Left + 0.05);
        r.TextRightAt(QStringLiteral("Ratings Given"), RatingsRight);
        r.TextRightAt(QStringLiteral("Mean Difference"), MeanRight);
        r.VerticalRule(Left);
        r.VerticalRule(MemberSectionRight);
        NextLine();
    }

    void MemberLine(std::size_t m) {
        TReportPreviewForm& r = Report_;
        const TMemberTendency& tendency = Agenda_.Tendencies[m];
        r.VerticalRule(Left);
        r.VerticalRule(MemberSectionRight);
        r.HorizontalRule(false, Left, MemberSectionRight);
        r.TextAt(FittedText(r, Names_[m], Left + 0.05, 3.0), Left + 0.05);
        r.TextRightAt(QString::number(tendency.Ratings), RatingsRight);
        if (tendency.Compared > 0) {
            r.TextRightAt(SignedMean(tendency.MeanDifference), MeanRight);
        }
        NextLine();
    }

    TReportPreviewForm& Report_;
    const TDisagreements& Agenda_;
    std::vector<QString> Criteria_; // "#1 TYPING", by criterion
    std::vector<QString> Names_;    // by member
    std::size_t PerRow_ = 1;        // members on one row of a line
    std::size_t Rows_ = 1;
    double MemberWidth_ = 1.0;
    double SpreadColumn_ = LastSpread;
    double TableRight_ = Right;
    std::int32_t Applicant_ = -1; // of the last line printed on this page
    // The head of the table being printed, repeated after a page break.
    std::function<void()> Head_;
    bool InHead_ = false;
};

} // namespace

void PrintRatingDisagreements(QWidget* owner, const TPrintDestination& to) {
    // The files are read before the job starts: a file that cannot be read starts no job.
    const TRatingData data = TRatingData::ReadWorkingDirectory();
    const TRecusalFile decisions = TRecusalFile::Read();
    ShowDecisionsDamage(decisions, owner);
    const TDisagreements agenda = ComputeDisagreements(
        data, ComputeFinalRating(data, Settings, decisions), Settings.Disagreement, decisions);
    std::vector<QString> criteria;
    for (const TLegendCriterion& criterion : LegendCriteria(data.Criteria())) {
        criteria.push_back(QStringLiteral("#%1 ").arg(criteria.size() + 1) +
                           criterion.Mark.trimmed() + criterion.Description);
    }
    TReportPreviewForm report(owner);
    report.BeginReport(to, false, true);
    TDisagreementSheet(report, agenda, std::move(criteria)).Print();
    report.EndReport();
}

TPrintDisagreementsForm::TPrintDisagreementsForm(QWidget* owner)
    : TPrintPromptForm(owner, "PrintDisagreementsForm",
                       QStringLiteral("Print Rating Disagreements"), 250,
                       PrintRatingDisagreements) {}

} // namespace korvane
