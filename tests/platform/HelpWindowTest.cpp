#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

#include "platform/ui/HelpWindow.h"

namespace korvane {
namespace {

QWidget* HelpWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("HelpWindow") && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// The help window goes back through the topics shown, names the one shown in its caption, and
// closes with Close or Esc.
TEST(HelpWindowTest, BackCaptionAndClose) {
    ShowHelpTopic(100);
    QWidget* window = HelpWindow();
    ASSERT_NE(window, nullptr);
    auto* text = window->findChild<QTextBrowser*>();
    auto* back = window->findChild<QPushButton*>(QStringLiteral("BackBtn"));
    ASSERT_NE(text, nullptr);
    ASSERT_NE(back, nullptr);
    EXPECT_FALSE(back->isEnabled());
    const QString topic = window->windowTitle();
    EXPECT_TRUE(topic.endsWith(text->documentTitle())) << topic.toStdString();

    // A link to the contents, as a click on it follows it.
    text->setSource(QUrl(QStringLiteral("contents.html")));
    EXPECT_EQ(ShownHelpContext(), 0);
    EXPECT_NE(window->windowTitle(), topic);
    EXPECT_TRUE(window->windowTitle().endsWith(text->documentTitle()));
    ASSERT_TRUE(back->isEnabled());
    back->click();
    EXPECT_EQ(ShownHelpContext(), 100);
    EXPECT_EQ(window->windowTitle(), topic);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_EQ(HelpWindow(), nullptr) << "Esc closes it";
    EXPECT_EQ(ShownHelpContext(), -1);

    ShowHelpTopic(60);
    ASSERT_NE(HelpWindow(), nullptr);
    HelpWindow()->findChild<QPushButton*>(QStringLiteral("CloseBtn"))->click();
    EXPECT_EQ(HelpWindow(), nullptr);
}

} // namespace
} // namespace korvane
