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
// Every change made through the program, one line each, appended and never rewritten.
inline constexpr const char* ChangeLogFileName = "Changes.log";
// The finalised final rating; while it is there no data file may change.
inline constexpr const char* FinalFileName = "Final.dat";

// The files a final rating rests on, which its seal covers: the seven data files, whose layouts
// other installations read, and the recusals and abstentions.
inline constexpr std::array<const char*, 8> SealedFileNames = {
    CommitteeFileName, ApplicantFileName, SampleRequiredFileName, SamplePreferredFileName,
    RequiredFileName,  PreferredFileName, RatingFileName,         RecusalFileName};

// Every file of its own that the program keeps in a position folder.
inline constexpr std::array<const char*, 13> PositionFolderFiles = {
    PositionFileName,       CommitteeFileName,       ApplicantFileName,
    SampleRequiredFileName, SamplePreferredFileName, RequiredFileName,
    PreferredFileName,      RatingFileName,          SupportFileName,
    ApplicantListFileName,  RecusalFileName,         ChangeLogFileName,
    FinalFileName};

} // namespace korvane
