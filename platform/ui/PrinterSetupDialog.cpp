#include "platform/ui/PrinterSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

#include "platform/ui/SystemPrinter.h"

namespace korvane {

namespace {

// What a PDF file is offered on, and what a printer that names none takes.
const QPageSize::PageSizeId CommonSizes[] = {QPageSize::Letter, QPageSize::Legal,
                                             QPageSize::Executive, QPageSize::A4, QPageSize::A5};

const QString PdfFile = QStringLiteral("PDF file");

QString Number(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return QLocale().toString(std::round(value * scale) / scale, 'g', 6);
}

// Qt's name, less the size some names carry ("Executive (7.5 x 10 in)"): the size follows.
QString Name(QPageSize::PageSizeId id) {
    return QPageSize::name(id).section(QStringLiteral(" ("), 0, 0);
}

} // namespace

QString PaperSizeText(QPageSize::PageSizeId id) {
    const bool inches = QLocale().measurementSystem() != QLocale::MetricSystem;
    const QSizeF size = QPageSize::size(id, inches ? QPageSize::Inch : QPageSize::Millimeter);
    const int decimals = inches ? 2 : 0;
    return QStringLiteral("%1 (%2 \u00d7 %3 %4)")
        .arg(Name(id), Number(size.width(), decimals), Number(size.height(), decimals),
             inches ? QStringLiteral("in") : QStringLiteral("mm"));
}

TPrinterSetupDialog::TPrinterSetupDialog(QWidget* parent, const QStringList& printers)
    : QDialog(parent) {
    setObjectName(QStringLiteral("PrinterSetupDialog1"));
    setWindowTitle(QStringLiteral("Printer Setup"));
    const QPrinter& printer = SystemPrinter();

    PrinterName = new QComboBox(this);
    PrinterName->setObjectName(QStringLiteral("PrinterName"));
    PrinterName->addItems(printers.isEmpty() ? QStringList{PdfFile} : printers);
    QString current = printer.printerName();
    if (!printers.contains(current)) {
        current = QPrinterInfo::defaultPrinterName();
    }
    if (printers.contains(current)) {
        PrinterName->setCurrentText(current);
    }

    PaperSize = new QComboBox(this);
    PaperSize->setObjectName(QStringLiteral("PaperSize"));
    FillPaperSizes(printer.pageLayout().pageSize().id());

    Portrait = new QRadioButton(QStringLiteral("P&ortrait"), this);
    Portrait->setObjectName(QStringLiteral("Portrait"));
    Landscape = new QRadioButton(QStringLiteral("&Landscape"), this);
    Landscape->setObjectName(QStringLiteral("Landscape"));
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait)
        ->setChecked(true);

    auto* printerBox = new QGroupBox(QStringLiteral("Printer"), this);
    auto* printerForm = new QFormLayout(printerBox);
    printerForm->addRow(QStringLiteral("&Name:"), PrinterName);
    auto* paperBox = new QGroupBox(QStringLiteral("Paper"), this);
    auto* paperForm = new QFormLayout(paperBox);
    paperForm->addRow(QStringLiteral("Si&ze:"), PaperSize);
    auto* orientationBox = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* orientation = new QVBoxLayout(orientationBox);
    orientation->addWidget(Portrait);
    orientation->addWidget(Landscape);
    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(paperBox, 1);
    paperRow->addWidget(orientationBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkBtn = buttons->button(QDialogButtonBox::Ok);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    CancelBtn = buttons->button(QDialogButtonBox::Cancel);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerBox);
    layout->addLayout(paperRow);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(PrinterName, &QComboBox::currentIndexChanged, this, [this] {
        FillPaperSizes(static_cast<QPageSize::PageSizeId>(PaperSize->currentData().toInt()));
    });
}

void TPrinterSetupDialog::FillPaperSizes(QPageSize::PageSizeId keep) {
    QList<QPageSize::PageSizeId> ids;
    if (PrinterName->currentText() != PdfFile) {
        for (const QPageSize& size :
             QPrinterInfo::printerInfo(PrinterName->currentText()).supportedPageSizes()) {
            if (size.id() != QPageSize::Custom && !ids.contains(size.id())) {
                ids << size.id();
            }
        }
    }
    if (ids.isEmpty()) {
        ids = QList<QPageSize::PageSizeId>(std::begin(CommonSizes), std::end(CommonSizes));
    }
    PaperSize->clear();
    for (const QPageSize::PageSizeId id : ids) {
        PaperSize->addItem(PaperSizeText(id), static_cast<int>(id));
    }
    const int index = PaperSize->findData(static_cast<int>(keep));
    PaperSize->setCurrentIndex(
        index >= 0 ? index : PaperSize->findData(static_cast<int>(QPageSize::Letter)));
}

void TPrinterSetupDialog::accept() {
    const QString name = PrinterName->currentText();
    SetUpSystemPrinter(name == PdfFile ? QString() : name,
                       static_cast<QPageSize::PageSizeId>(PaperSize->currentData().toInt()),
                       Landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QDialog::accept();
}

} // namespace korvane
