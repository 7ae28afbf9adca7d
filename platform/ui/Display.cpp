#include "platform/ui/Display.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace korvane {

namespace {
std::function<int()>& Source() {
    static std::function<int()> source;
    return source;
}
} // namespace

int DisplayDepth() {
    if (Source()) {
        return Source()();
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->depth() : 24;
}

void CentreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window->move(screen->geometry().center() - window->rect().center());
    }
}

void InstallScreenFontSubstitute() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"),
                              QStringLiteral("Liberation Sans Narrow"));
}

void SetDisplayDepthSource(std::function<int()> source) {
    Source() = std::move(source);
}

} // namespace korvane
