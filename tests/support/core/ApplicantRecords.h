#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "data/DataBase.h"
#include "data/FileNames.h"

namespace korvane::test {

// Adds one applicant to Applicant.Dat of the working directory through the record file.
inline void InsertApplicant(std::int32_t ID, const std::string& Name, double Veteran = 0.0,
                            std::int32_t Status = 0, char Mark = '*') {
    TDataBase file(ApplicantFileName);
    TDataRecord rec;
    rec.ID = ID;
    rec.Description = Name;
    rec.Mark = Mark;
    rec.VeteranPreference = Veteran;
    rec.ApplicantStatus = Status;
    bool added = false;
    file.Insert(rec, added);
    EXPECT_TRUE(added) << Name;
}

} // namespace korvane::test
