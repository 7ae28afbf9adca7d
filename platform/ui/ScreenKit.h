#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

// The small pieces every screen is made of.
namespace korvane {

// "MS Sans Serif" 8 pt, the font of every screen and dialog; Points gives another size of it.
QFont ScreenFont(int Points = 8);
QPushButton* NewButton(QWidget* parent, const char* name, const char* caption, const QRect& place);
QLabel* NewLabel(QWidget* parent, const char* name, const QString& text, const QRect& place);
// A dialog of fixed size with a title, a system menu and a close button.
void MakeFixedDialog(QDialog* dialog, QSize size);
// The window flags of such a dialog, for a dialog that is sized by hand.
Qt::WindowFlags FixedDialogFlags();
// A record's mark as the lists show it: "*", a blank, or nothing for a record written without one.
QString MarkText(char Mark);

} // namespace korvane
