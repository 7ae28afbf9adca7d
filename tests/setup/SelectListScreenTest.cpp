#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

#include "data/FileNames.h"
#include "data/RateDataBase.h"
#include "platform/ui/SpinEdit.h"
#include "setup/SelectedPreferredForm.h"
#include "setup/SelectedRequiredform.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

using test::Child;
using test::ModalScript;

// The two selection screens, as far as they share the pattern.
struct TSelectionCase {
    const char* Name;
    std::function<std::unique_ptr<TSelectListScreen>()> Create;
    const char* List;
    const char* Samples;
    int TextColumn; // the grid column of the criterion's text
};

void PrintTo(const TSelectionCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

const TSelectionCase Cases[] = {
    {"Required", [] { return std::make_unique<TSelectedRequiredform>(nullptr); }, RequiredFileName,
     SampleRequiredFileName, 1},
    {"Preferred", [] { return std::make_unique<TSelectedPreferredForm>(nullptr); },
     PreferredFileName, SamplePreferredFileName, 2},
};

class SelectListScreenTest : public test::TempWorkDirTest,
                             public ::testing::WithParamInterface<TSelectionCase> {
protected:
    const TSelectionCase& Case() const { return GetParam(); }

    void SetUp() override {
        TempWorkDirTest::SetUp();
        // File order is alphabetical: BUDGETS (20), FILING (10), TYPING (30).
        test::InsertRecords(Case().Samples, {{10, "FILING"}, {20, "BUDGETS"}, {30, "TYPING"}});
    }

    std::vector<TSelectRecord> OnDisk() const { return test::ReadSelections(Case().List); }

    // Chooses the item and saves.
    static ModalScript::Step Choose(int item) {
        return [item](QWidget* dialog) {
            Child<QComboBox>(dialog, "CriteriaList")->setCurrentIndex(item);
            Child<QPushButton>(dialog, "SaveBtn")->click();
        };
    }
};

TEST_P(SelectListScreenTest, AddsInTheOrderChosenUpToTwelve) {
    auto screen = Case().Create();
    EXPECT_TRUE(screen->AddBtn->isEnabled());
    EXPECT_FALSE(screen->EditBtn->isEnabled());
    ModalScript script;
    script.Then([](QWidget* dialog) {
        auto* list = Child<QComboBox>(dialog, "CriteriaList");
        EXPECT_FALSE(list->isEditable());
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->currentText(), QStringLiteral("BUDGETS")) << "the first sample criterion";
        Child<QPushButton>(dialog, "SaveBtn")->click();
    });
    screen->AddBtnClick();
    // The same criterion may be chosen twice: two rows of their own.
    script.Then(Choose(2)).Then(Choose(0));
    screen->AddBtnClick();
    screen->AddBtnClick();
    const auto records = OnDisk();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].CriterionID, 20);
    EXPECT_EQ(records[1].CriterionID, 30);
    EXPECT_EQ(records[2].CriterionID, 20);
    EXPECT_EQ(records[2].Sequence, 3);
    EXPECT_EQ(screen->CellText(Case().TextColumn, 3), QStringLiteral("BUDGETS"));

    // Nine more make twelve: Add goes off, and comes back with a delete.
    for (int i = 0; i < 9; ++i) {
        EXPECT_TRUE(screen->AddBtn->isEnabled()) << i;
        script.Then(Choose(1));
        screen->AddBtnClick();
    }
    EXPECT_EQ(OnDisk().size(), 12u);
    EXPECT_FALSE(screen->AddBtn->isEnabled());
    script.Then([](QWidget* dialog) { Child<QPushButton>(dialog, "DeleteBtn")->click(); });
    screen->DeleteBtnClick();
    EXPECT_EQ(OnDisk().size(), 11u);
    EXPECT_TRUE(screen->AddBtn->isEnabled());
    EXPECT_EQ(script.Pending(), 0);
}

TEST_P(SelectListScreenTest, EditChangesTheCriterionInItsPlace) {
    test::InsertSelections(Case().List, {{10, 5}, {20, 6}, {30, 7}});
    auto screen = Case().Create();
    screen->DrawGrid1->SetRow(2);
    ModalScript script;
    script.Then([](QWidget* dialog) {
        // The dialog shows the selection's own criterion: BUDGETS is item 0.
        EXPECT_EQ(Child<QComboBox>(dialog, "CriteriaList")->currentIndex(), 0);
        Choose(2)(dialog);
    });
    screen->EditBtnClick();
    const auto records = OnDisk();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].CriterionID, 30);
    EXPECT_EQ(records[1].Sequence, 2) << "the row does not move";
    EXPECT_EQ(records[1].Weight, 6);
    EXPECT_EQ(records[0].CriterionID, 10);
    EXPECT_EQ(screen->DrawGrid1->Row(), 2);
    EXPECT_EQ(screen->CellText(Case().TextColumn, 2), QStringLiteral("TYPING"));
    EXPECT_EQ(script.Pending(), 0);
}

TEST_P(SelectListScreenTest, AGoneSampleCriterionOpensOnTheLastChoice) {
    test::InsertSelections(Case().List, {{99, 5}});
    auto screen = Case().Create();
    ModalScript script;
    script.Then([](QWidget* dialog) {
        EXPECT_EQ(Child<QComboBox>(dialog, "CriteriaList")->currentText(),
                  QStringLiteral("TYPING"));
        Child<QPushButton>(dialog, "BitBtn1")->click();
    });
    screen->EditBtnClick();
    EXPECT_EQ(script.Pending(), 0);
}

// With the sample list emptied while selections remain, nothing can be chosen: Add is off, and
// an edit stores nothing rather than a selection of criterion 0.
TEST_P(SelectListScreenTest, NoSampleCriterionStoresNothing) {
    std::filesystem::remove(Case().Samples);
    test::InsertSelections(Case().List, {{10, 5}});
    const std::string before = ReadFile(Case().List);
    auto screen = Case().Create();
    EXPECT_FALSE(screen->AddBtn->isEnabled());
    ModalScript script;
    script.Then([](QWidget* dialog) { Child<QPushButton>(dialog, "SaveBtn")->click(); })
        .ThenAnswer(TModalResult::Ok);
    screen->EditBtnClick();
    EXPECT_EQ(script.Messages(),
              QStringList{QStringLiteral("Error: There Is No Criterion To Choose From")});
    EXPECT_EQ(ReadFile(Case().List), before);
}

INSTANTIATE_TEST_SUITE_P(Screens, SelectListScreenTest, ::testing::ValuesIn(Cases),
                         [](const auto& test) { return std::string(test.param.Name); });

class SelectedRequiredTest : public test::TempWorkDirTest {};

TEST_F(SelectedRequiredTest, AGoneSampleCriterionShowsItsIdWithTheNotFoundText) {
    test::InsertRecords(SampleRequiredFileName, {{10, "FILING"}});
    test::InsertSelections(RequiredFileName, {{10, 0}, {99, 0}});
    TSelectedRequiredform screen(nullptr);
    EXPECT_EQ(screen.CellText(0, 2), QStringLiteral("99"));
    EXPECT_EQ(screen.CellText(1, 2), QStringLiteral("Description For ID Number Not Found"));
    EXPECT_EQ(screen.CellText(1, 1), QStringLiteral("FILING"));
}

class SelectedPreferredTest : public test::TempWorkDirTest {
protected:
    void SetUp() override {
        TempWorkDirTest::SetUp();
        test::InsertRecords(SamplePreferredFileName, {{10, "FILING", '*'}, {20, "TYPING", ' '}});
    }
    static ModalScript::Step TypeWeight(const QString& text) {
        return [text](QWidget* dialog) {
            auto* weight = Child<TSpinEdit>(dialog, "Weight");
            weight->selectAll();
            test::TypeText(weight, text);
            Child<QPushButton>(dialog, "SaveBtn")->click();
        };
    }
};

TEST_F(SelectedPreferredTest, TypedWeightsAreHeldToOneToAHundred) {
    TSelectedPreferredForm screen(nullptr);
    ModalScript script;
    script.Then([](QWidget* dialog) {
        EXPECT_EQ(Child<TSpinEdit>(dialog, "Weight")->Value(), 1) << "a new selection weighs 1";
        TypeWeight(QStringLiteral("0"))(dialog);
    });
    screen.AddBtnClick();
    for (const char* typed : {"150", "abc", "42", "99999999999"}) {
        script.Then(TypeWeight(QString::fromLatin1(typed)));
        screen.AddBtnClick();
    }
    std::vector<int> weights;
    for (const TSelectRecord& record : test::ReadSelections(PreferredFileName)) {
        weights.push_back(record.Weight);
    }
    EXPECT_EQ(weights, (std::vector<int>{1, 100, 1, 42, 100}));
    EXPECT_EQ(script.Pending(), 0);
}

TEST_F(SelectedPreferredTest, GridShowsMarkIdTextAndWeightOrAnEmptyRow) {
    test::InsertSelections(PreferredFileName, {{10, 25}, {77, 5}});
    TSelectedPreferredForm screen(nullptr);
    EXPECT_EQ(screen.CellText(0, 1), QStringLiteral("*"));
    EXPECT_EQ(screen.CellText(1, 1), QStringLiteral("10"));
    EXPECT_EQ(screen.CellText(2, 1), QStringLiteral("FILING"));
    EXPECT_EQ(screen.CellText(3, 1), QStringLiteral("25"));
    for (int col = 0; col < 4; ++col) {
        EXPECT_TRUE(screen.CellText(col, 2).isEmpty()) << "criterion 77 is gone: column " << col;
    }
    // No double-click action.
    ModalScript script;
    script.Then([](QWidget* dialog) { dialog->close(); });
    screen.DrawGrid1DblClick();
    QTest::qWait(50);
    EXPECT_EQ(script.Pending(), 1);
}

// Ratings are stored by position: deleting criterion 2 of 3 moves the ratings of criterion 3
// down one place in every record, and criterion 12 becomes unrated, so that every rating stays
// with the criterion it was given for.
TEST_F(SelectedPreferredTest, DeletingACriterionTakesItsRatingsAlong) {
    test::InsertSelections(PreferredFileName, {{10, 5}, {20, 6}, {10, 7}});
    {
        TRateDataBase ratings(RatingFileName);
        for (int applicant : {1, 2}) {
            TRateRecord rec = BlankRating(applicant, 3);
            rec.Rate = {4, applicant == 1 ? 2 : 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 1};
            bool added = false;
            ratings.Insert(rec, added);
        }
    }
    const std::string before = ReadFile(RatingFileName);
    TSelectedPreferredForm screen(nullptr);
    screen.DrawGrid1->SetRow(2);
    ModalScript script;
    auto confirm = [](QWidget* dialog) { Child<QPushButton>(dialog, "DeleteBtn")->click(); };
    script.Then(confirm).ThenAnswer(TModalResult::No);
    screen.DeleteBtnClick();
    EXPECT_EQ(ReadFile(RatingFileName), before) << "No deletes nothing";
    EXPECT_EQ(test::ReadSelections(PreferredFileName).size(), 3u);
    ASSERT_EQ(script.Messages().size(), 1);
    EXPECT_TRUE(script.Messages()[0].contains(QStringLiteral(" 1 Rating ")))
        << script.Messages()[0].toStdString();
    EXPECT_EQ(script.MessageKinds()[0], TMessageKind::Question);

    script.Then(confirm).ThenAnswer(TModalResult::Yes);
    screen.DeleteBtnClick();
    const auto selections = test::ReadSelections(PreferredFileName);
    ASSERT_EQ(selections.size(), 2u);
    EXPECT_EQ(selections[1].Weight, 7);
    // Every record, byte for byte: ratings 3..12 one place down, rating 12 now 0.
    TRateDataBase ratings(RatingFileName);
    TRateRecord rec;
    ratings.First(rec);
    std::vector<std::array<std::int32_t, RatingCount>> rates;
    while (ratings.Status() == 0) {
        rates.push_back(rec.Rate);
        ratings.Next(rec);
    }
    ASSERT_EQ(rates.size(), 2u);
    EXPECT_EQ(rates[0],
              (std::array<std::int32_t, RatingCount>{4, 5, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(rates[1],
              (std::array<std::int32_t, RatingCount>{4, 5, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(std::filesystem::file_size(RatingFileName), before.size());

    // A criterion nobody rated goes without a question.
    script.Then([](QWidget* dialog) { Child<QPushButton>(dialog, "SaveBtn")->click(); });
    screen.AddBtnClick();
    screen.DrawGrid1->SetRow(3);
    script.Then(confirm);
    screen.DeleteBtnClick();
    EXPECT_EQ(test::ReadSelections(PreferredFileName).size(), 2u);
    EXPECT_EQ(script.Messages().size(), 2);
    EXPECT_EQ(script.Pending(), 0);
}

// Ratings belong to a criterion by place: putting another criterion in a rated row asks first.
TEST_F(SelectedPreferredTest, ChangingARatedCriterionAsksFirst) {
    test::InsertSelections(PreferredFileName, {{10, 5}, {20, 6}});
    {
        TRateDataBase ratings(RatingFileName);
        TRateRecord rec = BlankRating(1, 3);
        rec.Rate[0] = 4;
        bool added = false;
        ratings.Insert(rec, added);
    }
    TSelectedPreferredForm screen(nullptr);
    const auto chooseTyping = [](QWidget* dialog) {
        Child<QComboBox>(dialog, "CriteriaList")->setCurrentIndex(1);
        Child<QPushButton>(dialog, "SaveBtn")->click();
    };
    ModalScript script;
    // Row 1 from FILING to TYPING: No keeps it, Yes changes it.
    for (const TModalResult answer : {TModalResult::No, TModalResult::Yes}) {
        screen.DrawGrid1->SetRow(1);
        script.Then(chooseTyping).ThenAnswer(answer);
        screen.EditBtnClick();
        EXPECT_EQ(test::ReadSelections(PreferredFileName)[0].CriterionID,
                  answer == TModalResult::Yes ? 20 : 10);
    }
    ASSERT_EQ(script.Messages().size(), 2);
    EXPECT_EQ(script.Messages()[0],
              QStringLiteral("Committee Members Have Given 1 Rating On \"FILING\". After The "
                             "Change They Count For \"TYPING\". Change The Criterion?"));
    // Nobody rated row 2, and a new weight changes no criterion: no question.
    screen.DrawGrid1->SetRow(2);
    script.Then(TypeWeight(QStringLiteral("9")));
    screen.EditBtnClick();
    EXPECT_EQ(test::ReadSelections(PreferredFileName)[1].Weight, 9);
    EXPECT_EQ(script.Messages().size(), 2);
    EXPECT_EQ(script.Pending(), 0);
}

} // namespace
} // namespace korvane
