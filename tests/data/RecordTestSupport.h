#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/DataBase.h"

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

} // namespace korvane::test
