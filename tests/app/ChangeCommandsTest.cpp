#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "data/ChangeLog.h"
#include "data/FileNames.h"
#include "data/FinalRating.h"
#include "exchange/UpdateForm.h"
#include "platform/ui/SpinEdit.h"
#include "rating/RatingProgressForm.h"
#include "rating/RatingSheetForm.h"
#include "setup/ApplicantAddEditForm.h"
#include "setup/ApplicantForm.h"
#include "setup/CommitteeForm.h"
#include "setup/SamplePreferedAddEditForm.h"
#include "setup/SamplePreferedForm.h"
#include "setup/SampleRequired.h"
#include "setup/SelectedPreferredAddEditForm.h"
#include "setup/SelectedPreferredForm.h"
#include "setup/SelectedRequiredform.h"
#include "tests/rating/RatingTestSupport.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/ScopedProcessState.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::Child;
using test::ModalScript;

// One changing command: the answers its windows need, the command itself, the file it changes
// and the line it must log.
struct TCommandCase {
    const char* Name;
    std::function<void(ModalScript&)> Answers;
    std::function<void()> Run;
    const char* Changed;
    TChange Logged;
};

void PrintTo(const TCommandCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

enum class TMode { Logged, LogFails, Finalised };

// A list screen of type T on row Row, one click of Click.
template <class T> std::function<void()> OnRow(int Row, void (TListScreen::*Click)()) {
    return [Row, Click] {
        T screen(nullptr);
        screen.DrawGrid1->SetRow(Row);
        (screen.*Click)();
    };
}

ModalScript::Step Typed(const char* Field, const char* Text) {
    return [Field, Text](QWidget* dialog) {
        auto* edit = Child<QLineEdit>(dialog, Field);
        edit->selectAll();
        test::TypeText(edit, QString::fromLatin1(Text));
        Child<QPushButton>(dialog, "SaveBtn")->click();
    };
}

ModalScript::Step Deleted() {
    return [](QWidget* dialog) { Child<QPushButton>(dialog, "DeleteBtn")->click(); };
}

template <class TDialog> ModalScript::Step Saved(std::function<void(TDialog&)> Change) {
    return [Change](QWidget* dialog) {
        Change(*static_cast<TDialog*>(dialog));
        Child<QPushButton>(dialog, "SaveBtn")->click();
    };
}

const std::string Arrow = " \xE2\x86\x92 ";

const TCommandCase Commands[] = {
    {"MemberAdded",
     [](ModalScript& s) { s.Then(Typed("CommitteeName", "evans")); },
     OnRow<TCommitteeForm>(1, &TListScreen::AddBtnClick),
     CommitteeFileName,
     {"Committee Members", "member 3 \"EVANS\" added", 0, 3}},
    {"MemberRenamed",
     [](ModalScript& s) { s.Then(Typed("CommitteeName", "bakers")); },
     OnRow<TCommitteeForm>(1, &TListScreen::EditBtnClick),
     CommitteeFileName,
     {"Committee Members", "member 1 name \"BAKER\"" + Arrow + "\"BAKERS\"", 0, 1}},
    {"MemberDeletedWithRatings",
     [](ModalScript& s) { s.Then(Deleted()).ThenAnswer(TModalResult::Yes); },
     OnRow<TCommitteeForm>(1, &TListScreen::DeleteBtnClick),
     RatingFileName,
     {"Committee Members", "member 1 \"BAKER\" deleted, with 1 rating record", 0, 1}},
    {"SampleRequiredAdded",
     [](ModalScript& s) { s.Then(Typed("CriteriaDescription", "typing")); },
     OnRow<TSampleRequired>(1, &TListScreen::AddBtnClick),
     SampleRequiredFileName,
     {"Sample Required Criteria", "sample required criterion 12 \"TYPING\" added"}},
    {"SampleRequiredDeleted",
     [](ModalScript& s) { s.Then(Deleted()); },
     OnRow<TSampleRequired>(1, &TListScreen::DeleteBtnClick),
     SampleRequiredFileName,
     {"Sample Required Criteria", "sample required criterion 10 \"DEGREE\" deleted"}},
    {"ReferenceCheck",
     [](ModalScript& s) {
         s.Then(Saved<TSamplePreferedAddEditForm>([](auto& d) { d.RefCheck->setChecked(true); }));
     },
     OnRow<TSamplePreferedForm>(1, &TListScreen::EditBtnClick),
     SamplePreferredFileName,
     {"Sample Preferred Criteria",
      "sample preferred criterion 21 reference check no" + Arrow + "yes"}},
    {"RequiredSelected",
     [](ModalScript& s) {
         s.Then([](QWidget* dialog) {
             Child<QComboBox>(dialog, "CriteriaList")->setCurrentIndex(1);
             Child<QPushButton>(dialog, "SaveBtn")->click();
         });
     },
     OnRow<TSelectedRequiredform>(1, &TListScreen::AddBtnClick),
     RequiredFileName,
     {"Selected Required Criteria", "selected required criterion 2 \"LICENSE\" added"}},
    {"WeightChanged",
     [](ModalScript& s) {
         s.Then(Saved<TSelectedPreferredAddEditForm>([](auto& d) { d.SetWeight(30); }));
     },
     OnRow<TSelectedPreferredForm>(1, &TListScreen::EditBtnClick),
     PreferredFileName,
     {"Selected Preferred Criteria", "weight of \"TEAMWORK\" 10" + Arrow + "30"}},
    {"PreferredDeletedWithRatings",
     [](ModalScript& s) { s.Then(Deleted()).ThenAnswer(TModalResult::Yes); },
     OnRow<TSelectedPreferredForm>(1, &TListScreen::DeleteBtnClick),
     RatingFileName,
     {"Selected Preferred Criteria",
      "selected preferred criterion 1 \"TEAMWORK\" deleted, with 2 ratings"}},
    {"ApplicantStatus",
     [](ModalScript& s) { s.Then(Saved<TApplicantAddEditForm>([](auto& d) { d.SetStatus(2); })); },
     OnRow<TApplicantForm>(1, &TListScreen::EditBtnClick),
     ApplicantFileName,
     {"Applicants", "applicant 3 status 0" + Arrow + "2", 3}},
    {"ApplicantDeletedWithRatings",
     [](ModalScript& s) { s.Then(Deleted()).ThenAnswer(TModalResult::Yes); },
     OnRow<TApplicantForm>(2, &TListScreen::DeleteBtnClick),
     RatingFileName,
     {"Applicants", "applicant 4 \"CRUZ\" deleted, with 1 rating record", 4}},
    {"RatingSaved",
     [](ModalScript&) {},
     [] {
         TRatingSheetForm sheet(nullptr);
         sheet.SetCommitteeMember(1);
         sheet.SetApplicant(3);
         sheet.Rate[1]->setValue(5);
         sheet.SaveBtnClick();
     },
     RatingFileName,
     {"Rating Sheet", "rating of applicant 3 by member 1, criterion 2: 4" + Arrow + "5", 3, 1}},
    {"Abstained",
     [](ModalScript& s) { s.Then([](QWidget*) { test::Type("@A@Oill\n"); }); },
     [] {
         TRatingSheetForm sheet(nullptr);
         sheet.SetCommitteeMember(2);
         sheet.SetApplicant(3);
         sheet.NotRatingBtnClick();
     },
     RecusalFileName,
     {"Rating Sheet", "decision of member 2 on applicant 3: none" + Arrow + "abstained \"ill\"", 3,
      2}},
    {"DecisionLifted",
     [](ModalScript& s) { s.ThenAnswer(TModalResult::Yes); },
     [] {
         TRatingProgressForm screen(nullptr);
         screen.DrawGrid1->SetRow(1);
         screen.TreeView1->setCurrentItem(screen.TreeView1->topLevelItem(4)->child(0));
         screen.LiftBtnClick();
     },
     RecusalFileName,
     {"Rating Progress", "decision of member 1 on applicant 4: recused \"COUSIN\"" + Arrow + "none",
      4, 1}},
    {"ListImported",
     [](ModalScript&) {},
     [] {
         TUpdateForm screen(nullptr);
         ShowImportFailure(screen.ImportApplicants(ApplicantListFileName, "Automatic Update"),
                           nullptr);
     },
     ApplicantFileName,
     {"Automatic Update", "\"Korvane Updated\": 2 applicants"}},
};

class ChangeCommandsTest : public test::RatingFilesTest,
                           public ::testing::WithParamInterface<std::tuple<TCommandCase, TMode>> {
protected:
    void SetUp() override {
        RatingFilesTest::SetUp();
        AddNamed(CommitteeFileName, {{1, "BAKER"}, {2, "CLARK"}});
        AddNamed(ApplicantFileName, {{3, "ADAMS"}});
        test::InsertRecords(ApplicantFileName, {{4, "CRUZ", '*'}});
        test::InsertRecords(SampleRequiredFileName, {{10, "DEGREE"}, {11, "LICENSE"}});
        test::InsertRecords(SamplePreferredFileName, {{20, "TEAMWORK"}, {21, "TACT"}});
        test::InsertSelections(RequiredFileName, {{10, 0}});
        test::InsertSelections(PreferredFileName, {{20, 10}, {21, 20}});
        TRateRecord adams = Rating(3, "", {3, 4}, -1);
        StoreRating(adams);
        TRateRecord cruz = Rating(4, "", {5, 5}, -1);
        cruz.CommitteeID = 2;
        StoreRating(cruz);
        WriteFile(RecusalFileName, "4,1,R,COUSIN\r\n");
        WriteFile(ApplicantListFileName, "         5 EVANS, EVA\r\n         6 FOX, FAY\r\n");
    }

    // Every file of the folder with its bytes.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(WorkDir())) {
            if (entry.is_regular_file()) {
                files[entry.path().filename().string()] = ReadFile(entry.path());
            }
        }
        return files;
    }
};

// Each changing command logs one line that names what it changed; a log that cannot be written
// keeps the change and says so; while the final rating is finalised every one of them is
// refused and nothing changes.
TEST_P(ChangeCommandsTest, LogsOneLineKeepsTheChangeOrIsRefused) {
    const auto& [command, mode] = GetParam();
    test::ScopedProcessState state;
    if (mode == TMode::Finalised) {
        TFinalRating made;
        ASSERT_TRUE(FinaliseFinalRating(Settings, made).Ok());
    }
    if (mode == TMode::LogFails) {
        fs::create_directory(ChangeLogFileName);
    }
    const auto before = Files();

    ModalScript script;
    if (mode != TMode::Finalised) {
        command.Answers(script);
    }
    if (mode != TMode::Logged) {
        script.ThenAnswer(TModalResult::Ok);
    }
    command.Run();
    EXPECT_EQ(script.Pending(), 0);

    const auto after = Files();
    if (mode == TMode::Finalised) {
        ASSERT_EQ(script.Messages().size(), 1);
        EXPECT_TRUE(script.Messages()[0].startsWith(
            QStringLiteral("Error: The Final Rating Was Finalised On ")))
            << script.Messages()[0].toStdString();
        EXPECT_EQ(after, before) << "nothing changed";
        return;
    }
    EXPECT_NE(after.at(command.Changed), before.at(command.Changed)) << "the change is made";
    if (mode == TMode::LogFails) {
        EXPECT_EQ(script.MessageKinds().last(), TMessageKind::Warning);
        EXPECT_TRUE(script.Messages().last().contains(QStringLiteral("Changes.log")));
        return;
    }
    const TChangeLog log = ReadChangeLog();
    ASSERT_EQ(log.Entries.size(), 1u);
    EXPECT_TRUE(log.DamagedLines.empty());
    EXPECT_EQ(log.Entries[0].Change, command.Logged);
}

INSTANTIATE_TEST_SUITE_P(Commands, ChangeCommandsTest,
                         ::testing::Combine(::testing::ValuesIn(Commands),
                                            ::testing::Values(TMode::Logged, TMode::LogFails,
                                                              TMode::Finalised)),
                         [](const auto& test) {
                             const TMode mode = std::get<1>(test.param);
                             return std::string(std::get<0>(test.param).Name) +
                                    (mode == TMode::Logged     ? "Logged"
                                     : mode == TMode::LogFails ? "LogFails"
                                                               : "Finalised");
                         });

} // namespace
} // namespace korvane
