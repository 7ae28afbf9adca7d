// The merge of a position disk's ratings: 12,000 records of the disk against 12,000 here, read,
// compared, merged and written (flushed), in a private working directory.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/RatingMerge.h"
#include "data/SelectDataBase.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

constexpr int Applicants = 500;
constexpr int Members = 30;
constexpr int Records = 12000;
constexpr int Overlap = 9000; // pairs on both sides; the disk's other 3,000 are new here

// The working directory for the run: a position and its disk in a folder of their own.
class TMergeFolder {
public:
    TMergeFolder() : Old_(fs::current_path()) {
        std::random_device random;
        do {
            Path_ = fs::temp_directory_path() / ("korvane-bench-merge-" + std::to_string(random()));
        } while (!fs::create_directory(Path_));
        fs::current_path(Path_);
        fs::create_directory("disk");
    }
    ~TMergeFolder() {
        fs::current_path(Old_);
        std::error_code ignored;
        fs::remove_all(Path_, ignored);
    }

private:
    fs::path Old_;
    fs::path Path_;
};

template <class Codec>
std::string Bytes(int Count, const std::function<typename Codec::TRecord(int)>& Make) {
    std::string bytes(static_cast<std::size_t>(Count) * Codec::Size, '\0');
    for (int i = 0; i < Count; ++i) {
        Codec::Encode(Make(i), reinterpret_cast<unsigned char*>(bytes.data()) + i * Codec::Size);
    }
    return bytes;
}

void Put(const std::string& Path, const std::string& Bytes) {
    std::ofstream(Path, std::ios::binary | std::ios::trunc) << Bytes;
}

// Pair p is applicant p / Members + 1 with member p % Members + 1. Ours rate pairs 0..11,999,
// the disk pairs 3,000..14,999 with its twelve criteria in the reverse order: of the pairs on
// both sides a third are the same, a third add ratings and a third conflict.
std::string PreparePosition() {
    Put(ApplicantFileName, Bytes<TDataRecordCodec>(Applicants, [](int i) {
            return TDataRecord{i + 1, "APPLICANT " + std::to_string(100000 + i), ' ', 0.0, 0};
        }));
    Put(CommitteeFileName, Bytes<TDataRecordCodec>(Members, [](int i) {
            return TDataRecord{i + 1, "MEMBER " + std::to_string(100 + i), ' ', 0.0, 0};
        }));
    Put(PreferredFileName, Bytes<TSelectRecordCodec>(12, [](int i) {
            return TSelectRecord{i + 1, 10, i + 1};
        }));
    Put(std::string("disk/") + PreferredFileName, Bytes<TSelectRecordCodec>(12, [](int i) {
            return TSelectRecord{12 - i, 10, i + 1};
        }));
    const auto pair = [](int p, std::int32_t Sequence) {
        TRateRecord rec = BlankRating(p / Members + 1, p % Members + 1);
        rec.Sequence = Sequence;
        return rec;
    };
    const std::string ours = Bytes<TRateRecordCodec>(Records, [&](int i) {
        TRateRecord rec = pair(i, Records - i);
        rec.Rate.fill(3);
        rec.Rate[11] = i % 3 == 1 ? 0 : 3;
        return rec;
    });
    Put(RatingFileName, ours);
    Put(std::string("disk/") + RatingFileName, Bytes<TRateRecordCodec>(Records, [&](int i) {
            const int p = Records - Overlap + i;
            TRateRecord rec = pair(p, Records - i);
            rec.Rate.fill(3);
            rec.Rate[0] = p < Records && p % 3 == 2 ? 4 : 3; // criterion 12 here
            return rec;
        }));
    return ours;
}

void BM_MergeTwelveThousandRatings(benchmark::State& state) {
    TMergeFolder folder;
    const std::string ours = PreparePosition();
    for (auto _ : state) {
        state.PauseTiming();
        Put(RatingFileName, ours);
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
