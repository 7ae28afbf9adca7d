#pragma once

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvane {

// The version every printed sheet, the splash and the About box show.
inline constexpr const char* VersionText = "Version 1.3";

// A settings value that is not a number in its range; its message is what the user is shown.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A rule that orders applicants with equal final scores (support.dat TIEBREAK).
enum class TTieRule {
    Veteran, // a higher veteran preference choice first
    Points,  // more points before veteran points first
    ID,      // a lower applicant ID first
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
    // Applied in order to equal final scores, then the applicant file's order; empty: that
    // order alone.
    std::vector<TTieRule> TieBreak;
    // Ratings of one criterion that spread by this many points or more are a disagreement.
    int Disagreement = 2;
};

// The process-wide values of one run. The start-up sequence loads the settings and the
// organisation; the main window reads the position title and sets the administrative mode.
// Everything else only reads them. Texts are code-page bytes.
extern TSettings Settings;
// Title of the position being filled (kvn.dat); NoPositionFound until read or when the file
// cannot be opened.
extern std::string PositionTitle;
inline constexpr const char* NoPositionFound = "No Position Found";
// True when started with "/QX" or switched by the status-bar gesture: new applicants are then
// official, and official applicants may be renamed and deleted.
extern bool AdministrativeMode;
// The organisation using this installation (support.dat ORGANISATIONNAME); may be empty.
extern std::string OrganisationName;

// Both outputs start empty and stay empty for a line without "=". Otherwise Key is the text
// before the first "=" with a..z in capitals and Value the rest, unchanged; nothing is trimmed.
void SplitEntry(const std::string& Line, std::string& Key, std::string& Value);

// Calls Entry(key, value) for every line of support.dat in the working directory that holds a
// "=", in order. False when the file cannot be opened (or is not a regular file); a read error
// raises EInOutError.
bool ReadSupportFile(
    const std::function<void(const std::string& Key, const std::string& Value)>& Entry);

// Defaults first, then every recognised entry of support.dat; the last line of a key wins. Sets
// Settings and OrganisationName. A rate, font size, disagreement spread or tie-break that is not
// a value of its kind raises EConvertError naming the value.
void LoadSettings();

// The decimal separator of the user's locale (the program sets the locale from the environment
// at start-up).
char DecimalSeparator();

// A rate as the user's locale writes decimal numbers ("0.07", or "0,07" where the comma is the
// decimal separator); raises EConvertError unless it is a finite number from 0 to 1.
double RateValue(const std::string& Value);
// A font size in points; raises EConvertError unless it is a whole number from 4 to 72.
int FontSizeValue(const std::string& Value);
// The spread that makes a disagreement; raises EConvertError unless it is a whole number from
// 1 to 4.
int DisagreementValue(const std::string& Value);
// "FILE", or VETERAN, POINTS and ID in any case separated by commas, each at most once and
// optionally followed by FILE; raises EConvertError for anything else.
std::vector<TTieRule> TieBreakValue(const std::string& Value);
// The rules as support.dat would give them: each name and a comma, then FILE.
std::string TieBreakText(const std::vector<TTieRule>& Rules);

// The percentage of veteran choice Index (1 or 2) as the screens show it: the rate in force
// times 100, truncated toward zero (0.07 gives 7). 0 for any other index.
int VeteranPercent(int Index);
// The veteran column of the lists for a stored VeteranPreference: "5%", or nothing for none or a
// choice that does not exist.
std::string VeteranColumnText(double VeteranPreference);

} // namespace korvane
