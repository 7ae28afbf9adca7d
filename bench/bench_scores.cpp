// The final rating computation for positions of 100 to 5,000 applicants with 12 members and 12
// criteria, fill-in on: the indexed run beside the step-by-step reference run, and the progress
// counts of such positions. Then whole runs of
// `korvane --print final` and `--print ratingsheets --all --totals` of such positions, start-up
// included.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "bench/BenchPosition.h"
#include "data/Disagreements.h"
#include "data/FileNames.h"
#include "data/RatingProgress.h"
#include "data/ScoreComputation.h"
#include "tests/support/core/LiteralScores.h"

namespace korvane {
namespace {

constexpr int Members = 12;

using bench::TPositionFolder;

TSettings FillIn() {
    TSettings settings;
    settings.FillInBlankRatings = true;
    return settings;
}

// Reading the four files and computing every line, as the sheet and the ranking file do.
void BM_FinalIndexed(benchmark::State& state) {
    const TPositionFolder position({static_cast<int>(state.range(0)), Members});
    const TSettings settings = FillIn();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeFinalRating(TRatingData::ReadWorkingDirectory(), settings));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * Members);
}

void BM_FinalLiteral(benchmark::State& state) {
    const TPositionFolder position({static_cast<int>(state.range(0)), Members});
    const TSettings settings = FillIn();
    for (auto _ : state) {
        benchmark::DoNotOptimize(test::LiteralFinalRating(settings, position.Folder()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * Members);
}

// The same with every tie rule in force (equal scores are rare in a generated position: the cost
// is the longer sort key).
void BM_FinalTieRules(benchmark::State& state) {
    const TPositionFolder position({static_cast<int>(state.range(0)), Members});
    TSettings settings = FillIn();
    settings.TieBreak = {TTieRule::Veteran, TTieRule::Points, TTieRule::ID};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeFinalRating(TRatingData::ReadWorkingDirectory(), settings));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * Members);
}

// The consensus agenda: reading the files, the final rating for its order and the spreads.
void BM_Disagreements(benchmark::State& state) {
    const TPositionFolder position({static_cast<int>(state.range(0)), Members});
    const TSettings settings = FillIn();
    for (auto _ : state) {
        const TRatingData data = TRatingData::ReadWorkingDirectory();
        benchmark::DoNotOptimize(ComputeDisagreements(data, ComputeFinalRating(data, settings),
                                                      settings.Disagreement, {}));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * Members);
}

// The rating sheets of every member with totals, from one reading of the files.
void BM_MemberSheetsIndexed(benchmark::State& state) {
    const TPositionFolder position({static_cast<int>(state.range(0)), Members});
    const TSettings settings = FillIn();
    for (auto _ : state) {
        const TRatingData data = TRatingData::ReadWorkingDirectory();
        for (const std::int32_t member : data.CommitteeIDs()) {
            benchmark::DoNotOptimize(ComputeMemberRating(data, settings, member, true));
        }
    }
}

// Who still has to rate whom, with a recusal or abstention on one pair in 40: the files read
// once each and every pair counted, as the progress screen and the warnings before printing do.
void BM_ProgressCounts(benchmark::State& state) {
    const TPositionFolder position({static_cast<int>(state.range(0)), Members});
    std::ofstream decisions(RecusalFileName, std::ios::binary);
    for (int a = 1; a <= state.range(0); ++a) {
        for (int m = 1; m <= Members; ++m) {
            if ((a * Members + m) % 40 == 0) {
                decisions << a << ',' << m << (a % 2 == 0 ? ",R,COLLEAGUE\r\n" : ",A,\r\n");
            }
        }
    }
    decisions.close();
    for (auto _ : state) {
        benchmark::DoNotOptimize(TRatingProgress::ReadWorkingDirectory().Missing());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * Members);
}

// The page objects of a PDF file ("/Type /Page", not "/Type /Pages").
int PdfPages(const char* File) {
    std::ifstream in(File, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    const std::string page = "/Type /Page";
    int pages = 0;
    for (auto at = content.find(page); at != std::string::npos; at = content.find(page, at + 1)) {
        pages += content.compare(at, page.size() + 1, page + "s") != 0 ? 1 : 0;
    }
    return pages;
}

// `korvane ARGUMENTS --pdf sheet.pdf` as the user runs it, start-up included, in a generated
// position with fill-in and highlighting on; per_page is the time of one page of the PDF.
void RunPrintout(benchmark::State& state, const std::string& Arguments) {
    const TPositionFolder position({static_cast<int>(state.range(0)), Members});
    const std::string command = std::string("\"") + KORVANE_EXECUTABLE + "\" " + Arguments +
                                " --pdf sheet.pdf >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError(("korvane " + Arguments + " failed").c_str());
            return;
        }
    }
    const int pages = PdfPages("sheet.pdf");
    state.counters["pages"] = pages;
    state.counters["per_page"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * pages,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Start-up, reading the files, the computation and the PDF of the final rating sheet (30
// landscape pages at 1,000).
void BM_FinalSheetPdfRun(benchmark::State& state) {
    RunPrintout(state, "--print final");
}

// Every member's rating sheet with totals, one after the other in one PDF.
void BM_RatingSheetsPdfRun(benchmark::State& state) {
    RunPrintout(state, "--print ratingsheets --all --totals");
}

BENCHMARK(BM_FinalIndexed)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinalTieRules)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Disagreements)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinalLiteral)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
// Minutes per run: once is enough to show the growth.
BENCHMARK(BM_FinalLiteral)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemberSheetsIndexed)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgressCounts)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinalSheetPdfRun)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RatingSheetsPdfRun)
    ->Arg(1000)
    ->Arg(5000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace korvane

BENCHMARK_MAIN();
