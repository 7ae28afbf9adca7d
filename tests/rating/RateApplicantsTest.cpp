#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/MainForm.h"
#include "platform/sys/BinaryFile.h"
#include "platform/ui/RadioGroup.h"
#include "platform/ui/SpinEdit.h"
#include "rating/ApplicantPool.h"
#include "rating/RateApplicantsForm.h"
#include "rating/RatingSheetForm.h"
#include "tests/rating/RatingTestSupport.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/ScopedProcessState.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::ModalScript;

class RateCommandTest : public test::RatingFilesTest {
protected:
    void Rate() {
        TMainForm main(QStringList{QStringLiteral("korvane")});
        main.RateApplicants1->trigger();
    }
    test::ScopedProcessState saved_;
};

TEST_F(RateCommandTest, PreChecksStopTheCommandBeforeAnyScreen) {
    for (const char* message :
         {"Error: No Applicants Are Loaded", "Error: No Preferred Criteria Selected"}) {
        ModalScript script;
        script.ThenAnswer(TModalResult::Ok).Then([](QWidget* w) { w->close(); });
        Rate();
        EXPECT_EQ(script.Messages(), QStringList{QString::fromLatin1(message)});
        EXPECT_EQ(script.Pending(), 1) << "no screen opened";
        AddPeople();
    }
}

enum class TChoice { Selected, All, Cancel };

class RateChoiceTest : public RateCommandTest, public ::testing::WithParamInterface<TChoice> {};

// The pool is rebuilt from Applicant.Dat: a work file left by an interrupted print run (92-byte
// records, the first 64 bytes of which read as an applicant) never shows up.
TEST_P(RateChoiceTest, TheChosenMemberAndApplicantReachTheSheet) {
    AddPeople();
    SelectCriteria(3);
    TDataRecord stale{777, "STALE"};
    unsigned char bytes[92] = {};
    TDataRecordCodec::Encode(stale, bytes);
    WriteFile(TApplicantPool::FileName(), std::string(bytes, bytes + sizeof bytes));

    QStringList pool;
    QStringList cells;
    QStringList sheet;
    ModalScript script;
    script
        .Then([&](QWidget* w) {
            auto* form = qobject_cast<TRateApplicantsForm*>(w);
            ASSERT_NE(form, nullptr);
            for (const TDataRecord& rec : test::ReadRecords(TApplicantPool::FileName().c_str())) {
                pool << QString::fromStdString(rec.Description);
            }
            for (int row = 1; row < form->DrawGrid2->RowCount(); ++row) {
                cells << QStringList{form->ApplicantCellText(0, row),
                                     form->ApplicantCellText(1, row),
                                     form->ApplicantCellText(2, row)}
                             .join(QLatin1Char(' '));
            }
            form->DrawGrid1->SetRow(2);
            form->DrawGrid2->SetRow(2);
            form->RadioGroup1->SetItemIndex(GetParam() == TChoice::All ? 1 : 0);
            (GetParam() == TChoice::Cancel ? form->BitBtn1 : form->RateBtn)->click();
        })
        .Then([&](QWidget* w) {
            auto* form = qobject_cast<TRatingSheetForm*>(w);
            ASSERT_NE(form, nullptr);
            sheet << form->CommitteeMember->text() << form->Applicant->text();
            form->CloseBtn->click();
        });
    Rate();
    EXPECT_EQ(pool.join(QLatin1Char(' ')), QStringLiteral("ADAMS CRUZ DIAZ"));
    EXPECT_EQ(cells, (QStringList{QStringLiteral("3 ADAMS 10%"), QStringLiteral("4 CRUZ 5%"),
                                  QStringLiteral("6 DIAZ ")}));
    const QStringList expected[] = {{QStringLiteral("2 CLARK"), QStringLiteral("4 CRUZ")},
                                    {QStringLiteral("2 CLARK"), QStringLiteral("3 ADAMS")},
                                    {}};
    EXPECT_EQ(sheet, expected[static_cast<int>(GetParam())]);
    EXPECT_FALSE(fs::exists(TApplicantPool::FileName()));
    EXPECT_TRUE(ReadFile(RatingFileName).empty()) << "closing the sheet saves nothing";
}

std::string ChoiceName(const ::testing::TestParamInfo<TChoice>& Info) {
    const char* names[] = {"SelectedApplicant", "AllApplicants", "Cancel"};
    return names[static_cast<int>(Info.param)];
}

INSTANTIATE_TEST_SUITE_P(Options, RateChoiceTest,
                         ::testing::Values(TChoice::Selected, TChoice::All, TChoice::Cancel),
                         ChoiceName);

// Everybody eliminated: the pre-check passes (it counts records), the Rate button refuses.
TEST_F(RateCommandTest, WithNobodyInThePoolNothingIsRated) {
    AddNamed(CommitteeFileName, {{1, "BAKER"}});
    AddNamed(ApplicantFileName, {{3, "ADAMS", 0.0, 1}, {4, "CRUZ", 0.0, 4}});
    SelectCriteria(2);
    ModalScript script;
    bool stayed = false;
    script
        .Then([&](QWidget* w) {
            auto* form = qobject_cast<TRateApplicantsForm*>(w);
            form->RadioGroup1->SetItemIndex(1);
            form->RateBtn->click();
            stayed = form->isVisible();
            form->BitBtn1->click();
        })
        .ThenAnswer(TModalResult::Ok);
    Rate();
    EXPECT_TRUE(stayed);
    // Nor does a sheet for all applicants of an empty pool store a rating for applicant 0.
    TRatingSheetForm sheet(nullptr);
    sheet.SetCommitteeMember(1);
    sheet.SetApplicant(0);
    sheet.Rate[0]->setValue(3);
    script.ThenAnswer(TModalResult::Ok);
    sheet.SaveBtnClick();
    const QString message = QStringLiteral("Error: No Applicant Is Still In The Pool");
    EXPECT_EQ(script.Messages(), (QStringList{message, message}));
    EXPECT_TRUE(ReadFile(RatingFileName).empty());
}

TEST_F(RateCommandTest, AnApplicantTheCopyCouldNotTakeIsReported) {
    AddPeople();
    ModalScript script;
    script.ThenAnswer(TModalResult::Ok);
    TFileFaults::FailStep(1, ENOSPC);
    TRateApplicantsForm form(nullptr);
    TFileFaults::Clear();
    ASSERT_EQ(script.Messages().size(), 1);
    EXPECT_TRUE(script.Messages()[0].startsWith(
        QStringLiteral("Error: TempFile.dat Could Not Be Written")));
    EXPECT_EQ(form.DrawGrid2->RowCount(), 3) << "two of the three applicants are listed";
}

} // namespace
} // namespace korvane
