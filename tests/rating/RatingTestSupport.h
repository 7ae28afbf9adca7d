#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/RateDataBase.h"
#include "data/SelectDataBase.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane::test {

struct TApplicant {
    std::int32_t ID;
    const char* Name;
    double Veteran = 0.0;
    std::int32_t Status = 0;
};

// The files of a position ready for rating, built through the record files themselves.
class RatingFilesTest : public TempWorkDirTest {
protected:
    static void AddNamed(const char* File, std::initializer_list<TApplicant> Records) {
        TDataBase file(File);
        for (const TApplicant& a : Records) {
            TDataRecord rec{a.ID, a.Name, ' ', a.Veteran, a.Status};
            bool added = false;
            file.Insert(rec, added);
        }
    }
    // Members 1 BAKER and 2 CLARK; applicants 3 ADAMS, 4 CRUZ and 6 DIAZ in the pool and 5 BROWN
    // eliminated between them in name order.
    static void AddPeople() {
        AddNamed(CommitteeFileName, {{1, "BAKER"}, {2, "CLARK"}});
        AddNamed(ApplicantFileName,
                 {{3, "ADAMS", 2.0}, {5, "BROWN", 0.0, 2}, {4, "CRUZ", 1.0}, {6, "DIAZ"}});
    }
    // Criterion n is sample 100 + n ("CRITERION A" + n, the first marked) with weight 10 n;
    // the sample of criterion Missing is left out.
    static void SelectCriteria(int Criteria, int Missing = 0) {
        TDataBase samples(SamplePreferredFileName);
        TSelectDataBase selected(PreferredFileName);
        for (int n = 1; n <= Criteria; ++n) {
            bool added = false;
            TDataRecord sample{100 + n, "CRITERION " + std::string(1, char('A' + n)),
                               n == 1 ? '*' : ' '};
            if (n != Missing) {
                samples.Insert(sample, added);
            }
            TSelectRecord selection{100 + n, static_cast<std::uint16_t>(10 * n)};
            selected.Insert(selection, added);
        }
    }

    static TRateRecord Rating(std::int32_t Applicant, const char* Comments,
                              std::vector<std::int32_t> Rates, std::int32_t Sequence) {
        TRateRecord rec = BlankRating(Applicant, 1);
        rec.Comments = Comments;
        std::copy(Rates.begin(), Rates.end(), rec.Rate.begin());
        rec.Sequence = Sequence;
        return rec;
    }
    static void StoreRating(TRateRecord Rec) {
        TRateDataBase file(RatingFileName);
        bool added = false;
        file.Insert(Rec, added);
    }

    // Rating.dat holds exactly these records, byte for byte; the test lists them in descending
    // Sequence.
    static void ExpectRatingFile(const std::vector<TRateRecord>& Expected) {
        std::string bytes;
        for (std::size_t i = 0; i < Expected.size(); ++i) {
            unsigned char record[TRateRecordCodec::Size] = {};
            TRateRecordCodec::Encode(Expected[i], record);
            bytes.append(reinterpret_cast<const char*>(record), sizeof record);
            if (i > 0) {
                EXPECT_GT(Expected[i - 1].Sequence, Expected[i].Sequence) << "record " << i;
            }
        }
        EXPECT_EQ(ReadFile(RatingFileName), bytes);
    }
};

} // namespace korvane::test
