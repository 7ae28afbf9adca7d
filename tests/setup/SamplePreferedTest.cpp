#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "data/FileNames.h"
#include "setup/SamplePreferedAddEditForm.h"
#include "setup/SamplePreferedForm.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using test::Child;

class SamplePreferedTest : public test::TempWorkDirTest {
protected:
    std::vector<TDataRecord> OnDisk() const { return test::ReadRecords(SamplePreferredFileName); }
};

TEST_F(SamplePreferedTest, ReferenceCheckMarkIsSavedAndShown) {
    TSamplePreferedForm screen(nullptr);
    test::ModalScript script;
    script.Then([](QWidget* dialog) {
        auto* check = Child<QCheckBox>(dialog, "RefCheck");
        EXPECT_FALSE(check->isChecked());
        EXPECT_TRUE(check->isEnabled());
        test::TypeText(Child<QLineEdit>(dialog, "CriteriaDescription"), QStringLiteral("typing"));
        check->setChecked(true);
        Child<QPushButton>(dialog, "SaveBtn")->click();
    });
    screen.AddBtnClick();
    script.Then([](QWidget* dialog) {
        test::TypeText(Child<QLineEdit>(dialog, "CriteriaDescription"), QStringLiteral("filing"));
        Child<QPushButton>(dialog, "SaveBtn")->click();
    });
    screen.AddBtnClick();

    const auto records = OnDisk();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Description, "FILING");
    EXPECT_EQ(records[0].Mark, ' ');
    EXPECT_EQ(records[1].Description, "TYPING");
    EXPECT_EQ(records[1].Mark, '*');
    // The narrow second column shows the mark; an unmarked criterion shows nothing there.
    EXPECT_TRUE(screen.CellText(1, 1).trimmed().isEmpty());
    EXPECT_EQ(screen.CellText(1, 2), QStringLiteral("*"));
    EXPECT_EQ(screen.CellText(2, 2), QStringLiteral("TYPING"));
    EXPECT_EQ(script.Pending(), 0);
}

TEST_F(SamplePreferedTest, EditKeepsTheMarkAndDeleteShowsItDisabled) {
    test::InsertRecords(SamplePreferredFileName, {{5, "INTERVIEW ONLY", '*'}, {6, "TYPING", ' '}});
    TSamplePreferedForm screen(nullptr);
    test::ModalScript script;

    // Rename only: the mark stays.
    script.Then([](QWidget* dialog) {
        EXPECT_TRUE(Child<QCheckBox>(dialog, "RefCheck")->isChecked());
        auto* text = Child<QLineEdit>(dialog, "CriteriaDescription");
        text->selectAll();
        test::TypeText(text, QStringLiteral("oral interview"));
        Child<QPushButton>(dialog, "SaveBtn")->click();
    });
    screen.DrawGrid1->SetRow(1);
    screen.EditBtnClick();
    auto records = OnDisk();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Description, "ORAL INTERVIEW");
    EXPECT_EQ(records[0].ID, 5);
    EXPECT_EQ(records[0].Mark, '*');

    // Unchecking clears it; checking sets it.
    script.Then([](QWidget* dialog) {
        Child<QCheckBox>(dialog, "RefCheck")->setChecked(false);
        Child<QPushButton>(dialog, "SaveBtn")->click();
    });
    screen.EditBtnClick();
    script.Then([](QWidget* dialog) {
        EXPECT_FALSE(Child<QCheckBox>(dialog, "RefCheck")->isChecked());
        Child<QCheckBox>(dialog, "RefCheck")->setChecked(true);
        Child<QPushButton>(dialog, "SaveBtn")->click();
    });
    screen.DrawGrid1->SetRow(2);
    screen.EditBtnClick();
    records = OnDisk();
    EXPECT_EQ(records[0].Mark, ' ');
    EXPECT_EQ(records[1].Mark, '*');

    // The delete dialog shows the stored state, disabled.
    bool checked = false;
    bool enabled = true;
    script.Then([&](QWidget* dialog) {
        auto* check = Child<QCheckBox>(dialog, "RefCheck");
        checked = check->isChecked();
        enabled = check->isEnabled();
        Child<QPushButton>(dialog, "BitBtn1")->click();
    });
    screen.DeleteBtnClick();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(OnDisk().size(), 2u);
    EXPECT_EQ(script.Pending(), 0);
}

} // namespace
} // namespace korvane
