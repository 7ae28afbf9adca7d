#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

class QPaintDevice;
class QPainter;

namespace korvane {

// Where the printer destination of a report sends its pages: the system printer, or in tests
// a device of known resolution and margins.
class TReportPrinter {
public:
    virtual ~TReportPrinter() = default;

    virtual void SetLandscape(bool landscape) = 0;
    // The device the pages are painted on: resolution and font metrics come from it.
    virtual QPaintDevice* Device() = 0;
    // The whole sheet and the unprintable left and top margins, in device units.
    virtual QSize PaperSize() = 0;
    virtual QPoint PhysicalOffset() = 0;

    // Starts the job on the painter, origin at the corner of the printable area. False when the
    // job could not be started.
    virtual bool BeginJob(QPainter& painter, const QString& title) = 0;
    virtual void NewPage() = 0;
    virtual void EndJob(QPainter& painter) = 0;
};

// The process-wide printer (platform/ui/SystemPrinter.h) as a report printer.
TReportPrinter& SystemReportPrinter();

} // namespace korvane
