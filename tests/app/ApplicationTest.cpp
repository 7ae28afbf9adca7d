#include "app/Application.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "platform/sys/InOutError.h"
#include "platform/ui/HelpWindow.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

class ApplicationTest : public test::TempWorkDirTest {
protected:
    void TearDown() override {
        CloseHelp();
        test::TempWorkDirTest::TearDown();
    }
};

// A screen whose button fails the way a damaged disk makes a handler fail.
class FailingDialog : public QDialog {
public:
    FailingDialog() {
        Button = new QPushButton(QStringLiteral("Save"), this);
        connect(Button, &QPushButton::clicked, this, [this] {
            ++Clicks;
            throw EInOutError("I/O error 5 writing committee.dat");
        });
        SetHelpContext(this, 60);
    }
    QPushButton* Button;
    int Clicks = 0;
};

TEST_F(ApplicationTest, ErrorEscapingAHandlerIsShownAndTheScreenStaysOpen) {
    FailingDialog dialog;
    test::ModalScript script;
    bool stillOpenAfterMessage = false;
    script
        .Then([&](QWidget* modal) {
            EXPECT_EQ(modal, &dialog);
            QTest::mouseClick(dialog.Button, Qt::LeftButton);
            // Back here only after the error box closed: the screen is still up.
            stillOpenAfterMessage = dialog.isVisible();
            QTest::mouseClick(dialog.Button, Qt::LeftButton);
            dialog.reject();
        })
        .ThenAnswer(TModalResult::Ok)
        .ThenAnswer(TModalResult::Ok);
    dialog.exec();
    EXPECT_EQ(dialog.Clicks, 2);
    EXPECT_TRUE(stillOpenAfterMessage);
    ASSERT_EQ(script.Messages().size(), 2);
    EXPECT_EQ(script.Messages()[0].toStdString(), "I/O error 5 writing committee.dat");
    EXPECT_EQ(script.MessageKinds()[0], TMessageKind::Error);
    EXPECT_EQ(script.Pending(), 0);
}

TEST_F(ApplicationTest, F1InAScreenOpensItsTopic) {
    FailingDialog dialog;
    test::ModalScript script;
    int shown = -1;
    script.Then([&](QWidget*) {
        QTest::keyClick(dialog.Button, Qt::Key_F1);
        shown = ShownHelpContext();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(shown, 60);
}

} // namespace
} // namespace korvane
