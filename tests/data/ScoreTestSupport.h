#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/RateDataBase.h"
#include "data/ScoreComputation.h"
#include "data/SelectDataBase.h"
#include "tests/support/core/ApplicantRecords.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane::test {

// A working directory in which a test builds a small position with the record files.
class ScorePositionTest : public TempWorkDirTest {
protected:
    static void AddApplicant(std::int32_t ID, const std::string& Name, double Veteran = 0.0,
                             std::int32_t Status = 0, char Mark = '*') {
        InsertApplicant(ID, Name, Veteran, Status, Mark);
    }
    static void AddMembers(std::initializer_list<std::int32_t> IDs) {
        TDataBase file(CommitteeFileName);
        for (const std::int32_t id : IDs) {
            TDataRecord rec;
            rec.ID = id;
            rec.Description = "MEMBER " + std::to_string(id);
            bool added = false;
            file.Insert(rec, added);
        }
    }
    static void AddWeights(const std::vector<int>& Weights) {
        TSelectDataBase file(PreferredFileName);
        for (const int weight : Weights) {
            TSelectRecord rec;
            rec.CriterionID = 1;
            rec.Weight = static_cast<std::uint16_t>(weight);
            bool added = false;
            file.Insert(rec, added);
        }
    }
    // Ratings of criteria 1, 2, ... in order; the rest stay 0.
    static void Rate(std::int32_t Applicant, std::int32_t Member,
                     const std::vector<std::int32_t>& Ratings, const std::string& Comments = "") {
        TRateDataBase file(RatingFileName);
        TRateRecord rec = BlankRating(Applicant, Member);
        rec.Comments = Comments;
        for (std::size_t n = 0; n < Ratings.size() && n < RatingCount; ++n) {
            rec.Rate[n] = Ratings[n];
        }
        bool added = false;
        file.Insert(rec, added);
    }
    static std::vector<TScoreLine> Final(const TSettings& Settings = {}) {
        return ComputeFinalRating(TRatingData::ReadWorkingDirectory(), Settings);
    }
    static std::vector<std::int32_t> Order(const std::vector<TScoreLine>& Lines) {
        std::vector<std::int32_t> ids;
        for (const TScoreLine& line : Lines) {
            ids.push_back(line.ApplicantID);
        }
        return ids;
    }
};

} // namespace korvane::test
