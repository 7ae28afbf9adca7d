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
// Recusals and abstentions: a file of its own, so that the seven data files keep their layouts.
inline constexpr const char* RecusalFileName = "Recusal.dat";

// Every file of its own that the program keeps in a position folder.
inline constexpr std::array<const char*, 11> PositionFolderFiles = {
    PositionFileName,        CommitteeFileName,     ApplicantFileName, SampleRequiredFileName,
    SamplePreferredFileName, RequiredFileName,      PreferredFileName, RatingFileName,
    SupportFileName,         ApplicantListFileName, RecusalFileName};

} // namespace korvane
