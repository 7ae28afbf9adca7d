// Record-file operations at list sizes from 100 to 10,000 records, in a private folder of the
// system temporary folder. Every change is on the disk when it returns, flushes included.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "data/DataBase.h"
#include "data/RateDataBase.h"
#include "data/SelectDataBase.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class TBenchFolder {
public:
    TBenchFolder() {
        std::random_device random;
        do {
            Path_ = fs::temp_directory_path() / ("korvane-bench-" + std::to_string(random()));
        } while (!fs::create_directory(Path_));
    }
    ~TBenchFolder() {
        std::error_code ignored;
        fs::remove_all(Path_, ignored);
    }
    std::string File(const char* Name) const { return (Path_ / Name).string(); }

private:
    fs::path Path_;
};

std::string Name(int i) {
    char text[24];
    std::snprintf(text, sizeof text, "NAME %06d", i * 2 + 1);
    return text;
}

// Writes records as they lie on disk: quicker than Count changes, each flushed.
template <class Codec>
void WriteRecords(const std::string& Path, int Count,
                  const std::function<typename Codec::TRecord(int)>& Make) {
    std::string bytes(static_cast<std::size_t>(Count) * Codec::Size, '\0');
    for (int i = 0; i < Count; ++i) {
        Codec::Encode(Make(i), reinterpret_cast<unsigned char*>(bytes.data()) + i * Codec::Size);
    }
    std::ofstream(Path, std::ios::binary | std::ios::trunc) << bytes;
}

// A committee file of Count records with IDs 1..Count, named in ID order.
std::string FillData(const TBenchFolder& Folder, int Count) {
    const std::string path = Folder.File("committee.dat");
    WriteRecords<TDataRecordCodec>(path, Count, [](int i) {
        TDataRecord rec;
        rec.ID = i + 1;
        rec.Description = Name(i);
        return rec;
    });
    return path;
}

TDataRecord Record(int ID, const std::string& Description) {
    TDataRecord rec;
    rec.ID = ID;
    rec.Description = Description;
    return rec;
}

void BM_InsertFront(benchmark::State& state) {
    TBenchFolder folder;
    TDataBase file(FillData(folder, static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TDataRecord rec = Record(900000, "AAA");
        bool added = false;
        file.Insert(rec, added);
        state.PauseTiming();
        file.Delete(0);
        state.ResumeTiming();
    }
}

void BM_InsertBack(benchmark::State& state) {
    TBenchFolder folder;
    TDataBase file(FillData(folder, static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TDataRecord rec = Record(900000, "ZZZ");
        bool added = false;
        file.Insert(rec, added);
        state.PauseTiming();
        file.Delete(file.LastIndex());
        state.ResumeTiming();
    }
}

void BM_InsertAutomaticID(benchmark::State& state) {
    TBenchFolder folder;
    TDataBase file(FillData(folder, static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TDataRecord rec = Record(0, "ZZZ");
        bool added = false;
        file.Insert(rec, added);
        state.PauseTiming();
        file.Delete(file.LastIndex());
        state.ResumeTiming();
    }
}

void BM_DeleteFront(benchmark::State& state) {
    TBenchFolder folder;
    TDataBase file(FillData(folder, static_cast<int>(state.range(0))));
    for (auto _ : state) {
        file.Delete(0);
        state.PauseTiming();
        TDataRecord rec = Record(1, Name(0));
        bool added = false;
        file.Insert(rec, added);
        state.ResumeTiming();
    }
}

void BM_DeleteBack(benchmark::State& state) {
    TBenchFolder folder;
    const int count = static_cast<int>(state.range(0));
    TDataBase file(FillData(folder, count));
    for (auto _ : state) {
        file.Delete(file.LastIndex());
        state.PauseTiming();
        TDataRecord rec = Record(count, Name(count - 1));
        bool added = false;
        file.Insert(rec, added);
        state.ResumeTiming();
    }
}

// A list screen's edit: fetch the row, Delete it, Insert it again under its ID.
void BM_EditFront(benchmark::State& state) {
    TBenchFolder folder;
    TDataBase file(FillData(folder, static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TDataRecord rec;
        file.GoTo(rec, 0);
        file.Delete(0);
        bool added = false;
        file.Insert(rec, added);
    }
}

// The same edit as one change, as the list screens make it.
void BM_ReplaceAtFront(benchmark::State& state) {
    TBenchFolder folder;
    TDataBase file(FillData(folder, static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TDataRecord rec;
        file.GoTo(rec, 0);
        bool added = false;
        file.ReplaceAt(0, rec, added);
        if (!added) {
            state.SkipWithError("the edit was not saved");
        }
    }
}

void BM_FindMiss(benchmark::State& state) {
    TBenchFolder folder;
    TDataBase file(FillData(folder, static_cast<int>(state.range(0))));
    TDataRecord rec;
    for (auto _ : state) {
        file.Find(rec, -5);
        benchmark::DoNotOptimize(rec);
    }
}

void BM_NextID(benchmark::State& state) {
    TBenchFolder folder;
    TDataBase file(FillData(folder, static_cast<int>(state.range(0))));
    for (auto _ : state) {
        benchmark::DoNotOptimize(file.NextID());
    }
}

// The loop of every list printout: First, then Next while Status is 0.
void BM_Scan(benchmark::State& state) {
    TBenchFolder folder;
    TDataBase file(FillData(folder, static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TDataRecord rec;
        int records = 0;
        for (file.First(rec); file.Status() == 0; file.Next(rec)) {
            ++records;
        }
        benchmark::DoNotOptimize(records);
    }
}

// Count ratings of 400 applicants by Count / 400 members, the most recent first.
std::string FillRatings(const TBenchFolder& Folder, int Count) {
    const std::string path = Folder.File("Rating.dat");
    WriteRecords<TRateRecordCodec>(path, Count, [Count](int i) {
        TRateRecord rec = BlankRating(i % 400 + 1, i / 400 + 1);
        rec.Sequence = Count - i;
        return rec;
    });
    return path;
}

void BM_FindRatingMiss(benchmark::State& state) {
    TBenchFolder folder;
    TRateDataBase file(FillRatings(folder, static_cast<int>(state.range(0))));
    TRateRecord rec;
    for (auto _ : state) {
        benchmark::DoNotOptimize(file.FindRating(rec, 9999, 9999));
    }
}

// A first rating: it gets the next Sequence and moves to the front of the file.
void BM_RatingInsert(benchmark::State& state) {
    TBenchFolder folder;
    const int count = static_cast<int>(state.range(0));
    const std::string path = FillRatings(folder, count);
    std::optional<TRateDataBase> file(std::in_place, path);
    for (auto _ : state) {
        TRateRecord rec = BlankRating(9999, 9999);
        bool added = false;
        file->Insert(rec, added);
        state.PauseTiming();
        // Rating files lose no records one by one: cut the file back to its size.
        file.reset();
        fs::resize_file(path, static_cast<std::uintmax_t>(count) * TRateRecordCodec::Size);
        file.emplace(path);
        state.ResumeTiming();
    }
}

// The rating sheet's save of a pair rated before: FindRating, then WriteRecord in place.
void BM_RatingSave(benchmark::State& state) {
    TBenchFolder folder;
    const int count = static_cast<int>(state.range(0));
    TRateDataBase file(FillRatings(folder, count));
    const int middle = count / 2; // the pair FillRatings stores in the middle of the file
    for (auto _ : state) {
        TRateRecord rec;
        file.FindRating(rec, middle % 400 + 1, middle / 400 + 1);
        rec.Rate[0] = rec.Rate[0] % 5 + 1;
        file.WriteRecord(rec);
        if (file.Status() != 0) {
            state.SkipWithError("the rating was not saved");
        }
    }
}

void BM_SelectFind(benchmark::State& state) {
    TBenchFolder folder;
    const std::string path = folder.File("Preferre.dat");
    WriteRecords<TSelectRecordCodec>(path, static_cast<int>(state.range(0)), [](int i) {
        TSelectRecord rec;
        rec.CriterionID = i;
        rec.Sequence = i + 1;
        return rec;
    });
    TSelectDataBase file(path);
    TSelectRecord rec;
    for (auto _ : state) {
        file.Find(rec, static_cast<std::int32_t>(state.range(0) / 3));
        benchmark::DoNotOptimize(rec);
    }
}

#define KORVANE_SIZES ->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)

BENCHMARK(BM_InsertFront) KORVANE_SIZES;
BENCHMARK(BM_InsertBack) KORVANE_SIZES;
BENCHMARK(BM_InsertAutomaticID) KORVANE_SIZES;
BENCHMARK(BM_DeleteFront) KORVANE_SIZES;
BENCHMARK(BM_DeleteBack) KORVANE_SIZES;
BENCHMARK(BM_EditFront) KORVANE_SIZES->Arg(2000);
BENCHMARK(BM_ReplaceAtFront) KORVANE_SIZES->Arg(2000);
BENCHMARK(BM_FindMiss) KORVANE_SIZES;
BENCHMARK(BM_NextID) KORVANE_SIZES;
BENCHMARK(BM_Scan) KORVANE_SIZES;
BENCHMARK(BM_FindRatingMiss) KORVANE_SIZES->Arg(12000);
BENCHMARK(BM_RatingInsert) KORVANE_SIZES->Arg(12000);
BENCHMARK(BM_RatingSave) KORVANE_SIZES->Arg(12000);
BENCHMARK(BM_SelectFind) KORVANE_SIZES;

} // namespace
} // namespace korvane

BENCHMARK_MAIN();
