#pragma once

#include <QApplication>

namespace korvane {

// The application object. Its notify() is the default error handler: an input/output or
// conversion error that escapes an event handler is shown in an error box and the program goes
// on, with the screen that raised it still open. It also opens the help topic of the active
// screen on F1.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message of an exception that escaped a handler.
    static void ShowException(const std::exception& error);
};

} // namespace korvane
