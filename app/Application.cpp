#include "app/Application.h"

#include <QDialog>
#include <QKeyEvent>

#include "platform/ui/CodePage.h"
#include "platform/ui/Display.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"

namespace korvane {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // No display name: the window system would append it to every caption.
    setApplicationName(QStringLiteral("Korvane"));
    setApplicationVersion(QStringLiteral("1.3"));
    // The installed desktop entry: the window system finds the icon through it.
    setDesktopFileName(QStringLiteral("org.korvane.Korvane"));
    InstallScreenFontSubstitute();
}

void TApplication::ShowException(const std::exception& error) {
    ShowError(FromCodePage(error.what()));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    // F1 in a screen opens its topic; the main window's menu has F1 for the contents.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* dialog = qobject_cast<QDialog*>(activeModalWidget())) {
            ShowHelpTopic(HelpContext(dialog));
            return true;
        }
    }
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error);
    }
    return false;
}

} // namespace korvane
