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
    // Two criteria of weight 10 and one member: veteran points 5 and 10. Final scores 100
    // (FOX 7), 60 (ADAMS 4, no veteran, 60 points; BAKER 5, second choice, 50; CLARK 3, no
    // veteran, 60), 35 (DAVIS 6 and EVANS 1, first choice, 30 each) and 20 (GRAY 8).
    static void TwoTieGroups() {
        AddMembers({1});
        AddWeights({10, 10});
        const struct {
            std::int32_t ID;
            const char* Name;
            double Veteran;
            std::int32_t First, Second;
        } applicants[] = {{4, "ADAMS", 0, 3, 3}, {5, "BAKER", 2, 3, 2}, {3, "CLARK", 0, 4, 2},
                          {6, "DAVIS", 1, 1, 2}, {1, "EVANS", 1, 2, 1}, {7, "FOX", 0, 5, 5},
                          {8, "GRAY", 0, 1, 1}};
        for (const auto& a : applicants) {
            AddApplicant(a.ID, a.Name, a.Veteran);
            Rate(a.ID, 1, {a.First, a.Second});
        }
    }
    // Members 1 to 3 and three criteria of weight 10, fill-in on. ADAMS (1): (1,3,4), (5,3,-),
    // (3,4,2); BAKER (2): (2,2,2), (5,2,5), (2,3,3); CLARK (3), eliminated: (1,1,1), -,
    // (5,5,5); DAVIS (4): (4,4,1), (2,5,4), no record. Final order DAVIS 290, ADAMS 280,
    // BAKER 260, CLARK 180.
    static void AgendaPosition() {
        AddMembers({1, 2, 3});
        AddWeights({10, 10, 10});
        AddApplicant(1, "ADAMS");
        AddApplicant(2, "BAKER");
        AddApplicant(3, "CLARK", 0.0, 1);
        AddApplicant(4, "DAVIS");
        Rate(1, 1, {1, 3, 4});
        Rate(1, 2, {5, 3, 0});
        Rate(1, 3, {3, 4, 2});
        Rate(2, 1, {2, 2, 2});
        Rate(2, 2, {5, 2, 5});
        Rate(2, 3, {2, 3, 3});
        Rate(3, 1, {1, 1, 1});
        Rate(3, 3, {5, 5, 5});
        Rate(4, 1, {4, 4, 1});
        Rate(4, 2, {2, 5, 4});
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
