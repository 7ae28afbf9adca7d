#pragma once

#include <QColor>
#include <QLine>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

#include "reports/ReportPrinter.h"

namespace korvane::test {

// What a report painted, in device units, page by page.
struct TDrawn {
    enum Kind { IsText, IsLine, IsRect } What;
    int Page;
    QPoint From;  // text: baseline start; line: first end; rect: top left
    QPoint To;    // line: second end; rect: bottom right (inclusive)
    QString Text; // text only
    QPen Pen;
    QColor Brush;
};

// A printer of known resolution, paper size and unprintable margins that records every
// primitive instead of printing it.
class TRecordingPrinter : public TReportPrinter, private QPaintDevice, private QPaintEngine {
public:
    TRecordingPrinter(int dpiX, int dpiY, QSize paper, QPoint offset)
        : QPaintEngine(AllFeatures), DpiX_(dpiX), DpiY_(dpiY), Paper_(paper), Offset_(offset) {}
    ~TRecordingPrinter() override = default;

    std::vector<TDrawn> Drawn;
    int Pages = 0;
    int JobsBegun = 0;
    int JobsEnded = 0;
    bool Landscape = false;
    QString Title;

    std::vector<TDrawn> Texts() const { return Of(TDrawn::IsText); }
    std::vector<TDrawn> Lines() const { return Of(TDrawn::IsLine); }
    std::vector<TDrawn> Rects() const { return Of(TDrawn::IsRect); }

    // TReportPrinter
    void SetLandscape(bool landscape) override { Landscape = landscape; }
    QPaintDevice* Device() override { return this; }
    QSize PaperSize() override { return Paper_; }
    QPoint PhysicalOffset() override { return Offset_; }
    bool BeginJob(QPainter& painter, const QString& title) override {
        Title = title;
        ++JobsBegun;
        Pages = 1;
        return painter.begin(this);
    }
    void NewPage() override { ++Pages; }
    void EndJob(QPainter& painter) override {
        ++JobsEnded;
        painter.end();
    }

private:
    std::vector<TDrawn> Of(TDrawn::Kind kind) const {
        std::vector<TDrawn> found;
        for (const TDrawn& drawn : Drawn) {
            if (drawn.What == kind) {
                found.push_back(drawn);
            }
        }
        return found;
    }

    // QPaintDevice
    QPaintEngine* paintEngine() const override {
        return const_cast<QPaintEngine*>(static_cast<const QPaintEngine*>(this));
    }
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return Paper_.width();
        case PdmHeight:
            return Paper_.height();
        case PdmWidthMM:
            return Paper_.width() * 254 / (10 * DpiX_);
        case PdmHeightMM:
            return Paper_.height() * 254 / (10 * DpiY_);
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return DpiX_;
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return DpiY_;
        case PdmNumColors:
            return 256;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

    // QPaintEngine
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& changed) override {
        if (changed.state() & DirtyPen) {
            Pen_ = changed.pen();
        }
        if (changed.state() & DirtyBrush) {
            Brush_ = changed.brush().color();
        }
    }
    void drawLines(const QLine* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            Drawn.push_back(
                {TDrawn::IsLine, Pages, lines[i].p1(), lines[i].p2(), {}, Pen_, Brush_});
        }
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            const QLine line = lines[i].toLine();
            drawLines(&line, 1);
        }
    }
    void drawRects(const QRect* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            Drawn.push_back({TDrawn::IsRect,
                             Pages,
                             rects[i].topLeft(),
                             rects[i].bottomRight(),
                             {},
                             Pen_,
                             Brush_});
        }
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            const QRect rect = rects[i].toAlignedRect();
            drawRects(&rect, 1);
        }
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        Drawn.push_back({TDrawn::IsText, Pages, p.toPoint(), {}, item.text(), Pen_, Brush_});
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}

    int DpiX_;
    int DpiY_;
    QSize Paper_;
    QPoint Offset_;
    QPen Pen_;
    QColor Brush_;
};

} // namespace korvane::test
