#pragma once

#include <QColor>
#include <QDialog>
#include <QFlags>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>

#include <map>
#include <memory>
#include <string>

#include "reports/LineText.h"
#include "reports/PageRules.h"
#include "reports/PrintDestination.h"

class QLabel;
class QPushButton;
class QScrollArea;

namespace korvane {

// The light grey of shaded bands on paper: fixed, so that a dark desktop theme does not print
// dark bands under black text.
inline QColor ButtonFaceColor() {
    return QColor(0xD4, 0xD0, 0xC8);
}

class TMessageForm;
class TReportFont;
class TReportPrinter;

// How the preview window shows a page: at its own size, or scaled to show it whole or as wide as
// the window.
enum class TPageFit { ActualSize, Page, Width };

enum class TFontStyle { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

// Every printout goes through one of these: a line-oriented page writer with positions in
// inches, and for the preview destination also the window that shows the finished pages.
//
// Use: create it owned by the calling window, BeginReport, write, EndReport, release it. For
// the printer the pages go to the print job; for the preview each finished page is stored as
// "<n>.jpg" in TempFolder() and EndReport shows the pages modally, deleting the files when the
// window closes.
//
// Horizontal positions become device columns by truncation, less the printer's unprintable
// left margin, held to 0 .. printable width; vertical positions become device rows by
// truncation. Text stands with the top of its cell at the current line top, as a printer canvas
// draws it: the cell is one line high, so a line's text stays between its top and bottom rules.
class TReportPreviewForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int ToPreview = TPrintDestination::ToPreview;
    static constexpr int ToPrinter = TPrintDestination::ToPrinter;
    static constexpr const char* DefaultFontName = "Times New Roman";

    // printer: where the printer destination goes; the system printer when null.
    explicit TReportPreviewForm(QWidget* owner = nullptr, TReportPrinter* printer = nullptr);
    ~TReportPreviewForm() override;

    // Resolution of the preview pages; 0 (the default) takes the screen's. Set before
    // BeginReport.
    void SetPreviewResolution(int dotsPerInch) { PreviewResolution_ = dotsPerInch; }

    // Report writing.
    void BeginReport(int destination, bool fixedPaper, bool landscape);
    // The same for a destination chosen by the caller, with or without the status window.
    void BeginReport(const TPrintDestination& to, bool fixedPaper, bool landscape);
    void EndReport();
    void NewLine();
    void NewPage();
    void SetFontName(const QString& faceName);
    // size -1 keeps size, colour and style and only applies the face name.
    void SetFont(int size, const QColor& colour = Qt::black, TFontStyles style = {});
    void SetPen(int width, const QColor& colour, Qt::PenStyle style = Qt::SolidLine);
    void TextAt(const QString& text, double x);
    void TextRightAt(const QString& text, double x);
    void TextCentred(const QString& text, double xLeft, double xRight);
    void VerticalRule(double x);
    void HorizontalRule(bool atTop, double xLeft, double xRight);
    // A negative yFrom means one line below the current line top, a negative yTo one line above.
    void DrawLine(double xFrom, double yFrom, double xTo, double yTo);
    // Fills the current line from xLeft to xRight; leaves the pen invisible.
    void ShadeLine(const QColor& colour, double xLeft, double xRight);
    void SetPosition(double y);
    double GetPosition() const;
    void SetPositionFromBottom(double d);
    int LineHeight() const;
    int TextWidth(const QString& text) const;
    // The text cut with "…" to at most width device units in the current font.
    QString ElidedText(const QString& text, int width) const;

    // State a report reads (and the page number it may reset).
    double PageWidth() const { return PageWidth_; }
    double PageHeight() const { return PageHeight_; }
    int PageNumber() const { return PageNumber_; }
    void SetPageNumber(int number) { PageNumber_ = number; }
    bool PageStarted() const { return PageStarted_; }
    int PageCount() const { return PageCount_; }
    int Destination() const { return Destination_; }

    // Device state, for tests and benchmarks.
    int HorizontalResolution() const { return ResolutionX_; }
    int VerticalResolution() const { return ResolutionY_; }
    int PrintableWidth() const { return PrintableWidth_; }
    int PrintableHeight() const { return PrintableHeight_; }
    int HorizontalOffset() const { return HorizontalOffset_; }
    int LineTop() const { return LineTop_; }
    QPen Pen() const { return Pen_; }
    QFont Font() const { return Font_; }
    // The preview page being shown, and how it is fitted in the window.
    int CurrentPage() const { return CurrentPage_; }
    TPageFit PageFit() const { return Fit_; }
    // The page file of page n in the temporary folder.
    std::string PageFileName(int n) const;

    // Device column of x and row of y (inches).
    int Column(double x) const;
    int Row(double y) const;

    // The status window while the report runs, null otherwise.
    const TMessageForm* StatusWindow() const { return Status_.get(); }

    // The preview window opens at the size and with the fit the user last gave it in this run;
    // this forgets them, so that the next one opens at its first size, pages at their own size
    // (tests).
    static void ForgetLastView();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Preview window handlers.
    void FormShow();
    void FormClose();
    void NextBtnClick();
    void PreviousBtnClick();
    void ShowPage(int n);
    // Fits the page shown as fit says, and remembers that for the run.
    void SetFit(TPageFit fit);
    // Sizes the picture of the page for the fit and the room in the window.
    void FormResize();

    void StatusUpdate();
    void StorePage();
    void DrawText(int x, const QString& text);
    void DrawSegment(int x1, int y1, int x2, int y2);
    // Draws the texts the current line holds; the rules and texts the page holds.
    void DrawLineText();
    void DrawHeld();
    QPaintDevice* Device() const;
    void BuildWindow();
    // Wide enough for a whole page where the screen allows, never below the window's minimum.
    QSize FirstWindowSize() const;

    TReportPrinter* Printer_;
    int PreviewResolution_ = 0;
    int Destination_ = ToPreview;
    double PageWidth_ = 8.5;
    double PageHeight_ = 11;
    int ResolutionX_ = 0;
    int ResolutionY_ = 0;
    int PrintableWidth_ = 0;
    int PrintableHeight_ = 0;
    int HorizontalOffset_ = 0;
    int LineTop_ = 0;
    int PageCount_ = 1;
    int PageNumber_ = 1;
    int CurrentPage_ = 0;
    TPageFit Fit_ = TPageFit::ActualSize;
    QString FontName_;
    std::string TempFolder_;
    bool PageStarted_ = false;
    bool ShowProgress_ = true;
    bool PagesStored_ = false;

    QFont Font_;
    // The fonts of this report with the texts shaped in them; the current one.
    std::map<QFont, std::unique_ptr<TReportFont>> Fonts_;
    TReportFont* Current_ = nullptr;
    QColor TextColour_ = Qt::black;
    QPen Pen_;
    QImage Page_;
    QPainter Painter_;
    // Texts wait for the end of their line and rules for the end of their page on the devices
    // that draw glyphs as they draw text (a PDF file, the preview's page); any other device gets
    // each call as it comes.
    bool Batched_ = false;
    TLineText LineText_;
    TPageRules Rules_;
    std::unique_ptr<TMessageForm> Status_;

    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* PageLabel = nullptr;
    QPushButton* FitPageBtn = nullptr;
    QPushButton* FitWidthBtn = nullptr;
    QPushButton* PreviousBtn = nullptr;
    QPushButton* NextBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
};

} // namespace korvane
