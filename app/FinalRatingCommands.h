#pragma once

class QWidget;

namespace korvane {

// Print > Finalise Final Rating: after the set-up check and a question, seals the final rating
// of the working directory's position in Final.dat and logs it. From then on no data file
// changes until it is reopened.
void FinaliseFinalRatingCommand(QWidget* Owner);

// Print > Reopen Final Rating: asks for the reason, lifts the lock and logs it with the reason.
// True when the lock was lifted.
bool ReopenFinalRatingCommand(QWidget* Owner);

} // namespace korvane
