#include <QAction>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "data/FileNames.h"
#include "exchange/ExportForm.h"
#include "exchange/PositionDisk.h"
#include "exchange/UpdateForm.h"
#include "tests/exchange/PositionDiskTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::Child;
using test::ModalScript;

const std::string Title = "Budget Analyst";
const QString InsertPrompt =
    QStringLiteral("Please Insert Disk #2 For Position Budget Analyst. In Drive E:");

// The exported files in table order, each with contents of its own.
const std::vector<std::string> DataFiles = {
    PositionFileName,        CommitteeFileName, ApplicantFileName, SampleRequiredFileName,
    SamplePreferredFileName, RequiredFileName,  PreferredFileName, RatingFileName};

std::string Contents(const std::string& Name, std::size_t Size) {
    std::string bytes = Name == PositionFileName ? Title + "\r\nsecond line\r\n" : Name;
    bytes.resize(std::max(bytes.size(), Size), '\x7f');
    return bytes;
}

class ExportTest : public test::TempWorkDirTest {
protected:
    void SetUp() override {
        TempWorkDirTest::SetUp();
        Disk_.emplace(WorkDir() / "stick", Title);
    }
    void TearDown() override {
        Disk_.reset();
        TempWorkDirTest::TearDown();
    }

    const test::TPositionDisk& Disk() const { return *Disk_; }

    // Opens the export screen, presses Export, answers the boxes; the screen's result.
    TModalResult Export(ModalScript& script, const std::vector<TModalResult>& answers) {
        script.Then([](QWidget* screen) { Child<QPushButton>(screen, "ExportBtn")->click(); });
        for (TModalResult answer : answers) {
            script.ThenAnswer(answer);
        }
        TExportForm screen(nullptr);
        return ShowModal(screen);
    }

private:
    std::optional<test::TPositionDisk> Disk_;
};

TEST_F(ExportTest, DriveListInLetterOrderAndButtonOnlyWithADrive) {
    SetEnvironmentValue("KORVANE_DRIVES", "E=" + (WorkDir() / "stick").string() +
                                              ";A=" + (WorkDir() / "floppy").string());
    for (int screenKind = 0; screenKind < 2; ++screenKind) {
        std::unique_ptr<QDialog> screen;
        if (screenKind == 0) {
            screen = std::make_unique<TExportForm>(nullptr);
        } else {
            screen = std::make_unique<TUpdateForm>(nullptr);
        }
        auto* list = Child<QListWidget>(screen.get(), "ListBox1");
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(0)->text().toStdString(), "Drive A: Removable");
        EXPECT_EQ(list->item(1)->text().toStdString(), "Drive E: Removable");
        EXPECT_EQ(SelectedDriveLetter(list), 'A');
        EXPECT_TRUE(Child<QPushButton>(screen.get(), screenKind == 0 ? "ExportBtn" : "UpdateBtn")
                        ->isEnabled());
    }
    SetEnvironmentValue("KORVANE_DRIVES", "");
    TExportForm none(nullptr);
    EXPECT_EQ(none.ListBox1->count(), 0);
    EXPECT_FALSE(none.ExportBtn->isEnabled());
    TUpdateForm noUpdate(nullptr);
    EXPECT_FALSE(noUpdate.UpdateBtn->isEnabled());
}

struct TWaitCase {
    const char* Name;
    bool Present;                      // Disk2.id there from the start
    bool NoDrive;                      // the letter names no drive: an empty root
    std::vector<TModalResult> Answers; // to the prompts, in order
    int InsertedAt;                    // the disk goes in at this prompt (0: never)
    bool Expected;
};

class WaitForDiskTest : public ExportTest, public ::testing::WithParamInterface<TWaitCase> {};

TEST_P(WaitForDiskTest, PromptsUntilTheMarkerIsThereOrCancel) {
    const TWaitCase& c = GetParam();
    if (!c.Present) {
        fs::remove(Disk() / "Disk2.id");
    }
    // The working directory's own marker must never stand in for a missing drive.
    WriteFile("Disk2.id", "");
    ModalScript script;
    QStringList prompts;
    for (std::size_t i = 0; i < c.Answers.size(); ++i) {
        script.Then([&, i](QWidget* box) {
            prompts << qobject_cast<QMessageBox*>(box)->text();
            if (static_cast<int>(i) + 1 == c.InsertedAt) {
                Disk().Put("Disk2.id", "");
            }
            ModalScript::PressMessageButton(box, c.Answers[i]);
        });
    }
    const std::string root = c.NoDrive ? std::string() : (WorkDir() / "stick/").string();
    EXPECT_EQ(WaitForDisk(2, root), c.Expected);
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(prompts, QStringList(c.Answers.size(), QStringLiteral("Please Insert Disk #2")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WaitForDiskTest,
    ::testing::Values(
        TWaitCase{"Present", true, false, {}, 0, true},
        TWaitCase{"InsertedAtTheThirdPrompt",
                  false,
                  false,
                  {TModalResult::Ok, TModalResult::Ok, TModalResult::Ok},
                  3,
                  true},
        TWaitCase{"OkThenCancel", false, false, {TModalResult::Ok, TModalResult::Cancel}, 0, false},
        TWaitCase{"NoDrive", true, true, {TModalResult::Ok, TModalResult::Cancel}, 0, false}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TPositionCase {
    const char* Name;
    std::optional<std::string> DiskFile; // kvn.dat on the disk; nullopt: none
    char Letter;
    TModalResult Answer; // to the mismatch question
    QStringList Messages;
    bool Expected;
};

QString Mismatch(const QString& ShownTitle) {
    return QStringLiteral("Error, Positions Do Not Match:\n\nPosition on Disk: ") + ShownTitle +
           QStringLiteral("\n\nProceed Anyway?");
}

const QString NotFound = QStringLiteral("Error: Position File Not Found On This Disk");

class CheckDiskPositionTest : public ExportTest,
                              public ::testing::WithParamInterface<TPositionCase> {};

TEST_P(CheckDiskPositionTest, AsksOnlyWhenTheTitlesDiffer) {
    const TPositionCase& c = GetParam();
    fs::remove(Disk() / "kvn.dat");
    if (c.DiskFile) {
        Disk().Put("kvn.dat", *c.DiskFile);
    }
    WriteFile("kvn.dat", Title + "\r\n"); // never read in place of the disk's
    ModalScript script;
    for (const QString& message : c.Messages) {
        script.ThenAnswer(message == NotFound ? TModalResult::Ok : c.Answer);
    }
    EXPECT_EQ(CheckDiskPosition(c.Letter), c.Expected);
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(script.Messages(), c.Messages);
    EXPECT_EQ(script.MessageKinds(), QList<TMessageKind>(c.Messages.size(), TMessageKind::Error));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckDiskPositionTest,
    ::testing::Values(
        TPositionCase{"Equal", Title + "\r\nanything\r\n", 'E', TModalResult::No, {}, true},
        TPositionCase{"CaseDiffersNo",
                      "BUDGET ANALYST\r\n",
                      'e',
                      TModalResult::No,
                      {Mismatch(QStringLiteral("BUDGET ANALYST"))},
                      false},
        TPositionCase{"CaseDiffersYes",
                      "Budget analyst",
                      'E',
                      TModalResult::Yes,
                      {Mismatch(QStringLiteral("Budget analyst"))},
                      true},
        TPositionCase{
            "MissingYes", std::nullopt, 'E', TModalResult::Yes, {NotFound, Mismatch({})}, true},
        TPositionCase{"NoSuchDrive", Title, 'Q', TModalResult::No, {NotFound, Mismatch({})}, false},
        TPositionCase{"LongTitleCut",
                      std::string(300, 'x'),
                      'E',
                      TModalResult::No,
                      {Mismatch(QString(188, QLatin1Char('x')) + QStringLiteral("..."))},
                      false}),
    [](const auto& info) { return std::string(info.param.Name); });

// One export from the screen: what the working directory and the disk hold, the boxes with their
// answers, the result, and which files end up copied (every other file keeps what the disk had).
struct TExportCase {
    const char* Name;
    std::optional<std::string> DiskTitle; // kvn.dat on the disk; nullopt: none
    bool DiskInserted;                    // Disk2.id on the disk
    std::set<std::string> Missing;        // data files not in the working directory
    std::optional<std::int64_t> WriteLimit;
    std::vector<std::pair<QString, TModalResult>> Boxes;
    TModalResult Result;
    std::set<std::string> Copied;
};

const QString Completed = QStringLiteral("Export Compleated!");
const QString NoDisk = QStringLiteral("Please Insert Disk #2");
const std::set<std::string> AllFiles(DataFiles.begin(), DataFiles.end());

std::set<std::string> AllBut(std::initializer_list<std::string> Names) {
    std::set<std::string> names = AllFiles;
    for (const auto& name : Names) {
        names.erase(name);
    }
    return names;
}

class ExportFlowTest : public ExportTest, public ::testing::WithParamInterface<TExportCase> {};

TEST_P(ExportFlowTest, CopiesWhatItMayAndClosesWithItsResult) {
    const TExportCase& c = GetParam();
    // Older copies of every data file on the disk, the settings file at home.
    std::map<std::string, std::string> before;
    for (const auto& name : DataFiles) {
        if (name != PositionFileName) {
            Disk().Put(name, "older " + name);
        }
        if (c.Missing.count(name) == 0) {
            WriteFile(name, Contents(name, name == PositionFileName ? 0 : 200));
        }
    }
    WriteFile(SupportFileName, "HIGHLIGHTON=1\r\n");
    fs::remove(Disk() / "kvn.dat");
    if (c.DiskTitle) {
        Disk().Put("kvn.dat", *c.DiskTitle + "\r\n");
    }
    if (!c.DiskInserted) {
        fs::remove(Disk() / "Disk2.id");
    }
    for (const auto& name : Disk().Names()) {
        before[name] = ReadFile(Disk() / name);
    }
    SetReplaceWriteLimit(c.WriteLimit);

    ModalScript script;
    std::vector<TModalResult> answers;
    QStringList expected;
    for (const auto& [text, answer] : c.Boxes) {
        expected << text;
        answers.push_back(answer);
    }
    EXPECT_EQ(Export(script, answers), c.Result);
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(script.Messages(), expected);

    std::set<std::string> names;
    for (const auto& [name, bytes] : before) {
        names.insert(name);
    }
    for (const auto& name : DataFiles) {
        if (c.Copied.count(name) != 0) {
            EXPECT_EQ(ReadFile(Disk() / name), ReadFile(name)) << name;
            names.insert(name);
        } else if (before.count(name) != 0) {
            EXPECT_EQ(ReadFile(Disk() / name), before[name]) << name << " keeps its older copy";
        }
    }
    EXPECT_EQ(Disk().Names(), names) << "nothing else on the disk, no temporary file";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportFlowTest,
    ::testing::Values(
        TExportCase{"AllEightReplaced",
                    Title,
                    true,
                    {},
                    std::nullopt,
                    {{InsertPrompt, TModalResult::Ok}, {Completed, TModalResult::Ok}},
                    TModalResult::Ok,
                    AllFiles},
        TExportCase{"MissingOptionalFilesSkipped",
                    Title,
                    true,
                    {RatingFileName, RequiredFileName},
                    std::nullopt,
                    {{InsertPrompt, TModalResult::Ok}, {Completed, TModalResult::Ok}},
                    TModalResult::Ok,
                    AllBut({RatingFileName, RequiredFileName})},
        TExportCase{"MissingPositionFileFails",
                    Title,
                    true,
                    {PositionFileName},
                    std::nullopt,
                    {{InsertPrompt, TModalResult::Ok},
                     {QStringLiteral("The Following Files Could Not Be Copied:\n\nSetup File\n"),
                      TModalResult::Ok}},
                    TModalResult::No,
                    AllBut({PositionFileName})},
        TExportCase{"FullDiskListsTheFailuresInTableOrder",
                    Title,
                    true,
                    {SamplePreferredFileName},
                    100,
                    {{InsertPrompt, TModalResult::Ok},
                     {QStringLiteral("The Following Files Could Not Be Copied:\n\nCommittee "
                                     "List\nApplicant List\nSample Required List\nSelected "
                                     "Required List\nSelected Preferred List\nRating Data\n"),
                      TModalResult::Ok}},
                    TModalResult::No,
                    {PositionFileName}},
        TExportCase{"OtherPositionAnsweredYes",
                    "Clerk Typist",
                    true,
                    {},
                    std::nullopt,
                    {{InsertPrompt, TModalResult::Ok},
                     {Mismatch(QStringLiteral("Clerk Typist")), TModalResult::Yes},
                     {Completed, TModalResult::Ok}},
                    TModalResult::Ok,
                    AllFiles},
        TExportCase{"NoDiskThenNo",
                    std::nullopt,
                    false,
                    {},
                    std::nullopt,
                    {{InsertPrompt, TModalResult::Ok},
                     {NoDisk, TModalResult::Cancel},
                     {NotFound, TModalResult::Ok},
                     {Mismatch({}), TModalResult::No}},
                    TModalResult::No,
                    {}},
        TExportCase{"NoDiskYesThenCancel",
                    std::nullopt,
                    false,
                    {},
                    std::nullopt,
                    {{InsertPrompt, TModalResult::Ok},
                     {NoDisk, TModalResult::Cancel},
                     {NotFound, TModalResult::Ok},
                     {Mismatch({}), TModalResult::Yes},
                     {NoDisk, TModalResult::Cancel},
                     {QStringLiteral("Disk #2 Not Inserted"), TModalResult::Ok}},
                    TModalResult::No,
                    {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ExportTest, TheMenuCommandShowsEveryFileInTheProgressWindow) {
    for (const auto& name : DataFiles) {
        WriteFile(name, Contents(name, 64));
    }
    TMainForm main({QStringLiteral("korvane")});
    ASSERT_TRUE(main.Export1->isEnabled());
    ModalScript script;
    TModalResult closed = TModalResult::None;
    script.Then([&](QWidget* screen) {
        EXPECT_EQ(screen->parentWidget(), &main);
        EXPECT_EQ(screen->windowTitle().toStdString(), "Export");
        Child<QPushButton>(screen, "ExportBtn")->click();
        closed = static_cast<TModalResult>(qobject_cast<QDialog*>(screen)->result());
    });
    script.ThenAnswer(TModalResult::Ok).ThenAnswer(TModalResult::Ok);
    test::TProgressRecorder recorder;
    main.Export1->trigger();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(closed, TModalResult::Ok);
    QStringList files;
    for (const QString& painted : recorder.Painted()) {
        if (painted.contains(QStringLiteral("File:"))) {
            files << painted;
        }
    }
    QStringList expected;
    for (const auto& name : DataFiles) {
        expected << QStringLiteral("Exporting Data|Exporting File: ") +
                        QString::fromStdString(name);
    }
    EXPECT_EQ(files, expected);
}

TEST_F(ExportTest, CancelAndEscapeLeaveWithCancel) {
    for (const auto& leave : std::vector<std::function<void(QWidget*)>>{
             [](QWidget* screen) { Child<QPushButton>(screen, "BitBtn1")->click(); },
             [](QWidget* screen) { QTest::keyClick(screen, Qt::Key_Escape); }}) {
        ModalScript script;
        script.Then(leave);
        TExportForm screen(nullptr);
        EXPECT_EQ(ShowModal(screen), TModalResult::Cancel);
        EXPECT_EQ(script.Pending(), 0);
    }
    EXPECT_EQ(Disk().Names(), (std::set<std::string>{"Disk2.id", "kvn.dat"}));
}

} // namespace
} // namespace korvane
