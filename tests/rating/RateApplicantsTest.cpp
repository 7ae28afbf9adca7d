#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <cerrno>
#include <filesystem>
#include <fstream>
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
    void SetUp() override {
        RatingFilesTest::SetUp();
        main_ = std::make_unique<TMainForm>(QStringList{QStringLiteral("korvane")});
    }
    void TearDown() override {
        main_.reset();
        RatingFilesTest::TearDown();
    }
    void Rate() { main_->RateApplicants1->trigger(); }

    std::unique_ptr<TMainForm> main_;
    test::ScopedProcessState saved_;
};

// What the rate screen showed and handed on to the sheet.
struct TChoice {
    QStringList Pool;  // the scratch list while the screen is open
    QStringList Cells; // the applicant grid, row by row
    QString Member;    // the sheet's labels
    QString Applicant;
    bool NextEnabled = false;
};

TEST_F(RateCommandTest, PreChecksStopTheCommandBeforeAnyScreen) {
    const struct {
        std::function<void()> Prepare;
        const char* Message;
    } cases[] = {
        {[] {}, "Error: No Applicants Are Loaded"},
        {[] {
             AddPool();
             AddMembers();
         },
         "Error: No Preferred Criteria Selected"},
    };
    for (const auto& c : cases) {
        c.Prepare();
        ModalScript script;
        bool opened = false;
        script.ThenAnswer(TModalResult::Ok).Then([&](QWidget* w) {
            opened = true;
            w->close();
        });
        Rate();
        EXPECT_EQ(script.Messages(), QStringList{QString::fromLatin1(c.Message)});
        EXPECT_FALSE(opened);
        EXPECT_FALSE(fs::exists(TApplicantPool::FileName()));
    }
}

class RateChoiceTest : public RateCommandTest, public ::testing::WithParamInterface<bool> {};

// The pool is rebuilt from Applicant.Dat: a work file left behind by an interrupted print run
// (92-byte records; its first 64 bytes read as an applicant) never shows up.
TEST_P(RateChoiceTest, ChosenMemberAndApplicantReachTheSheet) {
    const bool all = GetParam();
    AddPool();
    AddMembers();
    SelectCriteria(3);
    {
        TDataRecord stale;
        stale.ID = 777;
        stale.Description = "STALE";
        unsigned char bytes[92] = {};
        TDataRecordCodec::Encode(stale, bytes);
        fs::create_directories(fs::path(TApplicantPool::FileName()).parent_path());
        WriteFile(TApplicantPool::FileName(), std::string(bytes, bytes + sizeof bytes));
    }
    TChoice seen;
    ModalScript script;
    script
        .Then([&](QWidget* w) {
            auto* form = qobject_cast<TRateApplicantsForm*>(w);
            ASSERT_NE(form, nullptr);
            for (const TDataRecord& rec : test::ReadRecords(TApplicantPool::FileName().c_str())) {
                seen.Pool << QString::fromStdString(rec.Description);
            }
            for (int row = 1; row < form->DrawGrid2->RowCount(); ++row) {
                seen.Cells << form->ApplicantCellText(0, row) + QLatin1Char(' ') +
                                  form->ApplicantCellText(1, row) + QLatin1Char(' ') +
                                  form->ApplicantCellText(2, row);
            }
            form->DrawGrid1->SetRow(2);
            form->DrawGrid2->SetRow(2);
            form->RadioGroup1->SetItemIndex(all ? 1 : 0);
            form->RateBtn->click();
        })
        .Then([&](QWidget* w) {
            auto* sheet = qobject_cast<TRatingSheetForm*>(w);
            ASSERT_NE(sheet, nullptr);
            seen.Member = sheet->CommitteeMember->text();
            seen.Applicant = sheet->Applicant->text();
            seen.NextEnabled = sheet->NextBtn->isEnabled();
            sheet->CloseBtn->click();
        });
    Rate();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(seen.Pool, (QStringList{QStringLiteral("ADAMS"), QStringLiteral("CRUZ"),
                                      QStringLiteral("DIAZ")}));
    EXPECT_EQ(seen.Cells, (QStringList{QStringLiteral("3 ADAMS 10%"), QStringLiteral("4 CRUZ 5%"),
                                       QStringLiteral("6 DIAZ ")}));
    EXPECT_EQ(seen.Member, QStringLiteral("2 CLARK"));
    EXPECT_EQ(seen.Applicant, all ? QStringLiteral("3 ADAMS") : QStringLiteral("4 CRUZ"));
    EXPECT_EQ(seen.NextEnabled, all);
    EXPECT_FALSE(fs::exists(TApplicantPool::FileName()));
    EXPECT_TRUE(ReadFile(RatingFileName).empty()) << "closing the sheet saves nothing";
}

INSTANTIATE_TEST_SUITE_P(Options, RateChoiceTest, ::testing::Values(false, true),
                         [](const auto& info) {
                             return std::string(info.param ? "AllApplicants" : "Selected");
                         });

TEST_F(RateCommandTest, CancelOpensNoSheet) {
    AddPool();
    AddMembers();
    SelectCriteria(2);
    ModalScript script;
    bool sheet = false;
    script.Then([](QWidget* w) { qobject_cast<TRateApplicantsForm*>(w)->BitBtn1->click(); })
        .Then([&](QWidget* w) {
            sheet = true;
            w->close();
        });
    Rate();
    EXPECT_FALSE(sheet);
    EXPECT_FALSE(fs::exists(TApplicantPool::FileName()));
}

// Everybody eliminated: the pre-check passes (it counts records), the Rate button refuses.
TEST_F(RateCommandTest, WithNobodyInThePoolRateRefusesAndTheScreenStays) {
    AddApplicants({{3, "ADAMS", 0.0, 1}, {4, "CRUZ", 0.0, 4}});
    AddMembers();
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
    EXPECT_EQ(script.Messages(),
              QStringList{QStringLiteral("Error: No Applicant Is Still In The Pool")});
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(ReadFile(RatingFileName).empty());

    // Nor does a sheet for all applicants of an empty pool store a rating for applicant 0.
    TRatingSheetForm sheet(nullptr);
    sheet.SetCommitteeMember(1);
    sheet.SetApplicant(0);
    sheet.Rate[0]->setValue(3);
    ModalScript again;
    again.ThenAnswer(TModalResult::Ok);
    sheet.SaveBtnClick();
    EXPECT_EQ(again.Messages(), script.Messages());
    EXPECT_TRUE(ReadFile(RatingFileName).empty());
}

TEST_F(RateCommandTest, AnApplicantTheCopyCouldNotTakeIsReported) {
    AddPool();
    AddMembers();
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
