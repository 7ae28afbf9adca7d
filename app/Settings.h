#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <functional>
#include <stdexcept>

#include "app/Globals.h"
#include "data/ProcessState.h"

namespace korvane {

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
