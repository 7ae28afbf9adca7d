#include "app/Settings.h"

#include <QLocale>
#include <QStringList>

#include <fstream>
#include <iterator>

#include "data/FileNames.h"
#include "platform/sys/InOutError.h"
#include "platform/ui/CodePage.h"

namespace korvane {

QString OrganisationName;
QColor BackgroundColor = DefaultBackgroundColor();
QColor NameColor = DefaultNameColor();

namespace {

// Only a..z change case, as in the files' own convention.
QString AsciiUpper(const QString& text) {
    QString upper = text;
    for (QChar& ch : upper) {
        if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z')) {
            ch = QChar(ch.unicode() - ('a' - 'A'));
        }
    }
    return upper;
}

bool IsTrue(const QString& value) {
    return AsciiUpper(value) == QStringLiteral("TRUE");
}

double ToRate(const QString& value) {
    bool ok = false;
    const double rate = QLocale::system().toDouble(value, &ok);
    if (!ok) {
        throw EConvertError("'" + ToCodePage(value) + "' is not a valid floating point value");
    }
    return rate;
}

int ToFontSize(const QString& value) {
    bool ok = false;
    const int size = value.toInt(&ok, 10);
    if (!ok) {
        throw EConvertError("'" + ToCodePage(value) + "' is not a valid integer value");
    }
    return size;
}

QColor ToColor(const QString& value, const QColor& fallback) {
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != 3) {
        return fallback;
    }
    int components[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        components[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || components[i] < 0 || components[i] > 255) {
            return fallback;
        }
    }
    return QColor(components[0], components[1], components[2]);
}

} // namespace

QColor DefaultBackgroundColor() {
    return QColor(40, 96, 160);
}
QColor DefaultNameColor() {
    return QColor(88, 136, 196);
}

void SplitEntry(const QString& Line, QString& Key, QString& Value) {
    Key.clear();
    Value.clear();
    const qsizetype equals = Line.indexOf(QLatin1Char('='));
    if (equals < 0) {
        return;
    }
    Key = AsciiUpper(Line.left(equals));
    Value = Line.mid(equals + 1);
}

bool ReadSupportFile(const std::function<void(const QString& key, const QString& value)>& entry) {
    std::ifstream in(SupportFileName, std::ios::binary);
    if (!in.is_open()) {
        return false;
    }
    const std::string content((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw EInOutError(std::string("Read error on ") + SupportFileName);
    }
    // Lines end in CR LF; a lone CR or LF ends a line too.
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = content.size();
        }
        QString key;
        QString value;
        SplitEntry(FromCodePage(content.substr(start, end - start)), key, value);
        if (!key.isEmpty() || !value.isEmpty()) {
            entry(key, value);
        }
        start = end;
        if (start < content.size() && content[start] == '\r') {
            ++start;
        }
        if (start < content.size() && content[start] == '\n') {
            ++start;
        }
    }
    return true;
}

void LoadSettings() {
    Settings = TSettings{};
    OrganisationName.clear();
    BackgroundColor = DefaultBackgroundColor();
    NameColor = DefaultNameColor();
    ReadSupportFile([](const QString& key, const QString& value) {
        if (key == QStringLiteral("VETPREFERENCERATE1")) {
            Settings.VeteranRates[1] = ToRate(value);
        } else if (key == QStringLiteral("VETPREFERENCERATE2")) {
            Settings.VeteranRates[2] = ToRate(value);
        } else if (key == QStringLiteral("SENDREPORTSTOPRINTER")) {
            Settings.SendReportsToPrinter = IsTrue(value);
        } else if (key == QStringLiteral("COMPUTEVETONMAXPOINTS")) {
            Settings.ComputeVetOnMaxPoints = IsTrue(value);
        } else if (key == QStringLiteral("FILLINBLANKRATTINGS")) {
            Settings.FillInBlankRatings = IsTrue(value);
        } else if (key == QStringLiteral("VETPREFONRATEDSCORES")) {
            Settings.VetPrefOnRatedScores = IsTrue(value);
        } else if (key == QStringLiteral("HIGHLIGHTON")) {
            Settings.HighlightOn = IsTrue(value);
        } else if (key == QStringLiteral("LANDSCAPEFONT")) {
            Settings.LandscapeFont = ToFontSize(value);
        } else if (key == QStringLiteral("PORTRAITFONT")) {
            Settings.PortraitFont = ToFontSize(value);
        } else if (key == QStringLiteral("ORGANISATIONNAME")) {
            OrganisationName = value;
        } else if (key == QStringLiteral("BACKGROUNDCOLOR")) {
            BackgroundColor = ToColor(value, DefaultBackgroundColor());
        } else if (key == QStringLiteral("NAMECOLOR")) {
            NameColor = ToColor(value, DefaultNameColor());
        }
    });
}

} // namespace korvane
