#include <QComboBox>
#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "platform/ui/PrinterSetupDialog.h"
#include "platform/ui/SystemPrinter.h"
#include "tests/support/ModalScript.h"

namespace korvane {
namespace {

class PrinterSetupTest : public ::testing::Test {
protected:
    void TearDown() override {
        QLocale::setDefault(QLocale::system());
        SetUpSystemPrinter(QString(), QPageSize::Letter, QPageLayout::Portrait);
    }

    static QStringList Items(const QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i) {
            items << box->itemText(i);
        }
        return items;
    }
};

TEST_F(PrinterSetupTest, OffersThePrintersOrAPdfFileAndSizesInTheLocalesUnits) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TPrinterSetupDialog none(nullptr, {});
    EXPECT_EQ(Items(none.PrinterName), QStringList{QStringLiteral("PDF file")});
    const QString letter = none.PaperSize->currentText();
    EXPECT_TRUE(letter.endsWith(QStringLiteral("(8.5 \u00d7 11 in)"))) << letter.toStdString();
    EXPECT_TRUE(Items(none.PaperSize)
                    .join(QLatin1Char('|'))
                    .contains(QStringLiteral("(8.27 \u00d7 11.69 in)")))
        << "A4 in inches";
    EXPECT_TRUE(none.Portrait->isChecked());

    TPrinterSetupDialog two(nullptr, {QStringLiteral("Office Laser"), QStringLiteral("Hall")});
    EXPECT_EQ(Items(two.PrinterName),
              (QStringList{QStringLiteral("Office Laser"), QStringLiteral("Hall")}));

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TPrinterSetupDialog metric(nullptr, {});
    EXPECT_TRUE(metric.PaperSize->currentText().endsWith(QStringLiteral("(216 \u00d7 279 mm)")))
        << metric.PaperSize->currentText().toStdString();
}

// OK sets paper and orientation on the system printer; Cancel changes nothing.
TEST_F(PrinterSetupTest, OkSetsTheSystemPrinterCancelDoesNot) {
    {
        TPrinterSetupDialog dialog(nullptr, {});
        dialog.PaperSize->setCurrentIndex(
            dialog.PaperSize->findData(static_cast<int>(QPageSize::A4)));
        dialog.Landscape->setChecked(true);
        test::ModalScript script;
        script.Then([](QWidget* shown) { test::Child<QPushButton>(shown, "CancelBtn")->click(); });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    }
    EXPECT_EQ(SystemPrinter().pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(SystemPrinter().pageLayout().orientation(), QPageLayout::Portrait);

    TPrinterSetupDialog dialog(nullptr, {});
    dialog.PaperSize->setCurrentIndex(dialog.PaperSize->findData(static_cast<int>(QPageSize::A4)));
    dialog.Landscape->setChecked(true);
    test::ModalScript script;
    script.Then([](QWidget* shown) { test::Child<QPushButton>(shown, "OkBtn")->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    const QPrinter& printer = SystemPrinter();
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_TRUE(printer.fullPage());
    EXPECT_EQ(printer.resolution(), SystemPrinterResolution);

    // The next opening starts from what was set.
    TPrinterSetupDialog again(nullptr, {});
    EXPECT_EQ(again.PaperSize->currentData().toInt(), static_cast<int>(QPageSize::A4));
    EXPECT_TRUE(again.Landscape->isChecked());
}

} // namespace
} // namespace korvane
