#pragma once

#include <QColor>

namespace korvane {

// The main window's colours, presentation values of the installation from support.dat
// (BACKGROUNDCOLOR and NAMECOLOR as "R,G,B").
extern QColor BackgroundColor;
extern QColor NameColor;

QColor DefaultBackgroundColor();
QColor DefaultNameColor();

// The defaults, then the colour entries of support.dat; a damaged value keeps its default.
void LoadAppearance();

} // namespace korvane
