#include "app/Appearance.h"

#include <QString>
#include <QStringList>

#include "data/ProcessState.h"

namespace korvane {

QColor BackgroundColor = DefaultBackgroundColor();
QColor NameColor = DefaultNameColor();

namespace {

QColor ToColor(const std::string& value, const QColor& fallback) {
    const QStringList parts = QString::fromLatin1(value).split(QLatin1Char(','));
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

void LoadAppearance() {
    BackgroundColor = DefaultBackgroundColor();
    NameColor = DefaultNameColor();
    ReadSupportFile([](const std::string& key, const std::string& value) {
        if (key == "BACKGROUNDCOLOR") {
            BackgroundColor = ToColor(value, DefaultBackgroundColor());
        } else if (key == "NAMECOLOR") {
            NameColor = ToColor(value, DefaultNameColor());
        }
    });
}

} // namespace korvane
