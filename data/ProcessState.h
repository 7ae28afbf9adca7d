#pragma once

#include <array>
#include <stdexcept>
#include <string>

namespace korvane {

// A settings value that is not a number in its range; its message is what the user is shown.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The scoring and printing settings of support.dat, loaded once at start-up.
struct TSettings {
    // Indexed by the applicant's veteran choice: not a veteran, first rate, second rate.
    std::array<double, 3> VeteranRates{0.0, 0.05, 0.10};
    bool SendReportsToPrinter = true;
    bool ComputeVetOnMaxPoints = true;
    bool FillInBlankRatings = false;
    bool VetPrefOnRatedScores = false;
    bool HighlightOn = false;
    int LandscapeFont = 8;
    int PortraitFont = 10;
};

// The process-wide values of one run. The start-up sequence loads the settings and the
// organisation; the main window reads the position title and sets the administrative mode.
// Everything else only reads them.
extern TSettings Settings;

} // namespace korvane
