#include "reports/ProgressPrintout.h"

#include <QString>

#include <vector>

#include "data/ProcessState.h"
#include "data/RatingProgress.h"
#include "platform/ui/CodePage.h"
#include "reports/RatingSheetLayout.h"
#include "reports/ReportHeader.h"
#include "reports/ReportPreviewForm.h"
#include "setup/ListPrintout.h"

namespace korvane {

namespace {

const TListPrintout CountsLayout = {"Rating Progress",
                                    0.5,
                                    8.0,
                                    {{0.55, "ID"},
                                     {1.0, nullptr},
                                     {1.05, "Committee Member"},
                                     {3.9, nullptr},
                                     {3.95, "Fully"},
                                     {4.6, nullptr},
                                     {4.65, "Partly"},
                                     {5.3, nullptr},
                                     {5.35, "Not Rated"},
                                     {6.1, nullptr},
                                     {6.15, "Abstained"},
                                     {7.0, nullptr},
                                     {7.05, "Recused"}},
                                    {{0, 0.95, true},
                                     {1, 1.05, false},
                                     {2, 4.55, true},
                                     {3, 5.25, true},
                                     {4, 6.05, true},
                                     {5, 6.95, true},
                                     {6, 7.95, true}}};

// Member, applicant and a third column; a decision's reason goes on a line of its own below.
TListPrintout PairLayout(const char* Third) {
    return {"Rating Progress",
            0.5,
            8.0,
            {{0.55, "Committee Member"},
             {3.4, nullptr},
             {3.45, "Applicant"},
             {6.3, nullptr},
             {6.35, Third}},
            {{0, 0.55, false}, {1, 3.45, false}, {2, 6.35, false}}};
}

const TListPrintout ReasonLayout = {"Rating Progress", 0.5, 8.0, {}, {{0, 1.05, false}}};

// Where the column of a left-aligned cell at X ends: at the next rule of the band.
double ColumnEnd(const TListPrintout& Layout, double X) {
    double end = Layout.BandRight;
    for (const TBandItem& item : Layout.Band) {
        if (item.Caption == nullptr && item.X > X && item.X < end) {
            end = item.X;
        }
    }
    return end;
}

class TProgressPrintout {
public:
    explicit TProgressPrintout(TReportPreviewForm& Report) : Report_(Report) {}

    void PageHeader() {
        PrintListPageHeader(Report_, ListHeaderText(QStringLiteral("Rating Progress")));
    }

    // One line of text after a blank one.
    void Line(const QString& Text) {
        Report_.NewLine();
        BreakPage(CountsLayout, false);
        Report_.TextAt(Text, 0.5);
        Report_.NewLine();
        BreakPage(CountsLayout, false);
    }

    // A heading, the column band and the rows; a page break repeats the header and the band.
    void Section(const QString& Heading, const TListPrintout& Layout,
                 const std::vector<std::pair<const TListPrintout*, QStringList>>& Rows) {
        if (Rows.empty()) {
            return;
        }
        Report_.NewLine();
        BreakPage(Layout, false);
        Report_.SetFont(Settings.PortraitFont, Qt::black, TFontStyle::Bold);
        Report_.TextAt(Heading, 0.5);
        Report_.SetFont(Settings.PortraitFont, Qt::black, {});
        Report_.NewLine();
        BreakPage(Layout, false);
        PrintListBand(Report_, Layout);
        BreakPage(Layout, true);
        for (const auto& [cells, texts] : Rows) {
            for (const TRowCell& cell : cells->Row) {
                const QString text = texts.value(cell.Column);
                if (cell.RightAligned) {
                    Report_.TextRightAt(text, cell.X);
                } else {
                    Report_.TextAt(FittedText(Report_, text, cell.X, ColumnEnd(*cells, cell.X)),
                                   cell.X);
                }
            }
            Report_.NewLine();
            BreakPage(Layout, true);
        }
    }

private:
    void BreakPage(const TListPrintout& Layout, bool Band) {
        if (Report_.PageStarted()) {
            PageHeader();
            if (Band) {
                PrintListBand(Report_, Layout);
            }
        }
    }

    TReportPreviewForm& Report_;
};

QString Text(const std::string& CodePageText) {
    return FromCodePage(CodePageText);
}

std::vector<std::pair<const TListPrintout*, QStringList>>
DecisionRows(const std::vector<TDecisionRow>& Decisions, const TListPrintout& Layout) {
    std::vector<std::pair<const TListPrintout*, QStringList>> rows;
    for (const TDecisionRow& row : Decisions) {
        rows.push_back({&Layout,
                        {Text(row.Member), Text(row.Applicant),
                         QString::fromLatin1(DecisionKindText(row.Decision.Kind))}});
        if (!row.Decision.Reason.empty()) {
            rows.push_back({&ReasonLayout, {Text(row.Decision.Reason)}});
        }
    }
    return rows;
}

} // namespace

void PrintRatingProgress(QWidget* owner, const TPrintDestination& to) {
    const TRatingProgress progress = TRatingProgress::ReadWorkingDirectory();
    TReportPreviewForm report(owner);
    report.BeginReport(to, false, false);
    TProgressPrintout printout(report);
    printout.PageHeader();

    const auto counts = [](const TProgressCounts& Counts) {
        QStringList texts;
        for (const int count : Counts.Of) {
            texts << QString::number(count);
        }
        return texts;
    };
    std::vector<std::pair<const TListPrintout*, QStringList>> rows;
    for (std::size_t k = 0; k < progress.Members().size(); ++k) {
        const TRatingProgress::TMember& member = progress.Members()[k];
        rows.push_back({&CountsLayout, QStringList{QString::number(member.ID), Text(member.Name)} +
                                           counts(progress.Counts(k))});
    }
    rows.push_back({&CountsLayout,
                    QStringList{QString(), QStringLiteral("Total")} + counts(progress.Totals())});
    printout.Section(QStringLiteral("Applicants Still In The Pool: %1").arg(progress.Pool().size()),
                     CountsLayout, rows);
    printout.Line(Text(ProgressVerdictText(progress.Missing())));

    const TListPrintout stateLayout = PairLayout("State");
    rows.clear();
    for (std::size_t k = 0; k < progress.Members().size(); ++k) {
        for (std::size_t p = 0; p < progress.Pool().size(); ++p) {
            const TRatingState state = progress.State(k, p);
            if (state == TRatingState::Partly || state == TRatingState::NotRated) {
                rows.push_back(
                    {&stateLayout,
                     {Text(progress.Members()[k].Name), Text(progress.Pool()[p].Description),
                      state == TRatingState::Partly ? QStringLiteral("Partly Rated")
                                                    : QStringLiteral("Not Rated")}});
            }
        }
    }
    printout.Section(QStringLiteral("Still To Rate"), stateLayout, rows);

    const TListPrintout decisionLayout = PairLayout("Decision");
    printout.Section(QStringLiteral("Recusals And Abstentions"), decisionLayout,
                     DecisionRows(progress.Counted(), decisionLayout));
    printout.Section(QStringLiteral("Not Counted: Member Or Applicant No Longer There"),
                     decisionLayout, DecisionRows(progress.NotCounted(), decisionLayout));
    report.EndReport();
}

} // namespace korvane
