#include "data/ProcessState.h"

#include "data/DataBase.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>

#include "data/FileNames.h"
#include "data/Rounding.h"
#include "platform/sys/TextFile.h"

namespace korvane {

TSettings Settings;
std::string PositionTitle = NoPositionFound;
bool AdministrativeMode = false;
std::string OrganisationName;

namespace {

// Only a..z change case, as in the files' own convention.
std::string AsciiUpper(std::string Text) {
    for (char& c : Text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - ('a' - 'A'));
        }
    }
    return Text;
}

bool IsTrue(const std::string& Value) {
    return AsciiUpper(Value) == "TRUE";
}

std::string Trimmed(const std::string& Value) {
    const auto first = Value.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return Value.substr(first, Value.find_last_not_of(" \t") - first + 1);
}

} // namespace

char DecimalSeparator() {
    const std::lconv* conventions = std::localeconv();
    if (conventions != nullptr && conventions->decimal_point != nullptr &&
        conventions->decimal_point[0] != '\0' && conventions->decimal_point[1] == '\0') {
        return conventions->decimal_point[0];
    }
    return '.';
}

void SplitEntry(const std::string& Line, std::string& Key, std::string& Value) {
    Key.clear();
    Value.clear();
    const auto equals = Line.find('=');
    if (equals == std::string::npos) {
        return;
    }
    Key = AsciiUpper(Line.substr(0, equals));
    Value = Line.substr(equals + 1);
}

bool ReadSupportFile(
    const std::function<void(const std::string& Key, const std::string& Value)>& Entry) {
    TTextFile file;
    if (!file.Open(SupportFileName)) {
        return false;
    }
    std::string line;
    std::string key;
    std::string value;
    while (file.ReadLine(line)) {
        if (line.find('=') != std::string::npos) {
            SplitEntry(line, key, value);
            Entry(key, value);
        }
    }
    return true;
}

double RateValue(const std::string& Value) {
    // Blanks around the number are allowed, as the system's number conversion allows them; a
    // sign, digits, one decimal separator and an exponent, nothing else.
    std::string text = Trimmed(Value);
    const char separator = DecimalSeparator();
    bool valid = !text.empty();
    for (char& c : text) {
        if (c == separator) {
            c = '.';
        } else if (c == '.' && separator != '.') {
            valid = false;
        } else if (!(c >= '0' && c <= '9') && c != '+' && c != '-' && c != 'e' && c != 'E') {
            valid = false; // no "nan", "inf" or hexadecimal
        }
    }
    const char* first = text.data();
    if (!text.empty() && text[0] == '+') {
        ++first;
    }
    double rate = 0.0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), rate);
    if (!valid || error != std::errc() || end != text.data() + text.size()) {
        throw EConvertError("'" + Value + "' is not a valid floating point value");
    }
    if (!std::isfinite(rate) || rate < 0.0 || rate > 1.0) {
        throw EConvertError("'" + Value + "' is not a veteran preference rate from 0 to 1");
    }
    return rate;
}

namespace {

// A whole number from Lowest to Highest, blanks around it allowed; otherwise EConvertError, whose
// message names the value and, for a number out of range, what it should be.
int WholeNumberValue(const std::string& Value, int Lowest, int Highest, const std::string& What) {
    const std::string text = Trimmed(Value);
    const char* first = text.data();
    if (!text.empty() && text[0] == '+') {
        ++first;
    }
    long long number = 0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), number);
    if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size()) {
        throw EConvertError("'" + Value + "' is not a valid integer value");
    }
    if (error != std::errc() || number < Lowest || number > Highest) {
        throw EConvertError("'" + Value + "' is not " + What + " from " + std::to_string(Lowest) +
                            " to " + std::to_string(Highest) + " points");
    }
    return static_cast<int>(number);
}

} // namespace

int FontSizeValue(const std::string& Value) {
    return WholeNumberValue(Value, 4, 72, "a font size");
}

int DisagreementValue(const std::string& Value) {
    return WholeNumberValue(Value, 1, 4, "a disagreement spread");
}

namespace {

// The tie rules by their support.dat names.
constexpr struct {
    const char* Name;
    TTieRule Rule;
} TieRuleNames[] = {
    {"VETERAN", TTieRule::Veteran}, {"POINTS", TTieRule::Points}, {"ID", TTieRule::ID}};

} // namespace

std::vector<TTieRule> TieBreakValue(const std::string& Value) {
    const auto refuse = [&Value] {
        return EConvertError("'" + Value +
                             "' is not a tie-break: FILE, or VETERAN, POINTS and ID separated by "
                             "commas");
    };
    std::vector<TTieRule> rules;
    const std::string text = AsciiUpper(Value);
    bool fileOrder = false;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string name = Trimmed(text.substr(from, comma - from));
        from = comma + 1;
        // File order closes the list: every tie ends in it, and nothing can follow it.
        if (fileOrder) {
            throw refuse();
        }
        if (name == "FILE") {
            fileOrder = true;
            continue;
        }
        const auto known = std::find_if(std::begin(TieRuleNames), std::end(TieRuleNames),
                                        [&name](const auto& rule) { return name == rule.Name; });
        if (known == std::end(TieRuleNames) ||
            std::find(rules.begin(), rules.end(), known->Rule) != rules.end()) {
            throw refuse();
        }
        rules.push_back(known->Rule);
    }
    return rules;
}

std::string TieBreakText(const std::vector<TTieRule>& Rules) {
    std::string text;
    for (const TTieRule rule : Rules) {
        for (const auto& known : TieRuleNames) {
            if (known.Rule == rule) {
                text += std::string(known.Name) + ',';
            }
        }
    }
    return text + "FILE";
}

int VeteranPercent(int Index) {
    if (Index < 1 || Index > 2) {
        return 0;
    }
    return TruncatedProduct(100, Settings.VeteranRates[static_cast<std::size_t>(Index)]);
}

std::string VeteranColumnText(double VeteranPreference) {
    const int choice = VeteranPreference > 0.0 ? VeteranIndex(VeteranPreference) : 0;
    if (choice != 1 && choice != 2) {
        return {};
    }
    return std::to_string(VeteranPercent(choice)) + "%";
}

void LoadSettings() {
    Settings = TSettings{};
    OrganisationName.clear();
    ReadSupportFile([](const std::string& Key, const std::string& Value) {
        if (Key == "VETPREFERENCERATE1") {
            Settings.VeteranRates[1] = RateValue(Value);
        } else if (Key == "VETPREFERENCERATE2") {
            Settings.VeteranRates[2] = RateValue(Value);
        } else if (Key == "SENDREPORTSTOPRINTER") {
            Settings.SendReportsToPrinter = IsTrue(Value);
        } else if (Key == "COMPUTEVETONMAXPOINTS") {
            Settings.ComputeVetOnMaxPoints = IsTrue(Value);
        } else if (Key == "FILLINBLANKRATTINGS") {
            Settings.FillInBlankRatings = IsTrue(Value);
        } else if (Key == "VETPREFONRATEDSCORES") {
            Settings.VetPrefOnRatedScores = IsTrue(Value);
        } else if (Key == "HIGHLIGHTON") {
            Settings.HighlightOn = IsTrue(Value);
        } else if (Key == "LANDSCAPEFONT") {
            Settings.LandscapeFont = FontSizeValue(Value);
        } else if (Key == "PORTRAITFONT") {
            Settings.PortraitFont = FontSizeValue(Value);
        } else if (Key == "TIEBREAK") {
            Settings.TieBreak = TieBreakValue(Value);
        } else if (Key == "DISAGREEMENT") {
            Settings.Disagreement = DisagreementValue(Value);
        } else if (Key == "ORGANISATIONNAME") {
            OrganisationName = Value;
        }
    });
}

} // namespace korvane
