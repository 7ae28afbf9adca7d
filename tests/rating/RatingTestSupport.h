#pragma once

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

// A position ready for rating: members, applicants, and the first Criteria of twelve sample
// preferred criteria selected with weights 10, 20, ...
class RatingFilesTest : public TempWorkDirTest {
protected:
    static void AddApplicants(std::initializer_list<TApplicant> applicants) {
        TDataBase file(ApplicantFileName);
        for (const TApplicant& a : applicants) {
            TDataRecord rec;
            rec.ID = a.ID;
            rec.Description = a.Name;
            rec.VeteranPreference = a.Veteran;
            rec.ApplicantStatus = a.Status;
            bool added = false;
            file.Insert(rec, added);
        }
    }

    static void AddMembers() {
        TDataBase file(CommitteeFileName);
        for (const auto& [id, name] : {std::pair{1, "BAKER"}, std::pair{2, "CLARK"}}) {
            TDataRecord rec;
            rec.ID = id;
            rec.Description = name;
            bool added = false;
            file.Insert(rec, added);
        }
    }

    // Selection n refers to sample criterion 100 + n; MissingSample is left out of the samples.
    static void SelectCriteria(int Criteria, int MissingSample = 0) {
        TDataBase samples(SamplePreferredFileName);
        TSelectDataBase selected(PreferredFileName);
        for (int n = 1; n <= Criteria; ++n) {
            bool added = false;
            if (n != MissingSample) {
                TDataRecord sample;
                sample.ID = 100 + n;
                sample.Description = "CRITERION " + std::string(1, static_cast<char>('A' + n));
                sample.Mark = n == 1 ? '*' : ' ';
                samples.Insert(sample, added);
            }
            TSelectRecord selection;
            selection.CriterionID = 100 + n;
            selection.Weight = static_cast<std::uint16_t>(10 * n);
            selected.Insert(selection, added);
        }
    }

    // Three applicants in the pool and one eliminated between them in name order.
    static void AddPool() {
        AddApplicants({{3, "ADAMS", 2.0}, {5, "BROWN", 0.0, 2}, {4, "CRUZ", 1.0}, {6, "DIAZ"}});
    }

    static TRateRecord Rating(std::int32_t Applicant, std::int32_t Member, const char* Comments,
                              std::vector<std::int32_t> Rates, std::int32_t Sequence) {
        TRateRecord rec = BlankRating(Applicant, Member);
        rec.Comments = Comments;
        std::copy(Rates.begin(), Rates.end(), rec.Rate.begin());
        rec.Sequence = Sequence;
        return rec;
    }

    // Rating.dat holds exactly these records, byte for byte, in descending Sequence.
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
        const std::string file = ReadFile(RatingFileName);
        ASSERT_EQ(file.size(), bytes.size()) << "records in Rating.dat";
        for (std::size_t i = 0; i < Expected.size(); ++i) {
            TRateRecord read;
            TRateRecordCodec::Decode(reinterpret_cast<const unsigned char*>(file.data()) +
                                         i * TRateRecordCodec::Size,
                                     read);
            EXPECT_EQ(read.ApplicantID, Expected[i].ApplicantID) << "record " << i;
            EXPECT_EQ(read.Sequence, Expected[i].Sequence) << "record " << i;
            EXPECT_EQ(read.Rate, Expected[i].Rate) << "record " << i;
            EXPECT_EQ(read.Comments, Expected[i].Comments) << "record " << i;
        }
        EXPECT_EQ(file, bytes);
    }
};

} // namespace korvane::test
