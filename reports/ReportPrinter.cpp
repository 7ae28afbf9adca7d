#include "reports/ReportPrinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <cmath>

#include "platform/ui/SystemPrinter.h"

namespace korvane {

namespace {

class TSystemReportPrinter : public TReportPrinter {
public:
    void SetLandscape(bool landscape) override {
        SystemPrinter().setPageOrientation(landscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
    }

    QPaintDevice* Device() override { return &SystemPrinter(); }

    QSize PaperSize() override {
        return SystemPrinter().paperRect(QPrinter::DevicePixel).size().toSize();
    }

    // The printer's unprintable margins; the painter works at the full page, so a report's
    // origin is moved to the printable corner, where the report's arithmetic expects it.
    QPoint PhysicalOffset() override {
        const QPrinter& printer = SystemPrinter();
        const QMarginsF margins = UnprintableMargins();
        return {static_cast<int>(std::trunc(margins.left() * printer.logicalDpiX())),
                static_cast<int>(std::trunc(margins.top() * printer.logicalDpiY()))};
    }

    bool BeginJob(QPainter& painter, const QString& title) override {
        const QPoint offset = PhysicalOffset();
        if (!BeginPrintJob(painter, title)) {
            return false;
        }
        painter.translate(offset);
        return true;
    }

    void NewPage() override { SystemPrinter().newPage(); }

    void EndJob(QPainter& painter) override { painter.end(); }
};

} // namespace

TReportPrinter& SystemReportPrinter() {
    static TSystemReportPrinter printer;
    return printer;
}

} // namespace korvane
