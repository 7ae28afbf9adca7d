#pragma once

#include <QString>

namespace korvane {

class TReportPreviewForm;

// Lines 1 to 3 of every printed sheet, centred across the page, each ending with a line feed:
// "Korvane" (24 pt), "Version 1.3" (14 pt) and the organisation's name (14 pt bold italic; an
// empty name leaves its line empty).
void PrintSheetBanner(TReportPreviewForm& report, const QString& organisation);

// "Printed: " and today's date in the system's short date format.
QString PrintedDateText();

// A header line that also carries the date: text centred between xLeft and xRight in the
// largest size from 14 pt down to dateSize in which it ends clear of the date, then "Printed: "
// and the date right at dateRight in dateSize, which stays set. A text too long even in dateSize
// is cut with "…" before the date.
void PrintTitleBesideDate(TReportPreviewForm& report, const QString& text, double xLeft,
                          double xRight, double dateRight, int dateSize);

// What the list page header shows besides the banner.
struct TListHeaderText {
    QString Organisation;
    QString Title;
    QString Position;
    int PortraitFont = 10;
};

// Lines 1 to 6 of the page header of a list printout: the banner; the title and the position
// centred between 0.5 in and half an inch before the page's right edge (8.0 in on a portrait
// page) in 14 pt (a long position smaller, beside the date: PrintTitleBesideDate); "Printed: "
// with the date right at that edge and "Page:" with the page number right half an inch before
// it and at it, in the portrait font size, which stays set afterwards.
void PrintListPageHeader(TReportPreviewForm& report, const TListHeaderText& text);

// The header text of a list titled title, from the organisation, the position title and the
// settings in force.
TListHeaderText ListHeaderText(const QString& title);

} // namespace korvane
