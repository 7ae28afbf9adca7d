#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/BenchWorkDir.h"
#include "data/ChangeLog.h"
#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/FinalRating.h"
#include "data/RateDataBase.h"
#include "data/SelectDataBase.h"

namespace korvane {
namespace {

template <class Codec> void WriteRecords(const char* File, int Count, auto Make) {
    std::ofstream out(File, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < Count; ++i) {
        unsigned char bytes[Codec::Size] = {};
        Codec::Encode(Make(i), bytes);
        out.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }
}

// Applicants applicants rated by 5 members on 12 criteria, written as the record files hold
// them (names in order, ratings by descending sequence).
void WritePosition(int Applicants) {
    constexpr int Members = 5;
    WriteRecords<TDataRecordCodec>(ApplicantFileName, Applicants, [](int i) {
        char name[32];
        std::snprintf(name, sizeof name, "APPLICANT %06d", i);
        return TDataRecord{i + 1, name, ' ', static_cast<double>(i % 3), 0};
    });
    WriteRecords<TDataRecordCodec>(CommitteeFileName, Members, [](int i) {
        return TDataRecord{i + 1, "MEMBER " + std::to_string(i + 1)};
    });
    WriteRecords<TSelectRecordCodec>(PreferredFileName, 12, [](int i) {
        return TSelectRecord{i + 1, static_cast<std::uint16_t>(5 + i), i + 1};
    });
    const int ratings = Applicants * Members;
    WriteRecords<TRateRecordCodec>(RatingFileName, ratings, [&](int i) {
        TRateRecord rec = BlankRating(i / Members + 1, i % Members + 1);
        rec.Rate.fill(1 + i % 5);
        rec.Sequence = ratings - i;
        return rec;
    });
}

// One change logged: the line appended and flushed to the disk.
void BM_LogChange(benchmark::State& state) {
    const bench::TBenchWorkDir folder("changelog");
    const TChange change{"Rating Sheet",
                         "rating of applicant 4711 by member 3, criterion 2: 3 \xE2\x86\x92 4",
                         4711, 3};
    for (auto _ : state) {
        if (!LogChange(change).Ok()) {
            state.SkipWithError("not logged");
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LogChange)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The check every changing command makes first: no Final.dat (arg 0), or one of that many
// applicants, read to find when it was finalised.
void BM_MayChange(benchmark::State& state) {
    const bench::TBenchWorkDir folder("changelog");
    const int applicants = static_cast<int>(state.range(0));
    if (applicants > 0) {
        WritePosition(applicants);
        TFinalRating made;
        if (!FinaliseFinalRating(TSettings{}, made).Ok()) {
            state.SkipWithError("not finalised");
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(MayChange());
    }
}
BENCHMARK(BM_MayChange)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Finalising: the final rating computed and every data file hashed, Final.dat written.
void BM_FinaliseFinalRating(benchmark::State& state) {
    const bench::TBenchWorkDir folder("changelog");
    const int applicants = static_cast<int>(state.range(0));
    WritePosition(applicants);
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(FinalFileName);
        state.ResumeTiming();
        TFinalRating made;
        if (!FinaliseFinalRating(TSettings{}, made).Ok()) {
            state.SkipWithError("not finalised");
        }
    }
    state.SetItemsProcessed(state.iterations() * applicants);
}
BENCHMARK(BM_FinaliseFinalRating)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The change log screen's read of a log of that many lines.
void BM_ReadChangeLog(benchmark::State& state) {
    const bench::TBenchWorkDir folder("changelog");
    const int lines = static_cast<int>(state.range(0));
    {
        std::ofstream out(ChangeLogFileName, std::ios::binary | std::ios::trunc);
        for (int i = 0; i < lines; ++i) {
            out << ChangeLine({"2025-03-04T10:11:12Z",
                               "ann",
                               false,
                               {"Rating Sheet",
                                "rating of applicant " + std::to_string(i) +
                                    " by member 3, criterion 2: 3 \xE2\x86\x92 4",
                                i + 1, 3}});
        }
    }
    for (auto _ : state) {
        const TChangeLog log = ReadChangeLog();
        if (static_cast<int>(log.Entries.size()) != lines) {
            state.SkipWithError("lines lost");
        }
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_ReadChangeLog)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace korvane
