#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "platform/sys/BinaryFile.h"
#include "platform/ui/SpinEdit.h"
#include "rating/RatingSheetForm.h"
#include "tests/rating/RatingTestSupport.h"
#include "tests/support/ModalScript.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::ModalScript;
using test::Type;

class RatingSheetTest : public test::RatingFilesTest {
protected:
    void SetUp() override {
        RatingFilesTest::SetUp();
        AddPeople();
    }
    void TearDown() override {
        TFileFaults::Clear();
        RatingFilesTest::TearDown();
    }

    // Member 1's sheet for one applicant, or for all of them (0).
    static std::unique_ptr<TRatingSheetForm> Open(std::int32_t Applicant) {
        auto sheet = std::make_unique<TRatingSheetForm>(nullptr);
        sheet->SetCommitteeMember(1);
        sheet->SetApplicant(Applicant);
        return sheet;
    }
    static void Enter(TRatingSheetForm& Sheet, std::vector<int> Rates, const char* Comments) {
        for (std::size_t n = 0; n < Rates.size(); ++n) {
            Sheet.Rate[n]->setValue(Rates[n]);
        }
        Sheet.Comments->setText(QString::fromLatin1(Comments));
    }
    static int Shown(TRatingSheetForm& Sheet, int N) {
        return Sheet.Rate[static_cast<std::size_t>(N - 1)]->Value();
    }
};

TEST_F(RatingSheetTest, ASheetIsStoredOnceAndOverwrittenInPlace) {
    SelectCriteria(3);
    {
        auto sheet = Open(3);
        Enter(*sheet, {4, 2, 5}, "GOOD");
        sheet->SaveBtnClick();
        ExpectRatingFile({Rating(3, "GOOD", {4, 2, 5}, 1)});
        sheet->Rate[1]->setValue(3);
        sheet->SaveBtnClick();
        ExpectRatingFile({Rating(3, "GOOD", {4, 3, 5}, 1)});
    }
    {
        auto sheet = Open(4);
        EXPECT_FALSE(sheet->Found());
        Enter(*sheet, {1, 1, 1}, "");
        sheet->SaveBtnClick();
        ExpectRatingFile({Rating(4, "", {1, 1, 1}, 2), Rating(3, "GOOD", {4, 3, 5}, 1)});
    }
    auto sheet = Open(3);
    EXPECT_TRUE(sheet->Found());
    EXPECT_EQ(Shown(*sheet, 2), 3);
    EXPECT_EQ(sheet->Comments->text(), QStringLiteral("GOOD"));
    sheet->Rate[2]->setValue(1);
    sheet->SaveBtnClick();
    ExpectRatingFile({Rating(4, "", {1, 1, 1}, 2), Rating(3, "GOOD", {4, 3, 1}, 1)});
}

TEST_F(RatingSheetTest, OnlyTheSelectedCriteriaAreShownAndRated) {
    SelectCriteria(12);
    const int full = Open(3)->height();
    fs::remove(PreferredFileName);
    fs::remove(SamplePreferredFileName);
    SelectCriteria(5, 4);
    auto sheet = Open(3);
    EXPECT_EQ(full - sheet->height(), 7 * 23);
    for (std::size_t n = 0; n < RatingCount; ++n) {
        EXPECT_EQ(sheet->Rate[n]->isHidden(), n >= 5) << "Rate" << n + 1;
    }
    EXPECT_EQ(
        QStringList({sheet->CellText(1, 1), sheet->CellText(2, 1), sheet->CellText(3, 5)}),
        QStringList({QStringLiteral("*"), QStringLiteral("CRITERION B"), QStringLiteral("50")}));
    EXPECT_EQ(sheet->CellText(1, 4) + sheet->CellText(2, 4),
              QStringLiteral("Description For ID Number Not Found"))
        << "a criterion whose sample is gone";

    Enter(*sheet, {1, 2, 3, 4, 5, 5, 5}, "1234567890123456789012345678901234");
    EXPECT_EQ(sheet->Comments->text().size(), 30) << "a longer comment cannot be typed";
    sheet->SaveBtnClick();
    ExpectRatingFile({Rating(3, "123456789012345678901234567890", {1, 2, 3, 4, 5}, 1)});
}

// Next and Previous store the sheet they leave; the eliminated BROWN is never reached.
TEST_F(RatingSheetTest, AllApplicantsAreSteppedThroughInNameOrder) {
    SelectCriteria(2);
    auto sheet = Open(0);
    QStringList stops;
    auto note = [&] {
        stops << QStringLiteral("%1%2%3")
                     .arg(sheet->PreviousBtn->isEnabled() ? QStringLiteral("<") : QString())
                     .arg(sheet->ApplicantID())
                     .arg(sheet->NextBtn->isEnabled() ? QStringLiteral(">") : QString());
    };
    note();
    Enter(*sheet, {1, 1}, "A");
    sheet->NextBtnClick();
    ExpectRatingFile({Rating(3, "A", {1, 1}, 1)});
    note();
    Enter(*sheet, {2, 2}, "C");
    sheet->NextBtnClick();
    ExpectRatingFile({Rating(4, "C", {2, 2}, 2), Rating(3, "A", {1, 1}, 1)});
    note();
    EXPECT_EQ(Shown(*sheet, 1), 0) << "a new sheet starts empty";
    Enter(*sheet, {3, 3}, "D");
    sheet->PreviousBtnClick();
    ExpectRatingFile(
        {Rating(6, "D", {3, 3}, 3), Rating(4, "C", {2, 2}, 2), Rating(3, "A", {1, 1}, 1)});
    note();
    EXPECT_EQ(sheet->Applicant->text(), QStringLiteral("4 CRUZ"));
    EXPECT_EQ(Shown(*sheet, 1), 2) << "the stored sheet is shown again";
    EXPECT_EQ(stops.join(QLatin1Char(' ')), QStringLiteral("3> <4> <6 <4>"));
}

// One applicant's sheet from the keyboard alone, as a member types it.
TEST_F(RatingSheetTest, ASheetIsTypedWithDigitsTabAndAltKeys) {
    SelectCriteria(3);
    StoreRating(Rating(4, "", {3}, -1));
    auto sheet = Open(0);
    int keys = 0;
    auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        ++keys;
    };
    ModalScript script;
    script.Then([&](QWidget*) {
        EXPECT_EQ(QApplication::focusWidget(), sheet->Rate[0]);
        for (const Qt::Key digit : {Qt::Key_4, Qt::Key_2, Qt::Key_9}) {
            press(digit);
            press(Qt::Key_Tab);
        }
        // A 9 is refused where it was typed: the box keeps the focus and the typed text.
        QApplication::processEvents();
        EXPECT_TRUE(QTest::qWaitForWindowActive(sheet.get())) << "back from the message";
        EXPECT_EQ(QApplication::focusWidget(), sheet->Rate[2]);
        EXPECT_EQ(sheet->Rate[2]->text(), QStringLiteral("9")) << "never corrected to a 5";
        press(Qt::Key_5);
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), sheet->Comments);
        press(Qt::Key_O);
        press(Qt::Key_K);
        press(Qt::Key_S, Qt::AltModifier);
        EXPECT_EQ(keys, 11);
        ExpectRatingFile({Rating(3, "ok", {4, 2, 5}, 2), Rating(4, "", {3}, 1)});
        EXPECT_EQ(sheet->StatusLine->text(), QStringLiteral("Ratings Of ADAMS Saved"));
        // The next sheet opens with its first rating selected: the digit replaces the stored 3.
        press(Qt::Key_N, Qt::AltModifier);
        EXPECT_EQ(sheet->Position->text(), QStringLiteral("Applicant 2 Of 3"));
        EXPECT_EQ(QApplication::focusWidget(), sheet->Rate[0]);
        press(Qt::Key_1);
        press(Qt::Key_P, Qt::AltModifier);
        EXPECT_EQ(sheet->ApplicantID(), 3);
        press(Qt::Key_Escape);
    });
    script.ThenAnswer(TModalResult::Ok);
    sheet->exec();
    ExpectRatingFile({Rating(3, "ok", {4, 2, 5}, 2), Rating(4, "", {1}, 1)});
    EXPECT_EQ(script.Messages(),
              QStringList{QStringLiteral("Error: Points Are Whole Numbers From 0 To 5 (0: Not "
                                         "Rated)")});
    EXPECT_EQ(script.Pending(), 0);
}

// One decision on the sheet of member 1 for ADAMS: Alt+R, then the keys in the Not Rating
// dialog; the messages on the way, Recusal.dat and the sheet afterwards.
struct TDecisionStep {
    const char* Name;
    std::string DialogKeys;
    const char* Message; // nullptr: none
    std::string File;
    const char* Shown;
};

TEST_F(RatingSheetTest, DecisionsAreMadeAndLiftedByKeyboardAndLockTheSheet) {
    SelectCriteria(2);
    StoreRating(Rating(3, "OLD", {4, 4}, -1));
    const std::string ratings = ReadFile(RatingFileName);
    const TDecisionStep steps[] = {
        // Enter at once: a recusal needs its reason, and the reason field has the focus then.
        {"RecusalNeedsItsReason", "\nSISTER\n", "Error: A Recusal Needs A Reason",
         "3,1,R,SISTER\r\n", "Recused: SISTER"},
        {"AbstainedInstead", "@A@Oaway, ill\n", nullptr, "3,1,A,away, ill\r\n",
         "Abstained: away, ill"},
        {"CancelChangesNothing", "@L\x1b", nullptr, "3,1,A,away, ill\r\n", "Abstained: away, ill"},
        {"RatingAfterAll", "@L\n", nullptr, "", ""},
    };
    auto sheet = Open(3);
    ModalScript script;
    script.Then([&](QWidget*) {
        for (const TDecisionStep& step : steps) {
            SCOPED_TRACE(step.Name);
            const int before = static_cast<int>(script.Messages().size());
            Type("@R");
            EXPECT_EQ(script.Messages().mid(before),
                      step.Message ? QStringList{QString::fromLatin1(step.Message)}
                                   : QStringList());
            EXPECT_EQ(ReadFile(RecusalFileName), step.File);
            EXPECT_EQ(sheet->Decision->text(), QString::fromLatin1(step.Shown));
            const bool open = *step.Shown == '\0';
            EXPECT_EQ(sheet->Rate[0]->isEnabled(), open);
            EXPECT_EQ(sheet->Comments->isEnabled(), open);
            EXPECT_EQ(sheet->SaveBtn->isEnabled(), open);
        }
        Type("\x1b");
    });
    for (const TDecisionStep& step : steps) {
        script.Then([&step](QWidget* dialog) {
            EXPECT_EQ(dialog->objectName(), QStringLiteral("NotRatingForm"));
            Type(step.DialogKeys);
        });
        if (step.Message != nullptr) {
            script.ThenAnswer(TModalResult::Ok);
        }
    }
    sheet->exec();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(ReadFile(RatingFileName), ratings) << "the ratings stay as they were";
}

// A damaged Recusal.dat is reported once per sheet, and no decision is written into it.
TEST_F(RatingSheetTest, ADamagedRecusalFileIsReportedOnceAndNeverRewritten) {
    SelectCriteria(2);
    WriteFile(RecusalFileName, "3,1,R,SISTER\r\nbad\r\n");
    ModalScript script;
    script.ThenAnswer(TModalResult::Ok);
    auto sheet = Open(0);
    EXPECT_EQ(sheet->Decision->text(), QStringLiteral("Recused: SISTER"));
    script.Then([&](QWidget*) {
        Type("@N");
        EXPECT_EQ(sheet->ApplicantID(), 4);
        Type("@R");
        Type("\x1b");
    });
    script.Then([](QWidget*) { Type("@A\n"); }).ThenAnswer(TModalResult::Ok);
    sheet->exec();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(
        script.Messages(),
        (QStringList{QStringLiteral("Error: Line 2 Of Recusal.dat Is Damaged And Was Skipped"),
                     QStringLiteral("Error: Recusal.dat Has Damaged Lines; It Is Not "
                                    "Changed Until They Are Repaired")}));
    EXPECT_EQ(ReadFile(RecusalFileName), "3,1,R,SISTER\r\nbad\r\n");
}

struct TCloseCase {
    const char* Name;
    TModalResult Answer;
    bool Closed;
    std::vector<int> Stored; // the first two ratings in Rating.dat afterwards
};

class RatingCloseTest : public RatingSheetTest, public ::testing::WithParamInterface<TCloseCase> {};

// Close with typed ratings asks; Yes saves and closes, No closes, Cancel stays on the sheet.
TEST_P(RatingCloseTest, ClosingASheetWithChangesAsksFirst) {
    SelectCriteria(2);
    StoreRating(Rating(3, "", {1, 1}, -1));
    auto sheet = Open(3);
    EXPECT_FALSE(sheet->Modified());
    ModalScript script;
    script.Then([&](QWidget*) {
        sheet->Rate[1]->setValue(4);
        sheet->CloseBtn->click();
        if (sheet->isVisible()) {
            sheet->done(QDialog::Accepted);
        }
    });
    script.ThenAnswer(GetParam().Answer);
    EXPECT_EQ(sheet->exec(), GetParam().Closed ? QDialog::Rejected : QDialog::Accepted);
    EXPECT_EQ(script.Messages(), QStringList{QStringLiteral("Save The Ratings Of ADAMS?")});
    TRateDataBase ratings(RatingFileName);
    TRateRecord rec;
    ratings.FindRating(rec, 3, 1);
    EXPECT_EQ(std::vector<int>(rec.Rate.begin(), rec.Rate.begin() + 2), GetParam().Stored);
}

INSTANTIATE_TEST_SUITE_P(Answers, RatingCloseTest,
                         ::testing::Values(TCloseCase{"Yes", TModalResult::Yes, true, {1, 4}},
                                           TCloseCase{"No", TModalResult::No, true, {1, 1}},
                                           TCloseCase{
                                               "Cancel", TModalResult::Cancel, false, {1, 1}}),
                         [](const auto& test) { return std::string(test.param.Name); });

struct TFailureCase {
    const char* Name;
    bool Stored;                 // the pair stands in Rating.dat already
    bool BeforeOpening;          // the sheet opens Rating.dat after the break
    std::function<bool()> Break; // false when this user cannot be kept from writing so
    const char* Message;
};

void PrintTo(const TFailureCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

const TFailureCase FailureCases[] = {
    {"ReadOnlyFile", true, true,
     [] {
         fs::permissions(RatingFileName, fs::perms::owner_read, fs::perm_options::replace);
         return !std::fstream(RatingFileName, std::ios::in | std::ios::out);
     },
     "Error: Rating.dat Could Not Be Opened; The Ratings Were Not Saved"},
    {"ReadOnlyFileSystem", true, false,
     [] {
         TFileFaults::FailStep(1, EROFS);
         return true;
     },
     "Error: Rating.dat Could Not Be Written; The Ratings Were Not Saved"},
    {"DiskFull", false, false,
     [] {
         TFileFaults::FailStep(1, ENOSPC);
         return true;
     },
     "Error: Rating.dat Could Not Be Written; The Ratings Were Not Saved"},
};

class RatingFailureTest : public RatingSheetTest,
                          public ::testing::WithParamInterface<TFailureCase> {};

// The user is told, the sheet stays on the applicant with what was typed, the file is as it was.
TEST_P(RatingFailureTest, AFailedSaveIsReportedAndKeepsTheSheet) {
    const TFailureCase& c = GetParam();
    SelectCriteria(2);
    StoreRating(Rating(c.Stored ? 3 : 4, "OLD", {1, 1}, -1));
    const std::string before = ReadFile(RatingFileName);
    std::unique_ptr<TRatingSheetForm> sheet = c.BeforeOpening ? nullptr : Open(0);
    if (!c.Break()) {
        GTEST_SKIP() << "this user may write any file";
    }
    if (c.BeforeOpening) {
        sheet = Open(0);
    }
    Enter(*sheet, {4, 5}, "NEW");
    ModalScript script;
    script.ThenAnswer(TModalResult::Ok);
    sheet->NextBtnClick();
    TFileFaults::Clear();
    EXPECT_EQ(script.Messages(), QStringList{QString::fromLatin1(c.Message)});
    EXPECT_EQ(sheet->ApplicantID(), 3);
    EXPECT_EQ(Shown(*sheet, 2), 5);
    EXPECT_EQ(sheet->Comments->text(), QStringLiteral("NEW"));
    EXPECT_EQ(ReadFile(RatingFileName), before);
}

INSTANTIATE_TEST_SUITE_P(Failures, RatingFailureTest, ::testing::ValuesIn(FailureCases),
                         [](const auto& test) { return std::string(test.param.Name); });

} // namespace
} // namespace korvane
