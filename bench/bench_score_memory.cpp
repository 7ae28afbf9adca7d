// Peak memory of a score run: reading the four files and computing the final rating, at 1,000
// applicants x 12 members and at 100,000 applicants x 400 members (one pair in 1,000 rated).
// Every allocation of this program is counted, so peak_MiB is the most the run held on the heap
// at once, above what the program held before it.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "bench/BenchPosition.h"
#include "data/ScoreComputation.h"

namespace {

std::atomic<std::size_t> HeapBytes{0};
std::atomic<std::size_t> PeakBytes{0};

// Each block carries its size in front of it; the alignment of the block is kept.
constexpr std::size_t Header = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    void* block = std::malloc(size + Header);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(block) = size;
    const std::size_t now = HeapBytes += size;
    std::size_t peak = PeakBytes;
    while (now > peak && !PeakBytes.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + Header;
}

void Release(void* pointer) {
    if (pointer == nullptr) {
        return;
    }
    void* block = static_cast<char*>(pointer) - Header;
    HeapBytes -= *static_cast<std::size_t*>(block);
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}

namespace korvane {
namespace {

void BM_ScoreRunPeakMemory(benchmark::State& state) {
    const bench::TPositionFolder position({static_cast<int>(state.range(0)),
                                           static_cast<int>(state.range(1)),
                                           static_cast<int>(state.range(2))});
    TSettings settings;
    settings.FillInBlankRatings = true;
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::size_t before = HeapBytes;
        PeakBytes = before;
        benchmark::DoNotOptimize(ComputeFinalRating(TRatingData::ReadWorkingDirectory(), settings));
        peak = PeakBytes - before;
    }
    state.counters["peak_MiB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
}

BENCHMARK(BM_ScoreRunPeakMemory)
    ->Args({1000, 12, 0})
    ->Args({100000, 400, 1000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace korvane

BENCHMARK_MAIN();
