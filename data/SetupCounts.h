#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvane {

// Whether a data file of the working directory holds at least one record. Each opens the file
// (creating it empty when missing) and closes it again.
bool HasApplicants();
bool HasCommitteeMembers();
bool HasSelectedRequired();
bool HasSelectedPreferred();
bool HasSampleRequired();
bool HasSamplePreferred();

// The first item a rating or printing command lacks.
enum class TSetupItem { None, Applicants, CommitteeMembers, PreferredCriteria, RequiredCriteria };

// Tests applicants, committee members, then the selected criteria of the kind, and stops at the
// first item missing (files not reached are not created).
TSetupItem MissingPreferredSetup();
TSetupItem MissingRequiredSetup();

// The weight of the N-th selected preferred criterion (N from 1, Preferre.dat order), or 0.
int SelectedWeight(int N);

inline constexpr std::size_t MaxSelectedCriteria = 12;

// The highest rating a member can give each selected preferred criterion, weighted (weight
// times 5), in Values (0 where there is no criterion); returns their sum.
int MaxPoints(std::array<int, MaxSelectedCriteria>& Values);

} // namespace korvane
