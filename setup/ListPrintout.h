#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace korvane {

class TReportPreviewForm;

// One item of the shaded column band: a caption left at X, or a vertical rule at X.
struct TBandItem {
    double X;
    const char* Caption; // nullptr: a vertical rule
};

// One cell of a printed row: the text of grid column Column, left or right at X.
struct TRowCell {
    int Column;
    double X;
    bool RightAligned;
};

// The layout of a list printout (portrait page): the title of the page header, the column
// band, the row cells and an optional footnote after the last row.
struct TListPrintout {
    const char* Title;
    double BandLeft;
    double BandRight;
    std::vector<TBandItem> Band;
    std::vector<TRowCell> Row;
    const char* Footnote = nullptr;
};

// Line 7 of the page header: the shaded, framed band with the column captions, then a line feed.
void PrintListBand(TReportPreviewForm& report, const TListPrintout& printout);
// The cells of one row in the portrait font; no line feed.
void PrintListCells(TReportPreviewForm& report, const TListPrintout& printout,
                    const std::function<QString(int col)>& text);
// After the last row: one more line feed, then the footnote centred in the portrait font. No
// page header follows, even when that line feed began a new page.
void PrintListFootnote(TReportPreviewForm& report, const TListPrintout& printout);

// The footnote of the lists that carry the reference-check mark.
inline constexpr const char* ReferenceCheckFootnote =
    "* Determined By Reference Check Or Interview Only";

} // namespace korvane
