#include "app/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>

#include <filesystem>

#include "app/Appearance.h"
#include "data/FileNames.h"
#include "data/PositionFile.h"
#include "data/SelectDataBase.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/Display.h"
#include "platform/ui/ElidedLabel.h"
#include "platform/ui/HelpWindow.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/ScopedProcessState.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

class MainFormTest : public test::TempWorkDirTest {
protected:
    void TearDown() override {
        SetDisplayDepthSource({});
        CloseHelp();
        BackgroundColor = DefaultBackgroundColor();
        NameColor = DefaultNameColor();
        test::TempWorkDirTest::TearDown();
    }

    static QStringList Args(std::initializer_list<const char*> rest) {
        QStringList args{QStringLiteral("korvane")};
        for (const char* arg : rest) {
            args << QString::fromLatin1(arg);
        }
        return args;
    }

    static QString Panel1Text(const TMainForm& form) { return form.Panel1->text(); }

    test::ScopedProcessState Saved_;
};

TEST_F(MainFormTest, AdministrativeModeOnlyFromExactlySlashQX) {
    {
        TMainForm form(Args({"/QX"}));
        EXPECT_TRUE(AdministrativeMode);
        EXPECT_EQ(Panel1Text(form).toStdString(), "Administrative User");
    }
    for (const auto& args : {Args({"/qx"}), Args({}), Args({"x", "/QX"}), Args({"/QX "})}) {
        TMainForm form(args);
        EXPECT_FALSE(AdministrativeMode) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(Panel1Text(form).isEmpty());
    }
}

TEST_F(MainFormTest, StatusBarShowsThePositionTitle) {
    {
        TMainForm form(Args({}));
        EXPECT_EQ(form.Panel0->text().toStdString(), "No Position Found");
    }
    WriteFile("kvn.dat", "Senior Budget Analyst\r\nsecond line\r\n");
    TMainForm form(Args({}));
    EXPECT_EQ(form.Panel0->text().toStdString(), "Senior Budget Analyst");
    EXPECT_EQ(PositionTitle, "Senior Budget Analyst");
    EXPECT_EQ(form.Panel0->width(), 250);
    EXPECT_EQ(form.Panel1->width(), 120);
}

// A title longer than its panel is cut with "…" and shown whole in the panel's tooltip.
TEST_F(MainFormTest, LongPositionTitleIsElidedWithTheWholeTitleInTheTooltip) {
    const QString whole =
        QStringLiteral("Assistant Director of Public Works Engineering and Capital Projects");
    WriteFile("kvn.dat", whole.toStdString() + "\r\n");
    TMainForm form(Args({}));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TElidedLabel* panel = form.Panel0;
    EXPECT_EQ(panel->text(), whole);
    const QString shown = panel->ShownText();
    ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(whole.startsWith(shown.chopped(1)));
    EXPECT_LE(panel->fontMetrics().horizontalAdvance(shown), panel->contentsRect().width());

    auto tooltip = [&] {
        const QPoint at = panel->rect().center();
        QHelpEvent help(QEvent::ToolTip, at, panel->mapToGlobal(at));
        QApplication::sendEvent(panel, &help);
        const QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        return text;
    };
    EXPECT_EQ(tooltip(), whole);
    panel->setText(QStringLiteral("Clerk"));
    EXPECT_EQ(panel->ShownText(), QStringLiteral("Clerk"));
    EXPECT_TRUE(tooltip().isEmpty());
    form.close();
}

TEST_F(MainFormTest, GestureOnTheStatusBarSwitchesTheMode) {
    TMainForm form(Args({}));
    form.show();
    const auto all = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    QTest::mouseDClick(form.StatusBar1, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_FALSE(AdministrativeMode) << "two of the three keys are not the gesture";
    QTest::mouseDClick(form.StatusBar1, Qt::LeftButton);
    EXPECT_FALSE(AdministrativeMode) << "a plain double click does nothing";
    QTest::mouseClick(form.StatusBar1, Qt::LeftButton, all);
    EXPECT_FALSE(AdministrativeMode) << "a single click does nothing";
    QTest::mouseDClick(form.Panel0, Qt::LeftButton, all);
    EXPECT_TRUE(AdministrativeMode);
    EXPECT_EQ(Panel1Text(form).toStdString(), "Administrative User");
    QTest::mouseDClick(form.StatusBar1, Qt::LeftButton, all);
    EXPECT_FALSE(AdministrativeMode);
    EXPECT_TRUE(Panel1Text(form).isEmpty());
}

TEST_F(MainFormTest, MenuCaptionsAccessKeysAndHandlers) {
    TMainForm form(Args({}));
    EXPECT_EQ(form.File1->title().toStdString(), "&File");
    EXPECT_EQ(form.Uninstall1->text().toStdString(), "U&ninstall");
    EXPECT_EQ(form.SelectedPreferredCriteria1->text().toStdString(),
              "Se&lected Preferred Criteria");
    EXPECT_EQ(form.HelpContext1->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(form.Export1->property("korvaneHelpContext").toInt(), 480);
    EXPECT_EQ(form.RateApplicants1->property("korvaneHelpContext").toInt(), 190);
    EXPECT_EQ(HelpContext(&form), 30);
    EXPECT_EQ(form.Setup1->actions().size(), 9) << "six items and three separators";
}

TEST_F(MainFormTest, HelpContextOpensTheContentsAndExitCloses) {
    TMainForm form(Args({}));
    form.show();
    form.HelpContext1->trigger();
    EXPECT_EQ(ShownHelpContext(), 0);
    ShowHelpTopic(60);
    EXPECT_EQ(ShownHelpContext(), 60);
    ShowHelpTopic(987654);
    EXPECT_EQ(ShownHelpContext(), 0) << "an unknown context opens the contents";
    form.Exit1->trigger();
    EXPECT_FALSE(form.isVisible());
}

// A print command opens its screen only when its set-up check passes.
TEST_F(MainFormTest, PrintCommandsCheckTheSetUpFirst) {
    test::InsertRecords(ApplicantFileName, {{1, "ADAMS, LEE"}});
    test::InsertRecords(CommitteeFileName, {{1, "MOORE, KIM"}});
    TMainForm form(Args({}));
    const struct {
        QAction* Item;
        const char* Missing;
        const char* Criteria;
        const char* Screen;
    } commands[] = {
        {form.FirstLevelScreeningsheets1, "Error: No Required Criteria Selected", RequiredFileName,
         "Print First Level Screen Sheets"},
        {form.RatingsSheets1, "Error: No Preferred Criteria Selected", PreferredFileName,
         "Print Rating Sheets"},
        {form.FinalRatingSheet1, "Error: No Preferred Criteria Selected", PreferredFileName,
         "Print Final Rating Sheet"},
        {form.RatingDisagreements1, "Error: No Preferred Criteria Selected", PreferredFileName,
         "Print Rating Disagreements"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.Screen);
        ASSERT_TRUE(command.Item->isEnabled());
        std::filesystem::remove(command.Criteria);
        {
            test::ModalScript script;
            script.ThenAnswer(TModalResult::Ok);
            command.Item->trigger();
            EXPECT_EQ(script.Messages(), QStringList{QString::fromLatin1(command.Missing)});
            EXPECT_EQ(script.Pending(), 0);
        }
        TSelectDataBase criteria(command.Criteria);
        TSelectRecord rec{1, 10, 0};
        bool added = false;
        criteria.Insert(rec, added);
        QString opened;
        test::ModalScript script;
        script.Then([&](QWidget* window) {
            opened = window->windowTitle();
            window->close();
        });
        command.Item->trigger();
        EXPECT_EQ(opened, QString::fromLatin1(command.Screen));
        EXPECT_TRUE(script.Messages().isEmpty());
    }
}

class PaintTest : public MainFormTest {
protected:
    QImage Paint(int depth, int w = 320, int h = 200) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        FormPaint(painter, w, h, depth);
        return image;
    }
    static int CountColour(const QImage& image, QRgb colour) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += image.pixel(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }
};

TEST_F(PaintTest, GradientRunsFromTheBaseColourToBlack) {
    BackgroundColor = QColor(200, 100, 51);
    OrganisationName.clear(); // only blanks drawn: the gradient is all there is
    const QImage image = Paint(24);
    for (int x : {0, 160, 319}) {
        EXPECT_EQ(image.pixel(x, 0), qRgb(200, 100, 51));
        EXPECT_EQ(image.pixel(x, 199), qRgb(0, 0, 0));
    }
    // Halfway down: each component about half, rounded.
    const QColor middle = QColor::fromRgb(image.pixel(10, 100));
    EXPECT_NEAR(middle.red(), 99, 1);
    EXPECT_NEAR(middle.green(), 50, 1);
    EXPECT_EQ(CountColour(image, qRgb(255, 0, 255)), 0) << "every pixel painted";
}

TEST_F(PaintTest, EightBitDisplayIsBlackWithTheNameOverIt) {
    OrganisationName = "Millbrook";
    NameColor = QColor(255, 255, 0);
    const QImage image = Paint(8);
    const int black = CountColour(image, qRgb(0, 0, 0));
    const int name = CountColour(image, qRgb(255, 255, 0));
    EXPECT_GT(black, image.width() * image.height() / 2);
    EXPECT_GT(name, 200) << "the name is drawn";
    EXPECT_EQ(CountColour(image, qRgb(255, 0, 255)), 0) << "every pixel painted";
    // Nothing of a gradient: the top line carries no base colour.
    EXPECT_NE(image.pixel(0, 0), DefaultBackgroundColor().rgb());
}

TEST_F(PaintTest, RowsShiftOneCharacterToTheLeftEachLine) {
    OrganisationName = "AB";
    NameColor = QColor(255, 255, 255);
    BackgroundColor = QColor(0, 0, 0);
    const QImage image = Paint(24, 400, 160);
    // Row 0 starts with "A", row 1 with "B": their first columns of ink differ.
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(24);
    const int rowHeight = QFontMetrics(font).height();
    auto firstInk = [&](int row) {
        for (int x = 0; x < 40; ++x) {
            for (int y = row * rowHeight; y < (row + 1) * rowHeight; ++y) {
                if (qGray(image.pixel(x, y)) > 128) {
                    return x;
                }
            }
        }
        return -1;
    };
    EXPECT_EQ(firstInk(0), firstInk(3)) << "rows 0 and 3 both begin with A";
    EXPECT_NE(firstInk(0), firstInk(1));
}

TEST_F(PaintTest, PaintedWindowUsesTheDisplayDepth) {
    SetDisplayDepthSource([] { return 8; });
    TMainForm form(Args({}));
    form.show();
    const QImage shot = form.centralWidget()->grab().toImage();
    EXPECT_EQ(shot.pixel(0, 0), qRgb(0, 0, 0));
    SetDisplayDepthSource([] { return 32; });
    const QImage colour = form.centralWidget()->grab().toImage();
    EXPECT_EQ(colour.pixel(0, 0), DefaultBackgroundColor().rgb());
    EXPECT_EQ(colour.pixel(0, colour.height() - 1), qRgb(0, 0, 0));
}

} // namespace
} // namespace korvane
