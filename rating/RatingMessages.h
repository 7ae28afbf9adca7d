#pragma once

class QWidget;

namespace korvane {

class TRecusalFile;

// Said when rating is asked for and every applicant has been eliminated.
inline constexpr const char* NoApplicantInPool = "Error: No Applicant Is Still In The Pool";

// The copy of the applicants in the pool could not be made whole.
void ShowPoolError(QWidget* Parent);

// Says which lines of Recusal.dat were skipped as damaged, or that it could not be read; nothing
// when it was read whole.
void ShowDecisionsDamage(const TRecusalFile& File, QWidget* Parent);

} // namespace korvane
