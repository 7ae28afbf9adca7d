#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <functional>
#include <stdexcept>

#include "app/Globals.h"

namespace korvane {

// A settings value that is not a number; its message is what the user is shown.
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

extern TSettings Settings;

// Presentation values of the installation, also from support.dat (ORGANISATIONNAME,
// BACKGROUNDCOLOR and NAMECOLOR as "R,G,B").
extern QColor BackgroundColor;
extern QColor NameColor;

QColor DefaultBackgroundColor();
QColor DefaultNameColor();

// Both outputs start empty and stay empty for a line without "=". Otherwise Key is the text
// before the first "=" in capitals and Value the rest, unchanged; nothing is trimmed.
void SplitEntry(const QString& Line, QString& Key, QString& Value);

// Calls entry(key, value) for every line of support.dat in the working directory, in order.
// Returns false when the file cannot be opened; a read error raises EInOutError.
bool ReadSupportFile(const std::function<void(const QString& key, const QString& value)>& entry);

// Defaults first, then every recognised entry of support.dat; the last line of a key wins.
// A rate or font value that is not a number raises EConvertError.
void LoadSettings();

} // namespace korvane
