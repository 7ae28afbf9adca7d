#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

#include "data/RatingProgress.h"
#include "data/ScoreComputation.h"
#include "data/SelectDataBase.h"

namespace korvane {

class TReportPreviewForm;

// One slot of the criteria legend.
struct TLegendCriterion {
    QString Mark; // the sample criterion's mark; a blank when the sample criterion is gone
    QString Description;
    int Weight = 0;
};

// The selected preferred criteria in file order (the first 12), with the mark and description of
// their sample criterion in SamplePr.dat.
std::vector<TLegendCriterion> LegendCriteria(const std::vector<TSelectRecord>& selected);

// What sets the committee's final rating sheet and a member's rating sheet apart, and the texts
// of the run.
struct TRatingSheetStyle {
    QString Title;
    bool BoldTitle = true;
    // Under the title: whether the sheet is the finalised one ("Finalised On …", "Draft").
    QString Stamp;
    // A member's sheet names the member on the date line.
    std::optional<std::int32_t> CommitteeID;
    // The Total and With Vet columns; without them the lines end at the comments.
    bool Totals = true;
    // The note that bold values rest on averages, under the legend's footnote.
    bool BoldNote = false;
    // Values resting on a fill-in, and the totals of their line, in bold.
    bool Highlight = false;
    QString Organisation;
    QString Position;
    int PortraitFont = 10;
    int LandscapeFont = 8;
};

// The committee's sheet, from the settings and texts in force.
TRatingSheetStyle FinalSheetStyle();
// One member's sheet, with or without the totals.
TRatingSheetStyle MemberSheetStyle(std::int32_t committeeID, bool totals);

// The landscape rating sheet: page header with the criteria legend at the foot of the page and
// the slanted column heads, then one ruled line per applicant. A line that ends 6.5 inches or
// more down the page is followed by a new page with its header, so the lines stay above the
// legend.
class TRatingSheetLayout {
public:
    TRatingSheetLayout(TReportPreviewForm& report, TRatingSheetStyle style,
                       std::vector<TLegendCriterion> legend);

    // The page header, then one line each.
    void Print(const std::vector<TScoreLine>& lines);

    void PageHeader();
    void Line(const TScoreLine& line);
    // A free line below the lines, or a new page when the next `together` lines would not all
    // fit on this one.
    void Break(int together);
    // A text below the lines: the pieces joined by blanks, from x to the right end of the
    // lines, wrapped between pieces onto further lines a quarter inch further in; the pages
    // break as they do after a line.
    void Note(const QStringList& pieces, double x);
    // After the lines: the recusals and abstentions (member, applicant, decision, reason) under
    // a heading and a band of their own, on the same page when they fit.
    void Decisions(const std::vector<TDecisionRow>& rows);

private:
    // The line feed after a line: past the last line's place, a new page with its header.
    void EndLine();
    void DecisionBand();
    void Legend();
    void ColumnHeads();
    // A number right-aligned at x, bold when it rests on a fill-in and highlighting is on.
    void Number(std::int64_t value, double x, bool marked);

    TReportPreviewForm& Report_;
    TRatingSheetStyle Style_;
    std::vector<TLegendCriterion> Legend_;
};

// Whether text in the report's current font fits between the positions from and to (inches),
// a small gap before to.
bool TextFits(const TReportPreviewForm& report, const QString& text, double from, double to);
// The longest start of text that fits between the positions from and to (inches) in the report's
// current font: a long name stops short of the next column instead of running over it.
QString FittedText(const TReportPreviewForm& report, const QString& text, double from, double to);

} // namespace korvane
