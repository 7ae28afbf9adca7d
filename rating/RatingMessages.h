#pragma once

class QWidget;

namespace korvane {

// Said when rating is asked for and every applicant has been eliminated.
inline constexpr const char* NoApplicantInPool = "Error: No Applicant Is Still In The Pool";

// The copy of the applicants in the pool could not be made whole.
void ShowPoolError(QWidget* Parent);

} // namespace korvane
