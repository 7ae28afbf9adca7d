#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/BenchWorkDir.h"
#include "data/ApplicantImport.h"
#include "data/FileNames.h"
#include "exchange/UpdateForm.h"

namespace korvane {
namespace {

// An applicant list of Count lines, IDs 1 to Count, the names in no order (each line lands
// somewhere inside the sorted file), every third a veteran.
void WriteList(int Count) {
    std::ofstream out(ApplicantListFileName, std::ios::binary | std::ios::trunc);
    for (int i = 1; i <= Count; ++i) {
        char line[64];
        const int name = static_cast<int>((static_cast<long long>(i) * 7919) % Count);
        std::snprintf(line, sizeof line, "%10d%capplicant %05d, m\xfcller\r\n", i,
                      i % 3 == 0 ? '1' : ' ', name);
        out << line;
    }
}

// A list of Count new applicants into an empty applicant file (arg 0), or the same list once
// more over the file it made (arg 1: every line replaces a stored applicant).
void BM_ImportList(benchmark::State& state) {
    const bench::TBenchWorkDir folder("import");
    const int count = static_cast<int>(state.range(0));
    const bool again = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(ApplicantFileName);
        if (again) {
            WriteList(count);
            ImportApplicants(ApplicantListFileName);
        }
        WriteList(count);
        state.ResumeTiming();
        const TImportResult result = ImportApplicants(ApplicantListFileName);
        if (result.Loaded != count) {
            state.SkipWithError("not every line was loaded");
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ImportList)
    ->ArgsProduct({{2500, 10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same through the update screen: its progress window counts every applicant.
void BM_ImportListWithProgressWindow(benchmark::State& state) {
    const bench::TBenchWorkDir folder("import");
    const int count = static_cast<int>(state.range(0));
    TUpdateForm screen(nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(ApplicantFileName);
        WriteList(count);
        state.ResumeTiming();
        if (screen.ImportApplicants(ApplicantListFileName).Loaded != count) {
            state.SkipWithError("not every line was loaded");
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ImportListWithProgressWindow)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace korvane
