#include "data/ProcessState.h"

#include "data/DataBase.h"

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

int FontSizeValue(const std::string& Value) {
    const std::string text = Trimmed(Value);
    const char* first = text.data();
    if (!text.empty() && text[0] == '+') {
        ++first;
    }
    long long size = 0;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), size);
    if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size()) {
        throw EConvertError("'" + Value + "' is not a valid integer value");
    }
    if (error != std::errc() || size < 4 || size > 72) {
        throw EConvertError("'" + Value + "' is not a font size from 4 to 72 points");
    }
    return static_cast<int>(size);
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
        } else if (Key == "ORGANISATIONNAME") {
            OrganisationName = Value;
        }
    });
}

} // namespace korvane
