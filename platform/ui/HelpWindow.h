#pragma once

class QWidget;

namespace korvane {

// Help topics are compiled in as help/<context>.html; context 0 or an unknown number opens the
// contents page (help/contents.html).

// Gives a window or dialog its help context: F1 inside it opens that topic.
void SetHelpContext(QWidget* widget, int context);
int HelpContext(const QWidget* widget);

// Opens the help window at the topic of a context number (non-modal, one window per run). It
// has Back and Close, Esc closes it, and its caption names the topic shown.
void ShowHelpTopic(int context);
// The contents of the help file.
void ShowHelpContents();
// Closes the help window if it is open.
void CloseHelp();

// The context of the topic the help window shows now, -1 when it is closed (for tests).
int ShownHelpContext();

} // namespace korvane
