#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/DataBase.h"
#include "data/RateDataBase.h"

namespace korvane::test {

inline TDataRecord Named(std::int32_t ID, const std::string& Description) {
    TDataRecord rec;
    rec.ID = ID;
    rec.Description = Description;
    return rec;
}

inline std::string Zeros(std::size_t Count) {
    return std::string(Count, '\0');
}

// Every record a scan delivers: First, then Next while Status is 0.
template <class TFile> auto Scan(TFile& File) {
    std::vector<typename TFile::TRecord> records;
    typename TFile::TRecord rec;
    File.First(rec);
    while (File.Status() == 0) {
        records.push_back(rec);
        File.Next(rec);
    }
    return records;
}

inline std::vector<std::string> Descriptions(TDataBase& File) {
    std::vector<std::string> result;
    for (const auto& rec : Scan(File)) {
        result.push_back(rec.Description);
    }
    return result;
}

inline std::vector<std::int32_t> IDs(TDataBase& File) {
    std::vector<std::int32_t> result;
    for (const auto& rec : Scan(File)) {
        result.push_back(rec.ID);
    }
    return result;
}

// Inserts records and expects each to be written.
inline void InsertAll(TDataBase& File, std::vector<TDataRecord> Records) {
    for (auto& rec : Records) {
        bool added = false;
        File.Insert(rec, added);
        EXPECT_TRUE(added) << rec.Description;
    }
}

// Adds rating records to File; each row is the applicant, the member and the first ratings.
inline void InsertRatings(const std::string& File,
                          const std::vector<std::vector<std::int32_t>>& Rows) {
    TRateDataBase ratings(File);
    for (const auto& row : Rows) {
        TRateRecord rec = BlankRating(row[0], row[1]);
        std::copy(row.begin() + 2, row.end(), rec.Rate.begin());
        bool added = false;
        ratings.Insert(rec, added);
        EXPECT_TRUE(added);
    }
}

// Each record of a rating file in file order as applicant, member, ratings 1 and 2: 1000 * a +
// 100 * m + 10 * r1 + r2.
inline std::vector<std::int32_t> RatingKeys(const std::string& File) {
    TRateDataBase ratings(File);
    std::vector<std::int32_t> keys;
    for (const auto& rec : Scan(ratings)) {
        keys.push_back(rec.ApplicantID * 1000 + rec.CommitteeID * 100 + rec.Rate[0] * 10 +
                       rec.Rate[1]);
    }
    return keys;
}

} // namespace korvane::test
