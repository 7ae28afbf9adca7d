// The final rating computation for positions of 100 to 5,000 applicants with 12 members and 12
// criteria, fill-in on: the indexed run beside the step-by-step reference run; the progress
// counts of such a position. Then the whole `korvane --print final --pdf` of such a position,
// start-up included.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/RateDataBase.h"
#include "data/RatingProgress.h"
#include "data/ScoreComputation.h"
#include "data/SelectDataBase.h"
#include "tests/support/core/LiteralScores.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

constexpr int Members = 12;

template <class Codec>
void WriteRecords(const char* Name, const std::vector<typename Codec::TRecord>& Records) {
    std::vector<unsigned char> bytes(Records.size() * Codec::Size, 0);
    for (std::size_t i = 0; i < Records.size(); ++i) {
        Codec::Encode(Records[i], bytes.data() + i * Codec::Size);
    }
    std::ofstream out(Name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A position in a private folder that is the working directory while the object lives. The
// files are written as whole byte images: inserting 60,000 ratings one by one would take longer
// than the runs measured.
class TBenchPosition {
public:
    explicit TBenchPosition(int Applicants) : OldWorkDir_(fs::current_path()) {
        std::random_device seed;
        do {
            Path_ = fs::temp_directory_path() / ("korvane-bench-" + std::to_string(seed()));
        } while (!fs::create_directory(Path_));
        fs::current_path(Path_);
        std::mt19937 random(7);
        std::vector<TDataRecord> applicants, members;
        for (int a = 0; a < Applicants; ++a) {
            char name[24];
            std::snprintf(name, sizeof name, "APPLICANT %06d", a);
            TDataRecord rec;
            rec.ID = 1 + (a * 7919) % Applicants; // the file is by name, not by ID
            rec.Description = name;
            rec.VeteranPreference = random() % 5 == 0 ? 1.0 + random() % 2 : 0.0;
            rec.ApplicantStatus = random() % 10 == 0 ? 1 + static_cast<int>(random() % 4) : 0;
            applicants.push_back(rec);
        }
        for (int m = 0; m < Members; ++m) {
            TDataRecord rec;
            rec.ID = m + 1;
            rec.Description = "MEMBER " + std::to_string(10 + m);
            members.push_back(rec);
        }
        std::vector<TSelectRecord> criteria;
        for (int n = 0; n < 12; ++n) {
            criteria.push_back({n + 1, static_cast<std::uint16_t>(1 + random() % 100), n + 1});
        }
        // A rating record for most pairs, a few ratings left blank; newest first.
        std::vector<TRateRecord> ratings;
        for (int a = 1; a <= Applicants; ++a) {
            for (int m = 1; m <= Members; ++m) {
                if (random() % 20 == 0) {
                    continue;
                }
                TRateRecord rec = BlankRating(a, m);
                for (auto& rate : rec.Rate) {
                    rate = random() % 8 == 0 ? 0 : 1 + static_cast<int>(random() % 5);
                }
                ratings.push_back(rec);
            }
        }
        std::shuffle(ratings.begin(), ratings.end(), random);
        for (std::size_t i = 0; i < ratings.size(); ++i) {
            ratings[i].Sequence = static_cast<std::int32_t>(ratings.size() - i);
        }
        WriteRecords<TDataRecordCodec>(ApplicantFileName, applicants);
        WriteRecords<TDataRecordCodec>(CommitteeFileName, members);
        WriteRecords<TSelectRecordCodec>(PreferredFileName, criteria);
        WriteRecords<TRateRecordCodec>(RatingFileName, ratings);
    }
    ~TBenchPosition() {
        fs::current_path(OldWorkDir_);
        std::error_code ignored;
        fs::remove_all(Path_, ignored);
    }
    std::string Folder() const { return Path_.string() + "/"; }

private:
    fs::path OldWorkDir_;
    fs::path Path_;
};

TSettings FillIn() {
    TSettings settings;
    settings.FillInBlankRatings = true;
    return settings;
}

// Reading the four files and computing every line, as the sheet and the ranking file do.
void BM_FinalIndexed(benchmark::State& state) {
    const TBenchPosition position(static_cast<int>(state.range(0)));
    const TSettings settings = FillIn();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeFinalRating(TRatingData::ReadWorkingDirectory(), settings));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * Members);
}

void BM_FinalLiteral(benchmark::State& state) {
    const TBenchPosition position(static_cast<int>(state.range(0)));
    const TSettings settings = FillIn();
    for (auto _ : state) {
        benchmark::DoNotOptimize(test::LiteralFinalRating(settings, position.Folder()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * Members);
}

// The rating sheets of every member with totals, from one reading of the files.
void BM_MemberSheetsIndexed(benchmark::State& state) {
    const TBenchPosition position(static_cast<int>(state.range(0)));
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
    const TBenchPosition position(static_cast<int>(state.range(0)));
    std::ofstream("kvn.dat") << "CLERK TYPIST II\r\n";
    std::ofstream("support.dat") << "FILLINBLANKRATTINGS=TRUE\r\nHIGHLIGHTON=TRUE\r\n";
    const std::string command =
        std::string("\"") + KORVANE_EXECUTABLE + "\" --print final --pdf final.pdf >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("korvane --print final failed");
            break;
        }
    }
}

// Who still has to rate whom, with a recusal or abstention on one pair in 40: the files read
// once each and every pair counted, as the progress screen and the warnings before printing do.
void BM_ProgressCounts(benchmark::State& state) {
    const TBenchPosition position(static_cast<int>(state.range(0)));
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

BENCHMARK(BM_FinalIndexed)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinalLiteral)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
// Minutes per run: once is enough to show the growth.
BENCHMARK(BM_FinalLiteral)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemberSheetsIndexed)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgressCounts)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinalSheetPdfRun)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace korvane

BENCHMARK_MAIN();
