#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>

#include "bench/BenchPosition.h"
#include "data/ProcessState.h"
#include "platform/sys/System.h"
#include "platform/sys/TempFolder.h"
#include "platform/ui/JpegCodec.h"
#include "platform/ui/SystemPrinter.h"
#include "reports/PrintFinalForm.h"
#include "reports/ReportPreviewForm.h"

namespace korvane {
namespace {

constexpr int Pages = 50;
constexpr int LinesPerPage = 50;

// A list printout: a header and a shaded column band on every page, then lines of three
// columns between rules.
void WriteReport(TReportPreviewForm& report, int destination) {
    report.BeginReport(destination, false, false);
    report.SetFont(10, Qt::black, {});
    const QColor band = QGuiApplication::palette().color(QPalette::Button);
    for (int page = 1; page <= Pages; ++page) {
        report.SetFont(14, Qt::black, {});
        report.TextCentred(QStringLiteral("Committee Members"), 0.5, 8.0);
        report.NewLine();
        report.SetFont(10, Qt::black, {});
        report.TextAt(QStringLiteral("Position: Benchmark"), 0.5);
        report.TextRightAt(QStringLiteral("Page: ") + QString::number(report.PageNumber()), 8.0);
        report.NewLine();
        report.ShadeLine(band, 2.0, 6.5);
        report.SetPen(1, Qt::black, Qt::SolidLine);
        report.HorizontalRule(true, 2.0, 6.5);
        report.HorizontalRule(false, 2.0, 6.5);
        report.VerticalRule(2.0);
        report.TextAt(QStringLiteral("Committee ID"), 2.05);
        report.VerticalRule(3.0);
        report.TextAt(QStringLiteral("Committee Member Name"), 3.05);
        report.VerticalRule(6.5);
        report.NewLine();
        for (int line = 1; line <= LinesPerPage; ++line) {
            report.VerticalRule(2.0);
            report.TextRightAt(QString::number(page * 100 + line), 2.95);
            report.VerticalRule(3.0);
            report.TextAt(QStringLiteral("MEMBER NUMBER %1 OF PAGE %2").arg(line).arg(page), 3.05);
            report.VerticalRule(6.5);
            report.HorizontalRule(false, 2.0, 6.5);
            report.NewLine();
        }
        if (page < Pages) {
            report.NewPage();
        }
    }
    report.EndReport();
}

void SetPageCounters(benchmark::State& state) {
    const auto pages = static_cast<double>(state.iterations() * Pages);
    // Seconds of processor time per page.
    state.counters["per_page"] =
        benchmark::Counter(pages, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// 50 pages to the preview: page bitmaps at 96 dpi, each stored as a JPEG file, the window
// opened on page 1 and closed, the files deleted.
void BM_Preview50Pages(benchmark::State& state) {
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    closer.start();
    for (auto _ : state) {
        TReportPreviewForm report;
        report.SetPreviewResolution(96);
        WriteReport(report, TReportPreviewForm::ToPreview);
        benchmark::DoNotOptimize(report.PageCount());
    }
    SetPageCounters(state);
}
BENCHMARK(BM_Preview50Pages)->Unit(benchmark::kMillisecond);

// The same 50 pages through the system printer into a PDF file.
void BM_Pdf50Pages(benchmark::State& state) {
    const QString file = QString::fromStdString(TempFolder() + "bench_report.pdf");
    QPrinter& printer = SystemPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    for (auto _ : state) {
        TReportPreviewForm report;
        WriteReport(report, TReportPreviewForm::ToPrinter);
        benchmark::DoNotOptimize(report.PageCount());
    }
    SetPageCounters(state);
    std::remove(file.toLocal8Bit().constData());
}
BENCHMARK(BM_Pdf50Pages)->Unit(benchmark::kMillisecond);

// One 816 x 1056 page through the JPEG codec: store and load again.
void BM_JpegPageRoundTrip(benchmark::State& state) {
    QImage page(816, 1056, QImage::Format_RGB32);
    page.fill(Qt::white);
    for (int y = 100; y < 1000; y += 15) {
        for (int x = 100; x < 700; ++x) {
            page.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    const QString file = QString::fromStdString(TempFolder() + "bench_page.jpg");
    for (auto _ : state) {
        SaveJpeg(page, file);
        benchmark::DoNotOptimize(LoadJpeg(file));
    }
    std::remove(file.toLocal8Bit().constData());
}
BENCHMARK(BM_JpegPageRoundTrip)->Unit(benchmark::kMillisecond);

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// Seconds of processor time of the process so far.
double ProcessorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// The final rating sheet of a generated position to the preview, with no status window; while
// the preview window is open, Shown runs on it, then the window closes. The wall-clock and
// processor seconds the sheet took to its window, and its pages.
struct TPreviewRun {
    double Seconds = 0;
    double ProcessorSeconds = 0;
    int Pages = 0;
};
TPreviewRun PreviewFinalSheet(const std::function<void(TReportPreviewForm&)>& Shown) {
    Settings.FillInBlankRatings = true;
    Settings.HighlightOn = true;
    TPreviewRun run;
    const Clock::time_point start = Clock::now();
    const double processorStart = ProcessorSeconds();
    QTimer shown;
    shown.setInterval(0);
    QObject::connect(&shown, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<TReportPreviewForm*>(QApplication::activeModalWidget());
        if (preview == nullptr || !preview->isVisible()) {
            return;
        }
        shown.stop();
        run.Seconds = Seconds(Clock::now() - start);
        run.ProcessorSeconds = ProcessorSeconds() - processorStart;
        run.Pages = preview->PageCount();
        Shown(*preview);
        preview->close();
    });
    shown.start();
    PrintFinalRatingSheet(nullptr, {TPrintDestination::ToPreview, false});
    return run;
}

// The final rating sheet of 1,000 applicants (30 landscape pages) to the preview, beside that of
// one applicant (one page): what each page after the first adds, in processor and wall-clock
// milliseconds.
void BM_FinalSheetPreview(benchmark::State& state) {
    const bench::TPositionFolder one({1, 12});
    const bench::TPositionFolder thousand({1000, 12});
    TPreviewRun first, all;
    for (auto _ : state) {
        std::filesystem::current_path(one.Folder());
        const TPreviewRun single = PreviewFinalSheet([](TReportPreviewForm&) {});
        std::filesystem::current_path(thousand.Folder());
        const TPreviewRun run = PreviewFinalSheet([](TReportPreviewForm&) {});
        first.Seconds += single.Seconds;
        first.ProcessorSeconds += single.ProcessorSeconds;
        all.Seconds += run.Seconds;
        all.ProcessorSeconds += run.ProcessorSeconds;
        all.Pages = run.Pages;
        state.SetIterationTime(run.Seconds);
    }
    const double later = static_cast<double>(state.iterations()) * (all.Pages - 1);
    state.counters["pages"] = all.Pages;
    state.counters["cpu_ms_per_page_after_first"] =
        1000 * (all.ProcessorSeconds - first.ProcessorSeconds) / later;
    state.counters["wall_ms_per_page_after_first"] = 1000 * (all.Seconds - first.Seconds) / later;
}
BENCHMARK(BM_FinalSheetPreview)->UseManualTime()->Unit(benchmark::kMillisecond);

// Turning the pages of that preview with Next, each page fitted whole in the window and painted;
// the time is per page turned.
void BM_PreviewPageTurn(benchmark::State& state) {
    const bench::TPositionFolder position({1000, 12});
    double processor = 0;
    int turned = 0;
    for (auto _ : state) {
        double wall = 0;
        int count = 0;
        PreviewFinalSheet([&](TReportPreviewForm& preview) {
            preview.resize(1000, 700);
            preview.findChild<QPushButton*>(QStringLiteral("FitPageBtn"))->click();
            auto* next = preview.findChild<QPushButton*>(QStringLiteral("NextBtn"));
            auto* image = preview.findChild<QWidget*>(QStringLiteral("Image1"));
            const Clock::time_point start = Clock::now();
            const double processorStart = ProcessorSeconds();
            while (next->isEnabled()) {
                next->click();
                image->repaint();
                ++count;
            }
            wall = Seconds(Clock::now() - start);
            processor += ProcessorSeconds() - processorStart;
        });
        turned += count;
        state.SetIterationTime(count > 0 ? wall / count : 0);
    }
    state.counters["cpu_ms_per_page"] = turned > 0 ? 1000 * processor / turned : 0;
    TReportPreviewForm::ForgetLastView();
}
BENCHMARK(BM_PreviewPageTurn)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace korvane
