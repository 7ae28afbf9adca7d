#include "platform/ui/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVariant>
#include <QWidget>

namespace korvane {

namespace {

constexpr const char* ContextProperty = "korvaneHelpContext";

QPointer<QTextBrowser> Window;
int ShownContext = -1;

QString TopicPath(int context) {
    const QString path = QStringLiteral(":/help/%1.html").arg(context);
    if (context > 0 && QFile::exists(path)) {
        return path;
    }
    return QStringLiteral(":/help/contents.html");
}

// The help window belongs to whatever window is active, so that a modal screen does not
// block it.
QTextBrowser* HelpBrowser() {
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) {
        owner = QApplication::activeWindow();
    }
    if (Window != nullptr && Window->parentWidget() != owner && owner != Window) {
        delete Window;
    }
    if (Window == nullptr) {
        Window = new QTextBrowser(owner);
        Window->setWindowFlags(Qt::Window);
        Window->setObjectName(QStringLiteral("HelpWindow"));
        Window->setAttribute(Qt::WA_DeleteOnClose);
        Window->setOpenLinks(true);
        Window->setSearchPaths({QStringLiteral(":/help")});
        Window->resize(560, 480);
        QObject::connect(Window, &QObject::destroyed, [] { ShownContext = -1; });
    }
    return Window;
}

} // namespace

void SetHelpContext(QWidget* widget, int context) {
    widget->setProperty(ContextProperty, context);
}

int HelpContext(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant value = w->property(ContextProperty);
        if (value.isValid()) {
            return value.toInt();
        }
    }
    return 0;
}

void ShowHelpTopic(int context) {
    QTextBrowser* browser = HelpBrowser();
    const QString path = TopicPath(context);
    browser->setSource(QUrl(QStringLiteral("qrc") + path));
    browser->setWindowTitle(QStringLiteral("Korvane Help - ") + browser->documentTitle());
    ShownContext = path.endsWith(QStringLiteral("contents.html")) ? 0 : context;
    browser->show();
    browser->raise();
}

void ShowHelpContents() {
    ShowHelpTopic(0);
}

void CloseHelp() {
    if (Window != nullptr) {
        Window->close();
    }
    ShownContext = -1;
}

int ShownHelpContext() {
    return ShownContext;
}

} // namespace korvane
