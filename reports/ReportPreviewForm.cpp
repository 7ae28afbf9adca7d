#include "reports/ReportPreviewForm.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPaintEngine>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "data/Rounding.h"
#include "platform/sys/TempFolder.h"
#include "platform/ui/Display.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/JpegCodec.h"
#include "platform/ui/SearchAnimation.h"
#include "platform/ui/SystemPrinter.h"
#include "reports/MessageForm.h"
#include "reports/ReportFont.h"
#include "reports/ReportPrinter.h"

namespace korvane {

namespace {

constexpr int InitialFontSize = 10;
constexpr QSize MinimumPreviewSize(614, 358);
constexpr int PanelHeight = 41;
constexpr int PreviewHelpContext = 520;

// The size and the fit the user last gave the preview window in this run; an invalid size until
// then.
QSize PreviewWindowSize;
TPageFit PreviewFit = TPageFit::ActualSize;
constexpr int JpegQuality = 90;

// Pixel height of a font of size points on a device of dpi dots per inch, rounded.
int PixelSize(int points, int dpi) {
    const long long scaled = static_cast<long long>(points) * dpi;
    return std::max(1, static_cast<int>((scaled + 36) / 72));
}

int ScreenResolution() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        return std::max(1, qRound(screen->logicalDotsPerInchX()));
    }
    return 96;
}

QImage BlankPage(int width, int height, int dpi) {
    QImage page(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(dpi / 0.0254));
    page.setDotsPerMeterY(qRound(dpi / 0.0254));
    page.fill(Qt::white);
    return page;
}

} // namespace

TReportPreviewForm::TReportPreviewForm(QWidget* owner, TReportPrinter* printer)
    : QDialog(owner), Printer_(printer != nullptr ? printer : &SystemReportPrinter()) {
    setObjectName(QStringLiteral("ReportPreviewForm"));
    Font_.setKerning(false);
    Font_.setStyleStrategy(QFont::PreferOutline);
}

TReportPreviewForm::~TReportPreviewForm() {
    if (Painter_.isActive()) {
        Painter_.end();
    }
    FormClose();
}

// --- Device arithmetic ---------------------------------------------------------------------

int TReportPreviewForm::Column(double x) const {
    int column = TruncatedProduct(ResolutionX_, x) - HorizontalOffset_;
    column = std::max(column, 0);
    if (PrintableWidth_ != 0) {
        column = std::min(column, PrintableWidth_);
    }
    return column;
}

int TReportPreviewForm::Row(double y) const {
    return TruncatedProduct(ResolutionY_, y);
}

QPaintDevice* TReportPreviewForm::Device() const {
    if (Destination_ == ToPrinter) {
        return Printer_->Device();
    }
    return const_cast<QImage*>(&Page_);
}

std::string TReportPreviewForm::PageFileName(int n) const {
    return TempFolder_ + std::to_string(n) + ".jpg";
}

// --- Report writing ------------------------------------------------------------------------

void TReportPreviewForm::BeginReport(const TPrintDestination& to, bool fixedPaper, bool landscape) {
    ShowProgress_ = to.ShowProgress;
    BeginReport(to.Destination, fixedPaper, landscape);
    ShowProgress_ = true;
}

void TReportPreviewForm::BeginReport(int destination, bool fixedPaper, bool landscape) {
    LineTop_ = 0;
    PageCount_ = 1;
    PageNumber_ = 1;
    HorizontalOffset_ = 0;
    PrintableWidth_ = 0;
    PrintableHeight_ = 0;
    Destination_ = destination == ToPrinter ? ToPrinter : ToPreview;
    PageWidth_ = 8.5;
    PageHeight_ = 11;
    if (!fixedPaper && landscape) {
        std::swap(PageWidth_, PageHeight_);
    }
    if (Destination_ == ToPrinter) {
        Printer_->SetLandscape(landscape);
    } else {
        // A folder of this report's own: two running copies never share page files.
        TempFolder_ = NewRunFolder("preview-");
    }

    Status_ = std::make_unique<TMessageForm>(this);
    Status_->setWindowTitle(QStringLiteral("Print Reports"));
    Status_->Animation()->Start();
    if (ShowProgress_) {
        Status_->show();
        // Let the window system map the window once, so that the explicit repaints below
        // reach the screen; user input stays queued.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    Status_->SetStatus(QStringLiteral("Starting Print Job"));

    // Device set-up. The resolution is read before the face is applied, so that the first
    // line height is measured on the page's own device.
    PageStarted_ = false;
    if (Destination_ == ToPrinter) {
        QPaintDevice* device = Printer_->Device();
        ResolutionX_ = device->logicalDpiX();
        ResolutionY_ = device->logicalDpiY();
        const QPoint offset = Printer_->PhysicalOffset();
        const QSize paper = Printer_->PaperSize();
        HorizontalOffset_ = offset.x();
        PrintableWidth_ = paper.width() - 2 * offset.x();
        PrintableHeight_ = paper.height() - 2 * offset.y();
    } else {
        const int dpi = PreviewResolution_ > 0 ? PreviewResolution_ : ScreenResolution();
        ResolutionX_ = dpi;
        ResolutionY_ = dpi;
        PrintableWidth_ = Column(PageWidth_);
        PrintableHeight_ = Row(PageHeight_);
        Page_ = BlankPage(PrintableWidth_, PrintableHeight_, dpi);
    }
    Fonts_.clear();
    Current_ = nullptr;
    LineText_.Clear();
    Rules_.Clear();
    Font_.setPixelSize(PixelSize(InitialFontSize, ResolutionY_));
    TextColour_ = Qt::black;
    Pen_ = QPen(Qt::black, 0, Qt::SolidLine);
    SetFontName(QString::fromLatin1(DefaultFontName));

    if (Destination_ == ToPrinter) {
        Printer_->BeginJob(Painter_, QStringLiteral("Korvane"));
    } else {
        Painter_.begin(&Page_);
    }
    Batched_ = false;
    if (Painter_.isActive()) {
        const QPaintEngine::Type engine = Painter_.paintEngine()->type();
        Batched_ = engine == QPaintEngine::Pdf || engine == QPaintEngine::Raster;
        Painter_.setBackgroundMode(Qt::TransparentMode);
    }
    StatusUpdate();
}

void TReportPreviewForm::StatusUpdate() {
    if (Status_) {
        Status_->SetStatus(QStringLiteral("Sending Page: ") + QString::number(PageCount_) +
                           QStringLiteral(" To") +
                           (Destination_ == ToPrinter ? QStringLiteral(" Printer.")
                                                      : QStringLiteral(" Preview.")));
    }
    PageStarted_ = true;
}

void TReportPreviewForm::StorePage() {
    if (Painter_.isActive()) {
        DrawHeld();
        Painter_.end();
    }
    // A page that cannot be written is shown blank.
    SaveJpeg(Page_, QFile::decodeName(PageFileName(PageCount_).c_str()), JpegQuality);
    PagesStored_ = true;
}

void TReportPreviewForm::NewLine() {
    DrawLineText();
    LineTop_ += LineHeight();
    if (LineTop_ < PrintableHeight_ - LineHeight()) {
        PageStarted_ = false;
    } else {
        NewPage();
    }
}

void TReportPreviewForm::NewPage() {
    if (Destination_ == ToPrinter) {
        if (Painter_.isActive()) {
            DrawHeld();
            Printer_->NewPage();
        }
    } else {
        StorePage();
        // The stored page's bitmap serves the next one.
        Page_.fill(Qt::white);
        Painter_.begin(&Page_);
        Painter_.setBackgroundMode(Qt::TransparentMode);
    }
    LineTop_ = 0;
    ++PageCount_;
    ++PageNumber_;
    StatusUpdate();
}

void TReportPreviewForm::EndReport() {
    Status_.reset();
    if (Destination_ == ToPrinter) {
        if (Painter_.isActive()) {
            DrawHeld();
            Printer_->EndJob(Painter_);
        }
        return;
    }
    StorePage();
    // Only one page image at a time: the one shown.
    Page_ = QImage();
    BuildWindow();
    exec();
    FormClose();
}

void TReportPreviewForm::SetFontName(const QString& faceName) {
    FontName_ = faceName;
    SetFont(-1);
}

void TReportPreviewForm::SetFont(int size, const QColor& colour, TFontStyles style) {
    Font_.setFamily(FontName_);
    if (size != -1) {
        Font_.setPixelSize(PixelSize(size, ResolutionY_ > 0 ? ResolutionY_ : 96));
        Font_.setBold(style.testFlag(TFontStyle::Bold));
        Font_.setItalic(style.testFlag(TFontStyle::Italic));
        Font_.setUnderline(style.testFlag(TFontStyle::Underline));
        Font_.setStrikeOut(style.testFlag(TFontStyle::StrikeOut));
        TextColour_ = colour;
    }
    auto& font = Fonts_[Font_];
    if (!font) {
        font = std::make_unique<TReportFont>(Font_, Device());
    }
    Current_ = font.get();
}

void TReportPreviewForm::SetPen(int width, const QColor& colour, Qt::PenStyle style) {
    Pen_ = QPen(colour, std::max(width, 0), style);
}

int TReportPreviewForm::LineHeight() const {
    return Current_ != nullptr ? Current_->Height() : 0;
}

int TReportPreviewForm::TextWidth(const QString& text) const {
    return Current_ != nullptr ? Current_->Width(text) : 0;
}

QString TReportPreviewForm::ElidedText(const QString& text, int width) const {
    return Current_ != nullptr
               ? Current_->Metrics().elidedText(text, Qt::ElideRight, std::max(width, 0))
               : text;
}

void TReportPreviewForm::DrawText(int x, const QString& text) {
    if (!Painter_.isActive() || Current_ == nullptr) {
        return;
    }
    // The painter places text by its baseline; the report by the top of the text cell.
    const QPoint origin(x, LineTop_ + Current_->Ascent());
    if (Batched_) {
        const TShapedText& shaped = Current_->Shaped(text);
        if (!shaped.Runs.isEmpty()) {
            LineText_.Add(origin, shaped.Runs, TextColour_);
            return;
        }
    }
    Painter_.setFont(Font_);
    Painter_.setPen(TextColour_);
    Painter_.drawText(origin, text);
}

void TReportPreviewForm::DrawSegment(int x1, int y1, int x2, int y2) {
    if (!Painter_.isActive()) {
        return;
    }
    if (Batched_) {
        Rules_.Add(QLine(x1, y1, x2, y2), Pen_, Painter_);
    } else {
        Painter_.setPen(Pen_);
        Painter_.drawLine(x1, y1, x2, y2);
    }
}

void TReportPreviewForm::DrawLineText() {
    if (Painter_.isActive()) {
        LineText_.Draw(Painter_);
    }
}

void TReportPreviewForm::DrawHeld() {
    if (Painter_.isActive()) {
        Rules_.Draw(Painter_);
        LineText_.Draw(Painter_);
    }
}

void TReportPreviewForm::TextAt(const QString& text, double x) {
    DrawText(Column(x), text);
}

void TReportPreviewForm::TextRightAt(const QString& text, double x) {
    DrawText(Column(x) - TextWidth(text), text);
}

void TReportPreviewForm::TextCentred(const QString& text, double xLeft, double xRight) {
    const int left = Column(xLeft);
    const int right = Column(xRight);
    DrawText(left + (right - left) / 2 - TextWidth(text) / 2, text);
}

void TReportPreviewForm::VerticalRule(double x) {
    const int column = Column(x);
    DrawSegment(column, LineTop_, column, LineTop_ + LineHeight());
}

void TReportPreviewForm::HorizontalRule(bool atTop, double xLeft, double xRight) {
    const int y = atTop ? LineTop_ : LineTop_ + LineHeight();
    DrawSegment(Column(xLeft), y, Column(xRight), y);
}

void TReportPreviewForm::DrawLine(double xFrom, double yFrom, double xTo, double yTo) {
    const int from = yFrom < 0 ? LineTop_ + LineHeight() : Row(yFrom);
    const int to = yTo < 0 ? LineTop_ - LineHeight() : Row(yTo);
    DrawSegment(Column(xFrom), from, Column(xTo), to);
}

void TReportPreviewForm::ShadeLine(const QColor& colour, double xLeft, double xRight) {
    Pen_ = QPen(ButtonFaceColor(), 0, Qt::NoPen);
    if (!Painter_.isActive()) {
        return;
    }
    // The band lies under what the page draws after it, over what it drew before.
    DrawHeld();
    const int left = Column(xLeft);
    const int right = Column(xRight);
    Painter_.fillRect(QRect(QPoint(left, LineTop_), QPoint(right - 1, LineTop_ + LineHeight() - 1)),
                      colour);
}

void TReportPreviewForm::SetPosition(double y) {
    DrawLineText();
    LineTop_ = Row(y);
}

double TReportPreviewForm::GetPosition() const {
    return ResolutionY_ > 0 ? static_cast<double>(LineTop_) / ResolutionY_ : 0.0;
}

void TReportPreviewForm::SetPositionFromBottom(double d) {
    SetPosition(PageHeight_ - d);
}

// --- Preview window ------------------------------------------------------------------------

void TReportPreviewForm::BuildWindow() {
    if (ScrollBox1 != nullptr) {
        return;
    }
    setWindowTitle(QStringLiteral("Report Preview"));
    setMinimumSize(MinimumPreviewSize);
    SetHelpContext(this, PreviewHelpContext);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    // A page narrower than the window is centred; a wider one starts at 0 and scrolls.
    ScrollBox1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ScrollBox1->setWidgetResizable(false);
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    ScrollBox1->setWidget(Image1);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(PanelHeight);
    PageLabel = new QLabel(panel);
    PageLabel->setObjectName(QStringLiteral("PageLabel"));
    FitPageBtn = new QPushButton(QStringLiteral("Fit Pa&ge"), panel);
    FitPageBtn->setObjectName(QStringLiteral("FitPageBtn"));
    FitPageBtn->setToolTip(QStringLiteral("Show the whole page in the window (Ctrl+0)"));
    FitWidthBtn = new QPushButton(QStringLiteral("Fit &Width"), panel);
    FitWidthBtn->setObjectName(QStringLiteral("FitWidthBtn"));
    FitWidthBtn->setToolTip(QStringLiteral("Show the page as wide as the window (Ctrl+2)"));
    for (QPushButton* fit : {FitPageBtn, FitWidthBtn}) {
        fit->setCheckable(true);
        fit->setAutoDefault(false);
    }
    PreviousBtn = new QPushButton(QStringLiteral("&Previous"), panel);
    PreviousBtn->setObjectName(QStringLiteral("PreviousBtn"));
    PreviousBtn->setEnabled(false);
    PreviousBtn->setAutoDefault(false);
    NextBtn = new QPushButton(QStringLiteral("&Next"), panel);
    NextBtn->setObjectName(QStringLiteral("NextBtn"));
    NextBtn->setEnabled(false);
    NextBtn->setAutoDefault(false);
    CloseBtn = new QPushButton(QStringLiteral("&Close"), panel);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    auto* buttons = new QHBoxLayout(panel);
    buttons->addWidget(PageLabel);
    buttons->addStretch(1);
    buttons->addWidget(FitPageBtn);
    buttons->addWidget(FitWidthBtn);
    buttons->addSpacing(12);
    buttons->addWidget(PreviousBtn);
    buttons->addWidget(NextBtn);
    buttons->addWidget(CloseBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(panel);

    connect(NextBtn, &QPushButton::clicked, this, &TReportPreviewForm::NextBtnClick);
    connect(PreviousBtn, &QPushButton::clicked, this, &TReportPreviewForm::PreviousBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    // A fit button pressed again shows the page at its own size.
    connect(FitPageBtn, &QPushButton::clicked, this,
            [this](bool on) { SetFit(on ? TPageFit::Page : TPageFit::ActualSize); });
    connect(FitWidthBtn, &QPushButton::clicked, this,
            [this](bool on) { SetFit(on ? TPageFit::Width : TPageFit::ActualSize); });
    const std::pair<Qt::Key, TPageFit> keys[] = {{Qt::Key_0, TPageFit::Page},
                                                 {Qt::Key_1, TPageFit::ActualSize},
                                                 {Qt::Key_2, TPageFit::Width}};
    for (const auto& [key, fit] : keys) {
        connect(new QShortcut(QKeySequence(Qt::CTRL | key), this), &QShortcut::activated, this,
                [this, fit] { SetFit(fit); });
    }
    ScrollBox1->installEventFilter(this);
    Fit_ = PreviewFit;
    FitPageBtn->setChecked(Fit_ == TPageFit::Page);
    FitWidthBtn->setChecked(Fit_ == TPageFit::Width);

    resize(PreviewWindowSize.isValid() ? PreviewWindowSize : FirstWindowSize());
    CentreOnScreen(this);
}

QSize TReportPreviewForm::FirstWindowSize() const {
    const int frame = 2 * ScrollBox1->frameWidth();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox1);
    QSize wanted(PrintableWidth_ + frame + bar, PrintableHeight_ + frame + PanelHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Room for the window's frame and title bar, which the window system adds.
        const QSize room = screen->availableGeometry().size() - QSize(16, 48);
        wanted = wanted.boundedTo(room);
    }
    return wanted.expandedTo(MinimumPreviewSize);
}

void TReportPreviewForm::ForgetLastView() {
    PreviewWindowSize = QSize();
    PreviewFit = TPageFit::ActualSize;
}

void TReportPreviewForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (ScrollBox1 != nullptr && !event->spontaneous()) {
        PreviewWindowSize = size();
    }
}

void TReportPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && ScrollBox1 != nullptr) {
        FormShow();
    }
}

void TReportPreviewForm::FormShow() {
    ShowPage(1);
}

void TReportPreviewForm::ShowPage(int n) {
    QImage page = LoadJpeg(QFile::decodeName(PageFileName(n).c_str()));
    if (page.isNull()) {
        page = BlankPage(PrintableWidth_, PrintableHeight_, ResolutionX_);
    }
    Image1->setPixmap(QPixmap::fromImage(page));
    FormResize();
    // Every page shown starts at its top left, whatever the last one was scrolled to.
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    CurrentPage_ = n;
    PageLabel->setText(QStringLiteral("Page %1 Of %2").arg(n).arg(PageCount_));
    NextBtn->setEnabled(n < PageCount_);
    PreviousBtn->setEnabled(n >= 2);
}

void TReportPreviewForm::SetFit(TPageFit fit) {
    Fit_ = fit;
    PreviewFit = fit;
    FitPageBtn->setChecked(fit == TPageFit::Page);
    FitWidthBtn->setChecked(fit == TPageFit::Width);
    FormResize();
}

void TReportPreviewForm::FormResize() {
    const QSize page = Image1->pixmap().size();
    if (Fit_ == TPageFit::ActualSize || page.isEmpty()) {
        Image1->setScaledContents(false);
        Image1->resize(page);
        return;
    }
    // The room the window gives the page with no scroll bar; a page fitted to the width that is
    // then taller than the room leaves room for the vertical bar.
    const QSize room = ScrollBox1->maximumViewportSize();
    QSize size = page.scaled(room, Qt::KeepAspectRatio);
    if (Fit_ == TPageFit::Width) {
        size = page.scaled(room.width(), QWIDGETSIZE_MAX, Qt::KeepAspectRatio);
        if (size.height() > room.height()) {
            const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox1);
            size = page.scaled(room.width() - bar, QWIDGETSIZE_MAX, Qt::KeepAspectRatio);
        }
    }
    Image1->setScaledContents(true);
    Image1->resize(size.expandedTo(QSize(1, 1)));
}

bool TReportPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ScrollBox1 && event->type() == QEvent::Resize) {
        FormResize();
    }
    return QDialog::eventFilter(watched, event);
}

void TReportPreviewForm::NextBtnClick() {
    ShowPage(CurrentPage_ + 1);
}

void TReportPreviewForm::PreviousBtnClick() {
    ShowPage(CurrentPage_ - 1);
}

void TReportPreviewForm::FormClose() {
    if (PagesStored_) {
        for (int n = 1; n <= PageCount_; ++n) {
            QFile::remove(QFile::decodeName(PageFileName(n).c_str()));
        }
        PagesStored_ = false;
    }
    if (!TempFolder_.empty()) {
        RemoveEmptyFolder(TempFolder_);
        TempFolder_.clear();
    }
}

} // namespace korvane
