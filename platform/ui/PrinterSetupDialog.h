#pragma once

#include <QDialog>
#include <QPageSize>
#include <QStringList>

class QComboBox;
class QPushButton;
class QRadioButton;

namespace korvane {

// File > Printer Setup: the printer the printouts go to (the system's printers, or a PDF file
// when there are none), the paper size and the orientation, sizes in inches where the locale
// measures in inches. OK sets them on the system printer; Cancel changes nothing.
class TPrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    // printers: the system's printer names.
    TPrinterSetupDialog(QWidget* parent, const QStringList& printers);

    QComboBox* PrinterName;
    QComboBox* PaperSize;
    QRadioButton* Portrait;
    QRadioButton* Landscape;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

    void accept() override;

private:
    // The paper sizes the chosen printer takes, with keep chosen where it is one of them (else
    // Letter).
    void FillPaperSizes(QPageSize::PageSizeId keep);
};

// How a paper size is offered: its name and its size in the locale's units.
QString PaperSizeText(QPageSize::PageSizeId id);

} // namespace korvane
