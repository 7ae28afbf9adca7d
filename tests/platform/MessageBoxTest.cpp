#include "platform/ui/MessageBox.h"

#include "tests/support/ModalScript.h"

namespace korvane {
namespace {

TEST(MessageBoxTest, CaptionIconAndTheButtonPressed) {
    test::ModalScript script;
    script.ThenAnswer(TModalResult::No).ThenAnswer(TModalResult::Yes).ThenAnswer(TModalResult::Ok);
    EXPECT_FALSE(AskYesNo(QStringLiteral("Delete this member?")));
    EXPECT_TRUE(AskYesNo(QStringLiteral("Delete this member?")));
    ShowError(QStringLiteral("Error: No Applicants Are Loaded"));
    ASSERT_EQ(script.Messages().size(), 3);
    EXPECT_EQ(script.MessageKinds()[0], TMessageKind::Question);
    EXPECT_EQ(script.MessageKinds()[2], TMessageKind::Error);
    EXPECT_EQ(script.Messages()[2].toStdString(), "Error: No Applicants Are Loaded");
}

TEST(MessageBoxTest, WithoutAWindowQuestionsTakeTheSafeAnswer) {
    test::ModalScript script;
    {
        const TMessagesToStandardError noWindows;
        script.ThenAnswer(TModalResult::Yes); // must stay unused: no box may open
        EXPECT_FALSE(AskYesNo(QStringLiteral("Overwrite the disk?")));
        EXPECT_EQ(ShowMessage(QStringLiteral("Replace?"), TMessageKind::Question,
                              TMessageButtons::YesNoCancel),
                  TModalResult::Cancel);
        EXPECT_EQ(ShowMessage(QStringLiteral("Done"), TMessageKind::Information), TModalResult::Ok);
    }
    EXPECT_EQ(script.Pending(), 1);
}

} // namespace
} // namespace korvane
