// The final rating computation for positions of 100 to 5,000 applicants with 12 members and 12
// criteria, fill-in on: the indexed run beside the step-by-step reference run. Then the whole
// `korvane --print final --pdf` of such a position, start-up included.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/BenchPosition.h"
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

// The program as the user runs it: start-up, reading the files, the computation and the PDF of
// the final rating sheet, with fill-in and highlighting on (about 30 landscape pages at 1,000).
void BM_FinalSheetPdfRun(benchmark::State& state) {
    const TPositionFolder position({static_cast<int>(state.range(0)), Members});
    const std::string command =
        std::string("\"") + KORVANE_EXECUTABLE + "\" --print final --pdf final.pdf >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("korvane --print final failed");
            break;
        }
    }
}

BENCHMARK(BM_FinalIndexed)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinalLiteral)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
// Minutes per run: once is enough to show the growth.
BENCHMARK(BM_FinalLiteral)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemberSheetsIndexed)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinalSheetPdfRun)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace korvane

BENCHMARK_MAIN();
