#include "reports/RatingSheetLayout.h"

#include <cstdlib>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/FinalRating.h"
#include "data/ProcessState.h"
#include "platform/ui/ChangeMessages.h"
#include "platform/ui/CodePage.h"
#include "reports/RatingWarnings.h"
#include "reports/ReportHeader.h"
#include "reports/ReportPreviewForm.h"

namespace korvane {

namespace {

constexpr int LegendSlots = 12;
constexpr int LegendRows = 6;
// The legend's heading row starts this far above the bottom of the page.
constexpr double LegendFromBottom = 1.875;
// A next line that would start this far down or lower goes to a new page, above the legend.
constexpr double LastLineTop = 6.5;
// Criterion columns: the first rule and the width of each column.
constexpr double FirstColumn = 2.375;
constexpr double ColumnWidth = 0.375;
constexpr int Criteria = static_cast<int>(RatingCount);

TRatingSheetStyle SheetStyle(const QString& title) {
    const TListHeaderText header = ListHeaderText(title);
    TRatingSheetStyle style;
    style.Title = title;
    style.Organisation = header.Organisation;
    style.Position = header.Position;
    style.PortraitFont = Settings.PortraitFont;
    style.LandscapeFont = Settings.LandscapeFont;
    style.Highlight = Settings.HighlightOn;
    return style;
}

} // namespace

std::vector<TLegendCriterion> LegendCriteria(const std::vector<TSelectRecord>& selected) {
    std::vector<TLegendCriterion> criteria;
    TDataBase samples(SamplePreferredFileName);
    for (const TSelectRecord& criterion : selected) {
        if (criteria.size() == LegendSlots) {
            break;
        }
        TDataRecord sample;
        samples.Find(sample, criterion.CriterionID);
        const bool found = (samples.Status() & stNotFound) == 0 && samples.Opened();
        criteria.push_back({found ? FromCodePage(std::string(1, sample.Mark)) : QString(),
                            FromCodePage(samples.GetDescription(criterion.CriterionID)),
                            criterion.Weight});
    }
    return criteria;
}

TRatingSheetStyle FinalSheetStyle() {
    TRatingSheetStyle style = SheetStyle(QStringLiteral("Final Rating Sheet"));
    style.BoldNote = style.Highlight;
    const auto finalised = MayChange();
    style.Stamp = finalised.Ok()
                      ? QStringLiteral("Draft")
                      : QStringLiteral("Finalised On ") + LocalTimeText(finalised.Subject);
    return style;
}

TRatingSheetStyle MemberSheetStyle(std::int32_t committeeID, bool totals) {
    TRatingSheetStyle style = SheetStyle(QStringLiteral("Selection Rating Sheet"));
    style.BoldTitle = false;
    style.CommitteeID = committeeID;
    style.Totals = totals;
    // Without totals nothing is filled in, so nothing can be bold for that reason.
    style.BoldNote = style.Highlight && totals;
    return style;
}

TRatingSheetLayout::TRatingSheetLayout(TReportPreviewForm& report, TRatingSheetStyle style,
                                       std::vector<TLegendCriterion> legend)
    : Report_(report), Style_(std::move(style)), Legend_(std::move(legend)) {}

void TRatingSheetLayout::Print(const std::vector<TScoreLine>& lines) {
    PageHeader();
    for (const TScoreLine& line : lines) {
        Line(line);
    }
}

void TRatingSheetLayout::PageHeader() {
    TReportPreviewForm& r = Report_;
    PrintSheetBanner(r, Style_.Organisation);
    r.SetFont(14, Qt::black, Style_.BoldTitle ? TFontStyles(TFontStyle::Bold) : TFontStyles());
    r.TextCentred(Style_.Title, 0.5, 10.5);
    if (!Style_.Stamp.isEmpty()) {
        // Clear of the title by two lines of the applicant lines' size, so that those lines still
        // break to a new page where they did without the stamp.
        r.SetFont(Style_.LandscapeFont, Qt::black, {});
        r.NewLine();
        r.NewLine();
        r.SetFont(Style_.PortraitFont, Qt::black, {});
        r.TextCentred(Style_.Stamp, 0.5, 10.5);
    }
    r.SetFont(Style_.PortraitFont, Qt::black, {});
    r.NewLine();
    r.NewLine();
    r.TextCentred(
        QStringLiteral("RATE EACH APPLICANT FROM 1 TO 5 (1 BEING LOWEST 5 BEING HIGHEST)"), 0.5,
        10.5);
    r.NewLine();
    if (Style_.CommitteeID) {
        r.TextAt(QStringLiteral("Committee ID Number: ") + QString::number(*Style_.CommitteeID),
                 0.5);
    }
    r.TextRightAt(PrintedDateText(), 10.5);
    r.NewLine();
    r.TextAt(QStringLiteral("Position: ") + Style_.Position, 0.5);
    r.TextRightAt(QStringLiteral("Page:"), 10.0);
    r.TextRightAt(QString::number(r.PageNumber()), 10.5);
    r.NewLine();
    r.NewLine();
    r.TextCentred(QStringLiteral("Preferred Criteria"), 0.5, 10.5);
    r.NewLine();
    r.NewLine();
    r.NewLine();
    Legend();
    ColumnHeads();
}

void TRatingSheetLayout::Legend() {
    TReportPreviewForm& r = Report_;
    const double remembered = r.GetPosition();
    r.SetFont(Style_.LandscapeFont, Qt::black, {});
    r.SetPositionFromBottom(LegendFromBottom);

    r.ShadeLine(ButtonFaceColor(), 0.5, 10.5);
    r.SetPen(1, Qt::black, Qt::SolidLine);
    r.HorizontalRule(true, 0.5, 10.5);
    r.HorizontalRule(false, 0.5, 10.5);
    for (const double x : {0.5, 10.5, 5.5}) {
        r.VerticalRule(x);
    }
    r.TextAt(QStringLiteral("Preferred Criteria"), 0.75);
    r.TextRightAt(QStringLiteral("Weight"), 5.45);
    r.TextAt(QStringLiteral("Preferred Criteria"), 5.75);
    r.TextRightAt(QStringLiteral("Weight"), 10.45);

    // Slots 1 to 6 down the left half, 7 to 12 on the same rows in the right half.
    double firstRow = 0;
    for (int n = 1; n <= LegendSlots; ++n) {
        r.NewLine();
        if (n == 1) {
            firstRow = r.GetPosition();
        }
        const bool left = n <= LegendRows;
        if (n == LegendRows + 1) {
            r.HorizontalRule(true, 0.5, 10.5);
            r.SetPosition(firstRow);
        }
        const double shift = left ? 0.0 : 5.0;
        r.TextRightAt(QStringLiteral("#") + QString::number(n), 0.75 + shift);
        if (static_cast<std::size_t>(n) <= Legend_.size()) {
            const TLegendCriterion& criterion = Legend_[static_cast<std::size_t>(n - 1)];
            r.TextAt(criterion.Mark, 0.8 + shift);
            r.TextAt(criterion.Description, 0.85 + shift);
            r.TextRightAt(QString::number(criterion.Weight), 5.45 + shift);
        }
        if (left) {
            for (const double x : {0.5, 10.5, 5.5}) {
                r.VerticalRule(x);
            }
        }
    }
    r.NewLine();
    r.TextCentred(QStringLiteral("* Determined By Reference Check Or Interview Only"), 0.5, 10.5);
    if (Style_.BoldNote) {
        r.NewLine();
        r.SetFont(Style_.LandscapeFont, Qt::black, TFontStyle::Bold);
        r.TextCentred(QStringLiteral("Bolded values indicated that the score was determined by "
                                     "averaging the ratings because of missing committee member "
                                     "ratings"),
                      0.5, 10.5);
        r.SetFont(Style_.LandscapeFont, Qt::black, {});
    }
    r.SetPosition(remembered);
}

void TRatingSheetLayout::ColumnHeads() {
    TReportPreviewForm& r = Report_;
    // Slanted rules from the bottom of the line to a quarter inch above its top.
    const double above = r.GetPosition() - 0.25;
    for (int i = 0; i <= Criteria; ++i) {
        r.DrawLine(FirstColumn + ColumnWidth * i, -1, FirstColumn + 0.125 + ColumnWidth * i, above);
    }
    for (int i = 0; i < Criteria; ++i) {
        const double left = FirstColumn + 0.125 + ColumnWidth * i;
        r.TextCentred(QStringLiteral("#") + QString::number(i + 1), left, left + 0.125);
    }
    r.TextAt(QStringLiteral("Comments"), 7.625);
    if (Style_.Totals) {
        r.TextAt(QStringLiteral("Total"), 9.5);
        r.TextAt(QStringLiteral("With Vet"), 9.875);
    }
    r.NewLine();
}

void TRatingSheetLayout::Number(std::int64_t value, double x, bool marked) {
    const bool bold = marked && Style_.Highlight;
    if (bold) {
        Report_.SetFont(Style_.LandscapeFont, Qt::black, TFontStyle::Bold);
    }
    Report_.TextRightAt(QString::number(value), x);
    if (bold) {
        Report_.SetFont(Style_.LandscapeFont, Qt::black, {});
    }
}

void TRatingSheetLayout::Line(const TScoreLine& line) {
    TReportPreviewForm& r = Report_;
    r.VerticalRule(0.5);
    r.TextAt(FromCodePage(std::string(1, line.Mark)), 0.55);
    r.TextAt(FittedText(r, FromCodePage(line.Name), 0.6, FirstColumn), 0.6);
    for (int i = 0; i <= Criteria; ++i) {
        const double x = FirstColumn + ColumnWidth * i;
        r.VerticalRule(x);
        if (i < Criteria) {
            const std::int64_t value = line.Values[static_cast<std::size_t>(i)];
            if (value != 0) {
                Number(std::abs(value), x + ColumnWidth, value < 0);
            }
        }
    }
    r.TextAt(FromCodePage(line.Comments), 6.9);
    r.VerticalRule(9.37);
    double end = 9.37;
    if (Style_.Totals) {
        const bool marked = line.Marked();
        if (line.Total > 0) {
            Number(line.Total, 9.87, marked);
        }
        r.VerticalRule(9.875);
        if (line.Score > 0) {
            Number(line.Score, 10.45, marked);
        }
        r.VerticalRule(10.5);
        end = 10.5;
    }
    r.HorizontalRule(true, 0.5, end);
    r.HorizontalRule(false, 0.5, end);
    EndLine();
}

void TRatingSheetLayout::Note(const QStringList& pieces, double x) {
    TReportPreviewForm& r = Report_;
    const double right = Style_.Totals ? 10.5 : 9.37;
    QString line;
    double at = x;
    const auto flush = [&] {
        r.TextAt(FittedText(r, line, at, right), at);
        EndLine();
        line.clear();
        at = x + 0.25;
    };
    for (const QString& piece : pieces) {
        const QString longer = line.isEmpty() ? piece : line + QLatin1Char(' ') + piece;
        if (!line.isEmpty() && !TextFits(r, longer, at, right)) {
            flush();
            line = piece;
        } else {
            line = longer;
        }
    }
    flush();
}

void TRatingSheetLayout::Break(int together) {
    TReportPreviewForm& r = Report_;
    const double line = static_cast<double>(r.LineHeight()) / r.VerticalResolution();
    if (r.GetPosition() + together * line >= LastLineTop) {
        r.NewPage();
        PageHeader();
    } else {
        r.NewLine();
    }
}

void TRatingSheetLayout::EndLine() {
    TReportPreviewForm& r = Report_;
    r.NewLine();
    if (r.PageStarted()) {
        // The line feed itself ran off the page: the new page needs its header all the same.
        PageHeader();
    } else if (r.GetPosition() >= LastLineTop) {
        r.NewPage();
        PageHeader();
    }
}

// The decision list's columns: member, applicant, decision, reason.
constexpr double DecisionRules[] = {0.5, 3.0, 5.5, 6.3, 10.5};

void TRatingSheetLayout::DecisionBand() {
    TReportPreviewForm& r = Report_;
    r.ShadeLine(ButtonFaceColor(), 0.5, 10.5);
    r.SetPen(1, Qt::black, Qt::SolidLine);
    r.HorizontalRule(true, 0.5, 10.5);
    r.HorizontalRule(false, 0.5, 10.5);
    const char* captions[] = {"Committee Member", "Applicant", "Decision", "Reason"};
    for (std::size_t i = 0; i < std::size(DecisionRules); ++i) {
        r.VerticalRule(DecisionRules[i]);
        if (i < std::size(captions)) {
            r.TextAt(QString::fromLatin1(captions[i]), DecisionRules[i] + 0.05);
        }
    }
    EndLine();
}

void TRatingSheetLayout::Decisions(const std::vector<TDecisionRow>& rows) {
    if (rows.empty()) {
        return;
    }
    TReportPreviewForm& r = Report_;
    // The heading, the band and the first decision together.
    Break(3);
    r.SetFont(Style_.LandscapeFont, Qt::black, TFontStyle::Bold);
    r.TextAt(QStringLiteral("Recusals And Abstentions"), 0.5);
    r.SetFont(Style_.LandscapeFont, Qt::black, {});
    EndLine();
    DecisionBand();
    for (const TDecisionRow& row : rows) {
        const QString texts[] = {DecisionMemberText(row), DecisionApplicantText(row),
                                 QString::fromLatin1(DecisionKindText(row.Decision.Kind)),
                                 FromCodePage(row.Decision.Reason)};
        for (std::size_t i = 0; i < std::size(DecisionRules); ++i) {
            r.VerticalRule(DecisionRules[i]);
            if (i < std::size(texts)) {
                const double x = DecisionRules[i] + 0.05;
                r.TextAt(FittedText(r, texts[i], x, DecisionRules[i + 1]), x);
            }
        }
        r.HorizontalRule(true, 0.5, 10.5);
        r.HorizontalRule(false, 0.5, 10.5);
        const int page = r.PageCount();
        EndLine();
        if (r.PageCount() != page && &row != &rows.back()) {
            DecisionBand();
        }
    }
}

bool TextFits(const TReportPreviewForm& report, const QString& text, double from, double to) {
    // A small gap before the rule that ends the room.
    const int gap = report.HorizontalResolution() * 3 / 100;
    return report.TextWidth(text) <= report.Column(to) - report.Column(from) - gap;
}

QString FittedText(const TReportPreviewForm& report, const QString& text, double from, double to) {
    QString fitted = text;
    while (!fitted.isEmpty() && !TextFits(report, fitted, from, to)) {
        fitted.chop(1);
    }
    return fitted;
}

} // namespace korvane
