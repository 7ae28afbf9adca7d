#pragma once

#include <array>

// The files of one position, spelled exactly as other installations spell them.
namespace korvane {

inline constexpr const char* PositionFileName = "kvn.dat";
inline constexpr const char* CommitteeFileName = "committee.dat";
inline constexpr const char* ApplicantFileName = "Applicant.Dat";
inline constexpr const char* SampleRequiredFileName = "SampleRe.dat";
inline constexpr const char* SamplePreferredFileName = "SamplePr.dat";
inline constexpr const char* RequiredFileName = "Required.dat";
inline constexpr const char* PreferredFileName = "Preferre.dat";
inline constexpr const char* RatingFileName = "Rating.dat";
inline constexpr const char* TempFileName = "TempFile.dat";
inline constexpr const char* SupportFileName = "support.dat";
inline constexpr const char* ApplicantListFileName = "App.Ext";

// Every file of its own that the program keeps in a position folder.
inline constexpr std::array<const char*, 10> PositionFolderFiles = {
    PositionFileName,        CommitteeFileName,    ApplicantFileName, SampleRequiredFileName,
    SamplePreferredFileName, RequiredFileName,     PreferredFileName, RatingFileName,
    SupportFileName,         ApplicantListFileName};

} // namespace korvane
