#pragma once

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

} // namespace korvane
