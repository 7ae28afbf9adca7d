#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "data/DataBase.h"
#include "data/FileNames.h"
#include "exchange/StatusForm.h"
#include "exchange/UpdateForm.h"
#include "tests/exchange/PositionDiskTestSupport.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempWorkDir.h"

// The windows a test leaves open fail it (tests/support/TestMain.cpp), so every test here also
// shows that the progress window is closed however the import ends.

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::Child;
using test::ModalScript;

const std::string Title = "Budget Analyst";

std::string ListText(const std::vector<std::string>& Lines) {
    std::string text;
    for (const auto& line : Lines) {
        text += line + "\r\n";
    }
    return text;
}

TDataRecord Applicant(std::int32_t ID, const std::string& Name, double Veteran,
                      std::int32_t Status = 0, char Mark = ' ') {
    return {ID, Name, Mark, Veteran, Status};
}

// The progress lines "Applicants Loaded: 1" to Count, under the window's own caption.
QStringList Loaded(int Count) {
    QStringList counts;
    for (int i = 1; i <= Count; ++i) {
        counts << QStringLiteral("StatusForm|Applicants Loaded: ") + QString::number(i);
    }
    return counts;
}

class UpdateTest : public test::TempWorkDirTest {
protected:
    void SetUp() override {
        TempWorkDirTest::SetUp();
        Disk_.emplace(WorkDir() / "stick", Title);
        WriteFile(PositionFileName, Title + "\r\n");
        TDataBase file(ApplicantFileName);
        bool added = false;
        for (auto rec :
             {Applicant(17, "SMYTHE, JON", 0.0, 2), Applicant(4, "TEMP, TOM", 1.0, 0, '*'),
              Applicant(8, "UNLISTED", 0.0, 1)}) {
            file.Insert(rec, added);
        }
    }
    void TearDown() override {
        Disk_.reset();
        TempWorkDirTest::TearDown();
    }
    const test::TPositionDisk& Disk() const { return *Disk_; }

    static void Activate(TMainForm& Main) {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&Main, &activate);
    }
    static QStringList Counts(const test::TProgressRecorder& Recorder) {
        return Recorder.Painted().filter(QStringLiteral("Loaded"));
    }

    // The example line (ID 17 right-aligned, code 2), a name in small letters, one over 40
    // characters, blank lines; 17 stays eliminated, the "*" applicant 4 becomes official, 8 not
    // on the list stays as it was.
    const std::string GoodList = ListText({"        172SMITH, JOHN", "", "         4 temple, tom",
                                           "", "        311" + std::string(45, 'q')});
    const std::vector<TDataRecord> GoodResult = {
        Applicant(31, std::string(40, 'Q'), 1.0), Applicant(17, "SMITH, JOHN", 2.0, 2),
        Applicant(4, "TEMPLE, TOM", 0.0), Applicant(8, "UNLISTED", 0.0, 1)};

private:
    std::optional<test::TPositionDisk> Disk_;
};

TEST_F(UpdateTest, TheMenuCommandImportsTheDisksListAndDeletesIt) {
    Disk().Put("App.Ext", GoodList);
    TMainForm main({QStringLiteral("korvane")});
    ModalScript script;
    script.Then([&](QWidget* screen) {
        EXPECT_EQ(screen->parentWidget(), &main);
        Child<QPushButton>(screen, "UpdateBtn")->click();
    });
    script.ThenAnswer(TModalResult::Ok);
    test::TProgressRecorder recorder;
    main.Update1->trigger();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(script.Messages(), QStringList{QStringLiteral("Korvane Updated")});
    EXPECT_EQ(script.MessageKinds(), QList<TMessageKind>{TMessageKind::Information});
    EXPECT_EQ(Counts(recorder), Loaded(3));
    EXPECT_EQ(test::ReadRecords(ApplicantFileName), GoodResult);
    EXPECT_EQ(Disk().Names(), (std::set<std::string>{"Disk2.id", "kvn.dat"}));
    EXPECT_EQ(ReadFile(Disk() / "kvn.dat"), Title + "\r\n");
}

struct TUpdateCase {
    const char* Name;
    bool Inserted;
    std::string DiskTitle;
    std::optional<std::string> List; // App.Ext on the disk
    QStringList Boxes;
    std::vector<TModalResult> Answers;
    int Counted; // progress counts shown, and applicants added (IDs 11, 22, ...)
};

class UpdateFlowTest : public UpdateTest, public ::testing::WithParamInterface<TUpdateCase> {};

TEST_P(UpdateFlowTest, ChangesOnlyWhatItRead) {
    const TUpdateCase& c = GetParam();
    if (!c.Inserted) {
        fs::remove(Disk() / "Disk2.id");
    }
    Disk().Put("kvn.dat", c.DiskTitle + "\r\n");
    if (c.List) {
        Disk().Put("App.Ext", *c.List);
    }
    auto expected = test::ReadRecords(ApplicantFileName);
    for (int i = 1; i <= c.Counted; ++i) {
        expected.push_back(Applicant(11 * i, i == 1 ? "ONE" : "TWO", 0.0));
    }
    ModalScript script;
    script.Then([](QWidget* screen) { Child<QPushButton>(screen, "UpdateBtn")->click(); });
    for (TModalResult answer : c.Answers) {
        script.ThenAnswer(answer);
    }
    test::TProgressRecorder recorder;
    TUpdateForm screen(nullptr);
    ShowModal(screen);
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(script.Messages(), c.Boxes);
    EXPECT_EQ(Counts(recorder), Loaded(c.Counted));
    auto stored = test::ReadRecords(ApplicantFileName);
    const auto byId = [](const TDataRecord& a, const TDataRecord& b) { return a.ID < b.ID; };
    std::sort(stored.begin(), stored.end(), byId);
    std::sort(expected.begin(), expected.end(), byId);
    EXPECT_EQ(stored, expected);
    if (c.List) {
        EXPECT_EQ(ReadFile(Disk() / "App.Ext"), *c.List) << "the list stays as it was";
    }
}

const std::string BadInTheMiddle =
    ListText({"        11 ONE", "", "        22 TWO", "       1X2BAD", "        33 THREE"});

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateFlowTest,
    ::testing::Values(
        TUpdateCase{
            "DiskNotInserted",
            false,
            Title,
            BadInTheMiddle,
            {QStringLiteral("Please Insert Disk #2"), QStringLiteral("Korvane Not Updated.")},
            {TModalResult::Cancel, TModalResult::Ok},
            0},
        TUpdateCase{"PositionDeclined",
                    true,
                    "Clerk",
                    BadInTheMiddle,
                    {QStringLiteral("Error, Positions Do Not Match:\n\nPosition on Disk: "
                                    "Clerk\nPosition on This Computer: Budget Analyst\n\n"
                                    "Proceed Anyway?")},
                    {TModalResult::No},
                    0},
        TUpdateCase{"NoList",
                    true,
                    Title,
                    std::nullopt,
                    {QStringLiteral("Update File Not Found")},
                    {TModalResult::Ok},
                    0},
        TUpdateCase{"BadIdentifierInTheMiddle",
                    true,
                    Title,
                    BadInTheMiddle,
                    {QStringLiteral("Error: Line 4 Of The Update File Has No Valid Applicant "
                                    "ID: \"1X2\"\n\nApplicants Loaded: 2")},
                    {TModalResult::Ok},
                    2}),
    [](const auto& test) { return std::string(test.param.Name); });

// Cancel in the progress window stops the import after the applicant being stored: those
// stored stay, the list stays for another time, and no other window takes a click meanwhile.
TEST_F(UpdateTest, CancelKeepsTheApplicantsLoadedSoFar) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 50; ++i) {
        lines.push_back("        " + std::to_string(10 + i) + " NAME " + std::to_string(i));
    }
    const std::string list = ListText(lines);
    WriteFile(ApplicantListFileName, list);
    const auto before = test::ReadRecords(ApplicantFileName);
    TUpdateForm screen(nullptr);
    screen.show();
    int otherClicks = 0;
    QObject::connect(screen.BitBtn1, &QPushButton::pressed, [&] { ++otherClicks; });
    // Runs as soon as the progress window handles its events, that is when it first shows.
    QTimer::singleShot(0, &screen, [&] {
        QTest::mouseClick(screen.BitBtn1, Qt::LeftButton);
        auto* progress = screen.findChild<TStatusForm*>();
        ASSERT_NE(progress, nullptr);
        QTest::mouseClick(progress->CancelBtn, Qt::LeftButton);
    });
    const TImportResult result = screen.ImportApplicants(ApplicantListFileName);
    screen.hide();
    EXPECT_EQ(result.Reason, TImportOutcome::Canceled);
    EXPECT_EQ(result.Loaded, 1);
    EXPECT_EQ(otherClicks, 0);
    auto expected = before;
    expected.insert(expected.begin(), Applicant(11, "NAME 1", 0.0));
    EXPECT_EQ(test::ReadRecords(ApplicantFileName), expected);
    EXPECT_EQ(ReadFile(ApplicantListFileName), list);
}

TEST_F(UpdateTest, ActivationImportsAListInTheWorkingDirectory) {
    WriteFile(ApplicantListFileName, GoodList);
    TMainForm main({QStringLiteral("korvane")});
    ModalScript script;
    script.ThenAnswer(TModalResult::Ok); // only if a box wrongly appears
    test::TProgressRecorder recorder;
    Activate(main);
    Activate(main);
    EXPECT_EQ(script.Pending(), 1) << script.Messages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Counts(recorder), Loaded(3));
    EXPECT_EQ(test::ReadRecords(ApplicantFileName), GoodResult);
    EXPECT_FALSE(fs::exists(ApplicantListFileName));
}

TEST_F(UpdateTest, AFailedListIsReportedOnceUntilItChanges) {
    const std::string bad = ListText({"        11 ONE", "ELEVEN    1BAD"});
    WriteFile(ApplicantListFileName, bad);
    TMainForm main({QStringLiteral("korvane")});
    ModalScript script;
    script.Then([&](QWidget* box) {
        // The window becomes active again while and after the box closes.
        Activate(main);
        ModalScript::PressMessageButton(box, TModalResult::Ok);
    });
    script.ThenAnswer(TModalResult::Ok); // only if the box comes again
    Activate(main);
    Activate(main);
    EXPECT_EQ(script.Pending(), 1);
    EXPECT_EQ(ReadFile(ApplicantListFileName), bad);
    EXPECT_EQ(test::ReadRecords(ApplicantFileName).size(), 4U) << "line 1 stays stored";

    WriteFile(ApplicantListFileName, ListText({"        11 ONE", "        12 TWELVE"}));
    Activate(main);
    EXPECT_EQ(script.Pending(), 1);
    EXPECT_FALSE(fs::exists(ApplicantListFileName));
    EXPECT_EQ(test::ReadRecords(ApplicantFileName).size(), 5U);
}

} // namespace
} // namespace korvane
