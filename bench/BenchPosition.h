#pragma once

// A generated position for the benchmarks and the side-by-side script: applicants, committee,
// twelve weighted preferred criteria with their sample criteria, and ratings. The files are
// written as whole byte images: inserting 60,000 ratings one by one would take longer than the
// runs measured. The same sizes always give the same files.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/RateDataBase.h"
#include "data/SelectDataBase.h"

namespace korvane::bench {

struct TPositionSize {
    int Applicants = 1000;
    int Members = 12;
    // 0: a rating record for most pairs (one in 20 left out); n: one pair in n rated.
    int SparseRatings = 0;
};

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

// Writes the position's data files into the working directory, with kvn.dat and a support.dat
// that turns fill-in and highlighting on.
inline void WritePosition(const TPositionSize& Size) {
    std::mt19937 random(7);
    std::vector<TDataRecord> applicants, members, samples;
    for (int a = 0; a < Size.Applicants; ++a) {
        char name[24];
        std::snprintf(name, sizeof name, "APPLICANT %06d", a);
        TDataRecord rec;
        rec.ID = 1 + static_cast<std::int32_t>((static_cast<std::int64_t>(a) * 7919) %
                                               Size.Applicants); // the file is by name, not by ID
        rec.Description = name;
        rec.VeteranPreference = random() % 5 == 0 ? 1.0 + random() % 2 : 0.0;
        rec.ApplicantStatus = random() % 10 == 0 ? 1 + static_cast<int>(random() % 4) : 0;
        applicants.push_back(rec);
    }
    for (int m = 0; m < Size.Members; ++m) {
        char name[24];
        std::snprintf(name, sizeof name, "MEMBER %04d", m + 1);
        TDataRecord rec;
        rec.ID = m + 1;
        rec.Description = name;
        members.push_back(rec);
    }
    std::vector<TSelectRecord> criteria;
    for (int n = 0; n < 12; ++n) {
        criteria.push_back({n + 1, static_cast<std::uint16_t>(1 + random() % 100), n + 1});
        char description[40];
        std::snprintf(description, sizeof description, "PREFERRED CRITERION %02d", n + 1);
        TDataRecord sample;
        sample.ID = n + 1;
        sample.Description = description;
        sample.Mark = n % 3 == 0 ? '*' : ' ';
        samples.push_back(sample);
    }
    // Ratings for most pairs, a few left blank; newest first.
    std::vector<TRateRecord> ratings;
    for (int a = 1; a <= Size.Applicants; ++a) {
        for (int m = 1; m <= Size.Members; ++m) {
            if (Size.SparseRatings > 0 ? random() % Size.SparseRatings != 0 : random() % 20 == 0) {
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
    WriteRecords<TDataRecordCodec>(SamplePreferredFileName, samples);
    WriteRecords<TSelectRecordCodec>(PreferredFileName, criteria);
    WriteRecords<TRateRecordCodec>(RatingFileName, ratings);
    std::ofstream(PositionFileName) << "CLERK TYPIST II\r\n";
    std::ofstream(SupportFileName) << "FILLINBLANKRATTINGS=TRUE\r\nHIGHLIGHTON=TRUE\r\n";
}

// A generated position in a private folder that is the working directory while the object
// lives.
class TPositionFolder {
public:
    explicit TPositionFolder(const TPositionSize& Size)
        : OldWorkDir_(std::filesystem::current_path()) {
        std::random_device seed;
        do {
            Path_ = std::filesystem::temp_directory_path() /
                    ("korvane-bench-" + std::to_string(seed()));
        } while (!std::filesystem::create_directory(Path_));
        std::filesystem::current_path(Path_);
        WritePosition(Size);
    }
    ~TPositionFolder() {
        std::filesystem::current_path(OldWorkDir_);
        std::error_code ignored;
        std::filesystem::remove_all(Path_, ignored);
    }
    TPositionFolder(const TPositionFolder&) = delete;
    TPositionFolder& operator=(const TPositionFolder&) = delete;

    std::string Folder() const { return Path_.string() + "/"; }

private:
    std::filesystem::path OldWorkDir_;
    std::filesystem::path Path_;
};

} // namespace korvane::bench
