#include "platform/ui/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QVariant>
#include <QWidget>

namespace korvane {

namespace {

constexpr const char* ContextProperty = "korvaneHelpContext";

// The help window: the topic, with Back and Close below it; Esc closes it too.
QPointer<QWidget> Window;
QPointer<QTextBrowser> Browser;
int ShownContext = -1;

QString TopicPath(int context) {
    const QString path = QStringLiteral(":/help/%1.html").arg(context);
    if (context > 0 && QFile::exists(path)) {
        return path;
    }
    return QStringLiteral(":/help/contents.html");
}

// The context of a topic file ("100.html"), 0 for the contents.
int ContextOf(const QUrl& topic) {
    bool number = false;
    const int context = QFileInfo(topic.path()).completeBaseName().toInt(&number);
    return number ? context : 0;
}

// Follows the topic shown, however it was reached (a context, a link, Back).
void TopicChanged(const QUrl& topic) {
    ShownContext = ContextOf(topic);
    Window->setWindowTitle(QStringLiteral("Korvane Help - ") + Browser->documentTitle());
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
        Window = new QWidget(owner, Qt::Window);
        Window->setObjectName(QStringLiteral("HelpWindow"));
        Window->setAttribute(Qt::WA_DeleteOnClose);
        Window->resize(560, 480);
        Browser = new QTextBrowser(Window);
        Browser->setObjectName(QStringLiteral("HelpText"));
        Browser->setOpenLinks(true);
        Browser->setSearchPaths({QStringLiteral(":/help")});
        auto* back = new QPushButton(QStringLiteral("&Back"), Window);
        back->setObjectName(QStringLiteral("BackBtn"));
        back->setEnabled(false);
        auto* close = new QPushButton(QStringLiteral("&Close"), Window);
        close->setObjectName(QStringLiteral("CloseBtn"));
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(back);
        buttons->addStretch(1);
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(Window);
        layout->addWidget(Browser, 1);
        layout->addLayout(buttons);

        QObject::connect(back, &QPushButton::clicked, Browser, &QTextBrowser::backward);
        QObject::connect(Browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
        QObject::connect(close, &QPushButton::clicked, Window, &QWidget::close);
        QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), Window), &QShortcut::activated,
                         Window, &QWidget::close);
        QObject::connect(Browser, &QTextBrowser::sourceChanged, Browser, &TopicChanged);
    }
    return Browser;
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
    browser->setSource(QUrl(QStringLiteral("qrc") + TopicPath(context)));
    TopicChanged(browser->source());
    Window->show();
    Window->raise();
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
    // A window closed by its user is deleted a moment later.
    return Window != nullptr && Window->isVisible() ? ShownContext : -1;
}

} // namespace korvane
