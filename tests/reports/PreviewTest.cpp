#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "platform/sys/TempFolder.h"
#include "platform/ui/JpegCodec.h"
#include "reports/MessageForm.h"
#include "reports/ReportPreviewForm.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class PreviewTest : public test::TempWorkDirTest {
protected:
    static std::vector<std::string> PageFiles() {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(TempFolder())) {
            if (entry.path().extension() == ".jpg") {
                files.push_back(entry.path().filename().string());
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    static bool IsDark(QRgb pixel) { return qGray(pixel) < 80; }
    static bool IsWhite(QRgb pixel) { return qGray(pixel) > 235; }

    // A report of pages pages at 96 dpi; page 1 has a black band over its second inch.
    static void WritePages(TReportPreviewForm& report, int pages) {
        report.SetPreviewResolution(96);
        report.BeginReport(TReportPreviewForm::ToPreview, false, false);
        report.SetPosition(1.0);
        report.ShadeLine(Qt::black, 1.0, 2.0);
        for (int page = 2; page <= pages; ++page) {
            report.NewPage();
        }
    }

    struct TButtons {
        bool Previous;
        bool Next;
    };
    static TButtons Buttons(QWidget* window) {
        return {test::Child<QPushButton>(window, "PreviousBtn")->isEnabled(),
                test::Child<QPushButton>(window, "NextBtn")->isEnabled()};
    }
    static void Close(QWidget* window) { test::Child<QPushButton>(window, "CloseBtn")->click(); }
};

TEST_F(PreviewTest, PageIsTheWholeSheetAtTheScreensResolution) {
    {
        TReportPreviewForm report;
        report.BeginReport(TReportPreviewForm::ToPreview, false, false);
        const QScreen* screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(report.HorizontalResolution(), qRound(screen->logicalDotsPerInchX()));
        EXPECT_EQ(report.HorizontalOffset(), 0);
        EXPECT_EQ(report.PrintableWidth(), report.Column(8.5));
        test::ModalScript script;
        script.Then(Close);
        report.EndReport();
        EXPECT_EQ(script.Pending(), 0);
    }
    TReportPreviewForm portrait;
    portrait.SetPreviewResolution(96);
    portrait.BeginReport(TReportPreviewForm::ToPreview, false, false);
    EXPECT_EQ(portrait.PrintableWidth(), 816);
    EXPECT_EQ(portrait.PrintableHeight(), 1056);
    EXPECT_EQ(portrait.Column(9.0), 816);
    EXPECT_EQ(portrait.StatusWindow()->Status(), QStringLiteral("Sending Page: 1 To Preview."));
    EXPECT_TRUE(portrait.StatusWindow()->isVisible());

    TReportPreviewForm landscape;
    landscape.SetPreviewResolution(96);
    landscape.BeginReport(TReportPreviewForm::ToPreview, false, true);
    EXPECT_EQ(landscape.PrintableWidth(), 1056);
    EXPECT_EQ(landscape.PrintableHeight(), 816);
}

// Two previews at once (two running copies of one user) keep their pages apart: closing one
// leaves the other's pages, and each removes its own folder.
TEST_F(PreviewTest, TwoPreviewsNeverShareTheirPages) {
    TReportPreviewForm first;
    TReportPreviewForm second;
    WritePages(first, 2);
    WritePages(second, 3);
    EXPECT_NE(first.PageFileName(1), second.PageFileName(1));
    EXPECT_EQ(PageFiles(), (std::vector<std::string>{"1.jpg", "1.jpg", "2.jpg"}));
    test::ModalScript script;
    script.Then(Close);
    first.EndReport();
    EXPECT_EQ(PageFiles(), (std::vector<std::string>{"1.jpg", "2.jpg"}));
    script.Then(Close);
    second.EndReport();
    EXPECT_TRUE(PageFiles().empty());
    EXPECT_TRUE(fs::is_empty(TempFolder())) << "each preview removes its own folder";
    EXPECT_EQ(script.Pending(), 0);
}

TEST_F(PreviewTest, WindowWalksThePagesAndDeletesThemOnClose) {
    TReportPreviewForm report;
    WritePages(report, 3);
    EXPECT_EQ(report.StatusWindow()->Status(), QStringLiteral("Sending Page: 3 To Preview."));
    // Finished pages are on disk already; the page being written is not.
    EXPECT_EQ(PageFiles(), (std::vector<std::string>{"1.jpg", "2.jpg"}));

    bool ran = false;
    test::ModalScript script;
    script.Then([&](QWidget* window) {
        ran = true;
        EXPECT_EQ(window, &report);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Report Preview"));
        EXPECT_EQ(PageFiles(), (std::vector<std::string>{"1.jpg", "2.jpg", "3.jpg"}));

        auto* image = test::Child<QLabel>(window, "Image1");
        EXPECT_EQ(report.CurrentPage(), 1);
        EXPECT_EQ(image->size(), QSize(816, 1056));
        EXPECT_FALSE(Buttons(window).Previous);
        EXPECT_TRUE(Buttons(window).Next);
        // The band of page 1 is in the picture shown.
        EXPECT_TRUE(IsDark(image->pixmap().toImage().pixel(140, 100)));
        EXPECT_TRUE(IsWhite(image->pixmap().toImage().pixel(400, 500)));

        test::Child<QPushButton>(window, "NextBtn")->click();
        EXPECT_EQ(report.CurrentPage(), 2);
        EXPECT_TRUE(Buttons(window).Previous);
        EXPECT_TRUE(Buttons(window).Next);
        EXPECT_TRUE(IsWhite(image->pixmap().toImage().pixel(140, 100)));

        test::Child<QPushButton>(window, "NextBtn")->click();
        EXPECT_EQ(report.CurrentPage(), 3);
        EXPECT_TRUE(Buttons(window).Previous);
        EXPECT_FALSE(Buttons(window).Next);

        test::Child<QPushButton>(window, "PreviousBtn")->click();
        test::Child<QPushButton>(window, "PreviousBtn")->click();
        EXPECT_EQ(report.CurrentPage(), 1);
        EXPECT_FALSE(Buttons(window).Previous);
        Close(window);
    });
    report.EndReport();
    EXPECT_TRUE(ran);
    EXPECT_EQ(report.StatusWindow(), nullptr);
    EXPECT_TRUE(PageFiles().empty());
}

TEST_F(PreviewTest, OnePageHasNoNavigation) {
    TReportPreviewForm report;
    WritePages(report, 1);
    TButtons buttons{true, true};
    test::ModalScript script;
    script.Then([&](QWidget* window) {
        buttons = Buttons(window);
        EXPECT_EQ(PageFiles(), (std::vector<std::string>{"1.jpg"}));
        window->close();
    });
    report.EndReport();
    EXPECT_FALSE(buttons.Previous);
    EXPECT_FALSE(buttons.Next);
    EXPECT_TRUE(PageFiles().empty());
}

TEST_F(PreviewTest, NarrowPageIsCentredWideOneScrolls) {
    TReportPreviewForm report;
    WritePages(report, 1);
    int narrowLeft = -1;
    int wideLeft = -1;
    int viewport = 0;
    test::ModalScript script;
    script.Then([&](QWidget* window) {
        auto* image = test::Child<QLabel>(window, "Image1");
        auto* scroll = test::Child<QScrollArea>(window, "ScrollBox1");
        window->resize(614, 358);
        QApplication::processEvents();
        narrowLeft = image->x();
        window->resize(1301, 700);
        QApplication::processEvents();
        viewport = scroll->viewport()->width();
        wideLeft = image->x();
        Close(window);
    });
    report.EndReport();
    EXPECT_EQ(narrowLeft, 0);
    ASSERT_GT(viewport, 816);
    EXPECT_EQ(wideLeft, (viewport - 816) / 2);
}

// The window opens wide enough for a whole page where the screen allows (as wide as it allows
// otherwise), never below its minimum, and keeps the size the user gives it for the run.
TEST_F(PreviewTest, OpensWideEnoughForAPageAndKeepsTheUsersSize) {
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    // A page that fits the screen's width, and one that does not.
    for (const int dpi : {72, 96}) {
        SCOPED_TRACE(dpi);
        TReportPreviewForm::ForgetLastView();
        TReportPreviewForm report;
        report.SetPreviewResolution(dpi);
        report.BeginReport(TReportPreviewForm::ToPreview, false, false);
        const int page = report.PrintableWidth();
        test::ModalScript script;
        script.Then([&](QWidget* window) {
            EXPECT_EQ(window->minimumSize(), QSize(614, 358));
            EXPECT_GE(window->height(), 358);
            const int viewport =
                test::Child<QScrollArea>(window, "ScrollBox1")->viewport()->width();
            if (page + 64 < screen.width()) {
                EXPECT_GE(viewport, page);
            } else {
                EXPECT_GE(window->width(), screen.width() - 64);
                EXPECT_LE(window->width(), screen.width());
            }
            window->resize(700, 450);
            Close(window);
        });
        report.EndReport();
        EXPECT_EQ(script.Pending(), 0);
    }
    TReportPreviewForm next;
    WritePages(next, 1);
    QSize size;
    test::ModalScript script;
    script.Then([&](QWidget* window) {
        size = window->size();
        Close(window);
    });
    next.EndReport();
    EXPECT_EQ(size, QSize(700, 450));
    TReportPreviewForm::ForgetLastView();
}

// Next and Previous show each page from its top left, wherever the last one was scrolled to.
TEST_F(PreviewTest, EachPageStartsAtItsTopLeft) {
    TReportPreviewForm report;
    WritePages(report, 2);
    std::vector<QPoint> offsets;
    test::ModalScript script;
    script.Then([&](QWidget* window) {
        window->resize(614, 358);
        QApplication::processEvents();
        auto* scroll = test::Child<QScrollArea>(window, "ScrollBox1");
        auto scrolled = [&] {
            return QPoint(scroll->horizontalScrollBar()->value(),
                          scroll->verticalScrollBar()->value());
        };
        auto toBottomRight = [&] {
            scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
            scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
            offsets.push_back(scrolled());
        };
        toBottomRight();
        test::Child<QPushButton>(window, "NextBtn")->click();
        offsets.push_back(scrolled());
        toBottomRight();
        test::Child<QPushButton>(window, "PreviousBtn")->click();
        offsets.push_back(scrolled());
        Close(window);
    });
    report.EndReport();
    TReportPreviewForm::ForgetLastView();
    ASSERT_EQ(offsets.size(), 4u);
    EXPECT_GT(offsets[0].y(), 0) << "the page was scrolled";
    EXPECT_GT(offsets[0].x(), 0);
    EXPECT_EQ(offsets[1], QPoint(0, 0));
    EXPECT_EQ(offsets[3], QPoint(0, 0));
}

// Fit Page shows the whole page, Fit Width the page as wide as the window, each from its button
// or its key; pressing the button again, or Ctrl+1, shows the page at its own size. The window
// counts the pages, and the next preview of the run opens with the fit last chosen.
TEST_F(PreviewTest, FitsThePageByButtonOrKeyAndKeepsTheFitForTheRun) {
    TReportPreviewForm::ForgetLastView();
    const auto key = [](Qt::Key k) {
        return
            [k](QWidget*) { QTest::keyClick(QApplication::focusWidget(), k, Qt::ControlModifier); };
    };
    const auto button = [](const char* name) {
        return [name](QWidget* window) { test::Child<QPushButton>(window, name)->click(); };
    };
    const struct {
        const char* Step;
        std::function<void(QWidget*)> Do;
        TPageFit Fit;
    } steps[] = {
        {"Ctrl+0", key(Qt::Key_0), TPageFit::Page},
        {"Ctrl+2", key(Qt::Key_2), TPageFit::Width},
        {"Ctrl+1", key(Qt::Key_1), TPageFit::ActualSize},
        {"Fit Page", button("FitPageBtn"), TPageFit::Page},
        {"Fit Page again", button("FitPageBtn"), TPageFit::ActualSize},
        {"Fit Width", button("FitWidthBtn"), TPageFit::Width},
        {"Next", button("NextBtn"), TPageFit::Width},
    };
    TReportPreviewForm report;
    WritePages(report, 2);
    test::ModalScript script;
    script.Then([&](QWidget* window) {
        window->resize(700, 450);
        QApplication::processEvents();
        auto* image = test::Child<QLabel>(window, "Image1");
        auto* scroll = test::Child<QScrollArea>(window, "ScrollBox1");
        EXPECT_EQ(test::Child<QLabel>(window, "PageLabel")->text(), QStringLiteral("Page 1 Of 2"));
        EXPECT_EQ(image->size(), QSize(816, 1056));
        for (const auto& step : steps) {
            SCOPED_TRACE(step.Step);
            step.Do(window);
            QApplication::processEvents();
            EXPECT_EQ(report.PageFit(), step.Fit);
            EXPECT_EQ(test::Child<QPushButton>(window, "FitPageBtn")->isChecked(),
                      step.Fit == TPageFit::Page);
            EXPECT_EQ(test::Child<QPushButton>(window, "FitWidthBtn")->isChecked(),
                      step.Fit == TPageFit::Width);
            const QSize room = scroll->maximumViewportSize();
            const QSize shown = image->size();
            // The page keeps its proportions, to the pixel.
            EXPECT_NEAR(shown.width() * 1056.0 / 816.0, shown.height(), 1.5);
            if (step.Fit == TPageFit::ActualSize) {
                EXPECT_EQ(shown, QSize(816, 1056));
            } else if (step.Fit == TPageFit::Page) {
                EXPECT_EQ(shown.height(), room.height());
                EXPECT_LE(shown.width(), room.width());
            } else {
                // Taller than the window: the width leaves room for the vertical scroll bar.
                EXPECT_EQ(shown.width(), scroll->viewport()->width());
                EXPECT_GT(shown.height(), room.height());
            }
        }
        EXPECT_EQ(test::Child<QLabel>(window, "PageLabel")->text(), QStringLiteral("Page 2 Of 2"));
        Close(window);
    });
    report.EndReport();
    EXPECT_EQ(script.Pending(), 0);

    TReportPreviewForm next;
    WritePages(next, 1);
    TPageFit opened = TPageFit::ActualSize;
    test::ModalScript again;
    again.Then([&](QWidget* window) {
        opened = next.PageFit();
        EXPECT_TRUE(test::Child<QPushButton>(window, "FitWidthBtn")->isChecked());
        Close(window);
    });
    next.EndReport();
    EXPECT_EQ(opened, TPageFit::Width);
    TReportPreviewForm::ForgetLastView();
}

TEST_F(PreviewTest, UnreadablePageShowsBlank) {
    TReportPreviewForm report;
    WritePages(report, 2);
    bool blank = false;
    test::ModalScript script;
    script.Then([&](QWidget* window) {
        TempWorkDirTest::WriteFile(report.PageFileName(2), "not a picture");
        test::Child<QPushButton>(window, "NextBtn")->click();
        const QImage shown = test::Child<QLabel>(window, "Image1")->pixmap().toImage();
        blank = shown.size() == QSize(816, 1056) && IsWhite(shown.pixel(140, 100)) &&
                IsWhite(shown.pixel(815, 1055));
        Close(window);
    });
    report.EndReport();
    EXPECT_TRUE(blank);
    EXPECT_TRUE(PageFiles().empty());
}

TEST_F(PreviewTest, ReportReleasedBeforeItsEndLeavesNoPages) {
    {
        TReportPreviewForm report;
        WritePages(report, 3);
        EXPECT_EQ(PageFiles().size(), 2u);
    }
    EXPECT_TRUE(PageFiles().empty());
}

TEST_F(PreviewTest, JpegPagesKeepTheirPixels) {
    QImage image(33, 17, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 4; y < 12; ++y) {
        for (int x = 8; x < 24; ++x) {
            image.setPixel(x, y, qRgb(0, 0, 200));
        }
    }
    const QString file = QStringLiteral("page.jpg");
    ASSERT_TRUE(SaveJpeg(image, file));
    const QImage loaded = LoadJpeg(file);
    ASSERT_EQ(loaded.size(), image.size());
    const QRgb inside = loaded.pixel(16, 8);
    EXPECT_LT(qRed(inside), 30);
    EXPECT_GT(qBlue(inside), 170);
    EXPECT_TRUE(IsWhite(loaded.pixel(1, 1)));

    EXPECT_TRUE(LoadJpeg(QStringLiteral("missing.jpg")).isNull());
    WriteFile("bad.jpg", "\xff\xd8 truncated");
    EXPECT_TRUE(LoadJpeg(QStringLiteral("bad.jpg")).isNull());
    EXPECT_FALSE(SaveJpeg(image, QStringLiteral("no-such-folder/page.jpg")));
    EXPECT_FALSE(fs::exists("no-such-folder"));
}

} // namespace
} // namespace korvane
