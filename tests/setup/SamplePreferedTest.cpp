#include <QCheckBox>
#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include <algorithm>
#include <cmath>

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

// Contrast of two colours as the accessibility guidelines reckon it, 1 to 21.
double Contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double x = luminance(a);
    const double y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The delete dialog asks the user to confirm what it shows: its locked fields stay
// unchangeable, but their text reads at least 4.5:1 against what it is drawn on.
TEST_F(SamplePreferedTest, DeleteDialogShowsItsLockedFieldsReadable) {
    test::InsertRecords(SamplePreferredFileName, {{5, "INTERVIEW ONLY", '*'}});
    TSamplePreferedForm screen(nullptr);
    test::ModalScript script;
    script.Then([](QWidget* dialog) {
        for (const char* name : {"CriteriaID", "CriteriaDescription"}) {
            auto* field = Child<QLineEdit>(dialog, name);
            EXPECT_FALSE(field->isEnabled()) << name;
            const QPalette palette = field->palette();
            EXPECT_GE(Contrast(palette.color(QPalette::Disabled, QPalette::Text),
                               palette.color(QPalette::Disabled, QPalette::Base)),
                      4.5)
                << name;
        }
        // The check box's text stands on the panel.
        auto* check = Child<QCheckBox>(dialog, "RefCheck");
        EXPECT_FALSE(check->isEnabled());
        const QWidget* panel = check->parentWidget();
        EXPECT_GE(Contrast(check->palette().color(QPalette::Disabled, QPalette::WindowText),
                           panel->palette().color(panel->backgroundRole())),
                  4.5);
        Child<QPushButton>(dialog, "BitBtn1")->click();
    });
    screen.DeleteBtnClick();
    EXPECT_EQ(script.Pending(), 0);
}

} // namespace
} // namespace korvane
