// The merge of a position disk's ratings: 12,000 records of the disk against 12,000 here, read,
// compared, merged and written (flushed), in a private working directory.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchPosition.h"
#include "bench/BenchWorkDir.h"
#include "data/RatingMerge.h"

namespace korvane {
namespace {

using bench::WriteRecords;

constexpr int Applicants = 500;
constexpr int Members = 30;
constexpr int Records = 12000;
constexpr int Overlap = 9000; // pairs on both sides; the disk's other 3,000 are new here

template <class Codec>
std::vector<typename Codec::TRecord> Made(int Count,
                                          const std::function<typename Codec::TRecord(int)>& Make) {
    std::vector<typename Codec::TRecord> records;
    for (int i = 0; i < Count; ++i) {
        records.push_back(Make(i));
    }
    return records;
}

// Pair p is applicant p / Members + 1 with member p % Members + 1. Ours rate pairs 0..11,999,
// the disk pairs 3,000..14,999 with its twelve criteria in the reverse order: of the pairs on
// both sides a third are the same, a third add ratings and a third conflict.
std::vector<TRateRecord> PreparePosition() {
    std::filesystem::create_directory("disk");
    WriteRecords<TDataRecordCodec>(
        ApplicantFileName, Made<TDataRecordCodec>(Applicants, [](int i) {
            return TDataRecord{i + 1, "APPLICANT " + std::to_string(100000 + i), ' ', 0.0, 0};
        }));
    WriteRecords<TDataRecordCodec>(
        CommitteeFileName, Made<TDataRecordCodec>(Members, [](int i) {
            return TDataRecord{i + 1, "MEMBER " + std::to_string(100 + i), ' ', 0.0, 0};
        }));
    WriteRecords<TSelectRecordCodec>(PreferredFileName, Made<TSelectRecordCodec>(12, [](int i) {
                                         return TSelectRecord{i + 1, 10, i + 1};
                                     }));
    WriteRecords<TSelectRecordCodec>("disk/Preferre.dat", Made<TSelectRecordCodec>(12, [](int i) {
                                         return TSelectRecord{12 - i, 10, i + 1};
                                     }));
    const auto pair = [](int p, std::int32_t Sequence) {
        TRateRecord rec = BlankRating(p / Members + 1, p % Members + 1);
        rec.Sequence = Sequence;
        return rec;
    };
    const auto ours = Made<TRateRecordCodec>(Records, [&](int i) {
        TRateRecord rec = pair(i, Records - i);
        rec.Rate.fill(3);
        rec.Rate[11] = i % 3 == 1 ? 0 : 3;
        return rec;
    });
    WriteRecords<TRateRecordCodec>(RatingFileName, ours);
    WriteRecords<TRateRecordCodec>("disk/Rating.dat", Made<TRateRecordCodec>(Records, [&](int i) {
                                       const int p = Records - Overlap + i;
                                       TRateRecord rec = pair(p, Records - i);
                                       rec.Rate.fill(3);
                                       rec.Rate[0] =
                                           p < Records && p % 3 == 2 ? 4 : 3; // criterion 12 here
                                       return rec;
                                   }));
    return ours;
}

void BM_MergeTwelveThousandRatings(benchmark::State& state) {
    bench::TBenchWorkDir folder("merge");
    const auto ours = PreparePosition();
    for (auto _ : state) {
        state.PauseTiming();
        WriteRecords<TRateRecordCodec>(RatingFileName, ours);
        state.ResumeTiming();
        TRatingMerge merge;
        if (!merge.Read("disk").Ok()) {
            state.SkipWithError("refused");
            break;
        }
        merge.DecideAll(true);
        TRateDataBase ratings(RatingFileName);
        if (!merge.Commit(ratings)) {
            state.SkipWithError("not written");
            break;
        }
        const TMergeCounts counts = merge.Counts();
        state.counters["added"] = counts.Added;
        state.counters["combined"] = counts.Combined;
        state.counters["unchanged"] = counts.Unchanged;
        state.counters["conflicts"] = counts.Conflicts;
    }
}
BENCHMARK(BM_MergeTwelveThousandRatings)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace korvane

BENCHMARK_MAIN();
