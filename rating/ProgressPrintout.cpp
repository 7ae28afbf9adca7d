#include "rating/ProgressPrintout.h"

#include <QStringList>

#include <vector>

#include "data/ProcessState.h"
#include "platform/ui/CodePage.h"
#include "reports/RatingSheetLayout.h"
#include "reports/RatingWarnings.h"
#include "reports/ReportHeader.h"
#include "reports/ReportPreviewForm.h"
#include "setup/ListPrintout.h"

namespace korvane {

namespace {

constexpr const char* StateCaptions[RatingStateCount] = {"Fully", "Partly", "Not Rated",
                                                         "Abstained", "Recused"};

// One part of the report: a heading, its columns and rows; a row may have a note below it.
struct TSection {
    QString Heading;
    bool Pairs = true; // member and applicant, then Third; otherwise the counts
    const char* Third = nullptr;
    std::vector<QStringList> Rows;
    std::vector<QString> Notes; // by row, empty for none
};

QString Text(const std::string& CodePageText) {
    return FromCodePage(CodePageText);
}

TSection CountsSection(const TRatingProgress& Progress) {
    TSection section;
    section.Heading =
        QStringLiteral("Applicants Still In The Pool: %1").arg(Progress.Pool().size());
    section.Pairs = false;
    const auto row = [&](const QString& ID, const QString& Name, const TProgressCounts& Counts) {
        QStringList cells{ID, Name};
        for (const int count : Counts.Of) {
            cells << QString::number(count);
        }
        section.Rows.push_back(cells);
        section.Notes.emplace_back();
    };
    for (std::size_t k = 0; k < Progress.Members().size(); ++k) {
        const TRatingProgress::TMember& member = Progress.Members()[k];
        row(QString::number(member.ID), Text(member.Name), Progress.Counts(k));
    }
    row(QString(), QStringLiteral("Total"), Progress.Totals());
    return section;
}

TSection StillToRate(const TRatingProgress& Progress) {
    TSection section;
    section.Heading = QStringLiteral("Still To Rate");
    section.Third = "State";
    for (std::size_t k = 0; k < Progress.Members().size(); ++k) {
        for (std::size_t p = 0; p < Progress.Pool().size(); ++p) {
            const TRatingState state = Progress.State(k, p);
            if (state == TRatingState::Partly || state == TRatingState::NotRated) {
                section.Rows.push_back(
                    {Text(Progress.Members()[k].Name), Text(Progress.Pool()[p].Description),
                     state == TRatingState::Partly ? QStringLiteral("Partly Rated")
                                                   : QStringLiteral("Not Rated")});
                section.Notes.emplace_back();
            }
        }
    }
    return section;
}

TSection DecisionSection(const QString& Heading, const std::vector<TDecisionRow>& Decisions) {
    TSection section;
    section.Heading = Heading;
    section.Third = "Decision";
    for (const TDecisionRow& row : Decisions) {
        section.Rows.push_back({DecisionMemberText(row), DecisionApplicantText(row),
                                QString::fromLatin1(DecisionKindText(row.Decision.Kind))});
        section.Notes.push_back(Text(row.Decision.Reason));
    }
    return section;
}

// What the report says, for paper and for text: the counts first, the verdict after them.
std::vector<TSection> Sections(const TRatingProgress& Progress) {
    return {CountsSection(Progress), StillToRate(Progress),
            DecisionSection(QStringLiteral("Recusals And Abstentions"), Progress.Counted()),
            DecisionSection(QStringLiteral("Not Counted: Member Or Applicant No Longer There"),
                            Progress.NotCounted())};
}

// --- On paper --------------------------------------------------------------------------------

const TListPrintout CountsLayout = {"Rating Progress",
                                    0.5,
                                    8.0,
                                    {{0.55, "ID"},
                                     {1.0, nullptr},
                                     {1.05, "Committee Member"},
                                     {3.9, nullptr},
                                     {3.95, StateCaptions[0]},
                                     {4.6, nullptr},
                                     {4.65, StateCaptions[1]},
                                     {5.3, nullptr},
                                     {5.35, StateCaptions[2]},
                                     {6.1, nullptr},
                                     {6.15, StateCaptions[3]},
                                     {7.0, nullptr},
                                     {7.05, StateCaptions[4]}},
                                    {{0, 0.95, true},
                                     {1, 1.05, false},
                                     {2, 4.55, true},
                                     {3, 5.25, true},
                                     {4, 6.05, true},
                                     {5, 6.95, true},
                                     {6, 7.95, true}}};

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

class TProgressPage {
public:
    explicit TProgressPage(TReportPreviewForm& Report) : Report_(Report) { PageHeader(); }

    // A heading, the column band and the rows, each note on a line below its row; a page break
    // repeats the header and the band. A section without rows is left out.
    void Section(const TSection& Part) {
        if (Part.Rows.empty()) {
            return;
        }
        const TListPrintout layout = Part.Pairs ? PairLayout(Part.Third) : CountsLayout;
        Report_.SetFont(Settings.PortraitFont, Qt::black, TFontStyle::Bold);
        Line(Part.Heading, layout, false);
        Report_.SetFont(Settings.PortraitFont, Qt::black, {});
        PrintListBand(Report_, layout);
        BreakPage(layout, true);
        for (std::size_t r = 0; r < Part.Rows.size(); ++r) {
            for (const TRowCell& cell : layout.Row) {
                const QString text = Part.Rows[r].value(cell.Column);
                if (cell.RightAligned) {
                    Report_.TextRightAt(text, cell.X);
                } else {
                    Report_.TextAt(FittedText(Report_, text, cell.X, ColumnEnd(layout, cell.X)),
                                   cell.X);
                }
            }
            Report_.NewLine();
            BreakPage(layout, true);
            if (!Part.Notes[r].isEmpty()) {
                Line(Part.Notes[r], layout, true, 1.05);
            }
        }
        Report_.NewLine();
        BreakPage(layout, false);
    }

    // One line of text.
    void Line(const QString& Text, const TListPrintout& Layout, bool Band, double X = 0.5) {
        Report_.TextAt(FittedText(Report_, Text, X, Layout.BandRight), X);
        Report_.NewLine();
        BreakPage(Layout, Band);
    }

private:
    void PageHeader() {
        PrintListPageHeader(Report_, ListHeaderText(QStringLiteral("Rating Progress")));
        Report_.NewLine();
    }
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

// --- As text ---------------------------------------------------------------------------------

constexpr int NameWidth = 40;

QString CountsLine(const QStringList& Cells) {
    QString line = Cells.value(0).leftJustified(6) + QLatin1Char(' ') +
                   Cells.value(1).leftJustified(NameWidth, QLatin1Char(' '), true);
    for (std::size_t s = 0; s < RatingStateCount; ++s) {
        line += QStringLiteral("  ") +
                Cells.value(static_cast<qsizetype>(s) + 2)
                    .rightJustified(static_cast<qsizetype>(qstrlen(StateCaptions[s])));
    }
    return line + QLatin1Char('\n');
}

QString PairLine(const QStringList& Cells, const QString& Note) {
    return QStringLiteral("  ") + Cells.value(0).leftJustified(NameWidth, QLatin1Char(' '), true) +
           QLatin1Char(' ') + Cells.value(1).leftJustified(NameWidth, QLatin1Char(' '), true) +
           QLatin1Char(' ') + Cells.value(2) +
           (Note.isEmpty() ? QString() : QStringLiteral(": ") + Note) + QLatin1Char('\n');
}

} // namespace

void PrintRatingProgress(QWidget* owner, const TPrintDestination& to) {
    const TRatingProgress progress = TRatingProgress::ReadWorkingDirectory();
    const std::vector<TSection> sections = Sections(progress);
    TReportPreviewForm report(owner);
    report.BeginReport(to, false, false);
    TProgressPage page(report);
    page.Section(sections.front());
    page.Line(ProgressVerdictText(progress.Missing()), CountsLayout, false);
    page.Line(QString(), CountsLayout, false);
    for (std::size_t i = 1; i < sections.size(); ++i) {
        page.Section(sections[i]);
    }
    report.EndReport();
}

QString ProgressSummaryText(const TRatingProgress& Progress, const std::string& Title) {
    QString text = QStringLiteral("Rating Progress: ") + FromCodePage(Title) + QLatin1Char('\n');
    for (const TSection& section : Sections(Progress)) {
        if (section.Rows.empty()) {
            continue;
        }
        text += QLatin1Char('\n') + section.Heading + QLatin1Char('\n');
        if (!section.Pairs) {
            QStringList captions{QStringLiteral("ID"), QStringLiteral("Committee Member")};
            for (const char* caption : StateCaptions) {
                captions << QString::fromLatin1(caption);
            }
            text += CountsLine(captions);
        }
        for (std::size_t r = 0; r < section.Rows.size(); ++r) {
            text += section.Pairs ? PairLine(section.Rows[r], section.Notes[r])
                                  : CountsLine(section.Rows[r]);
        }
    }
    return text + QLatin1Char('\n') + ProgressVerdictText(Progress.Missing()) + QLatin1Char('\n');
}

} // namespace korvane
