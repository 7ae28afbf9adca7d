#include <QAction>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "data/FileNames.h"
#include "exchange/ExportForm.h"
#include "exchange/PositionDisk.h"
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
const QString NoDisk = QStringLiteral("Please Insert Disk #2");
const QString NotFound = QStringLiteral("Error: Position File Not Found On This Disk");
const QString Completed = QStringLiteral("Export Compleated!");
// The offer for a disk without Disk2.id, with the disk's folder written as STICK.
const QString Offer = QStringLiteral(
    "There Is No Position Disk In Drive E: (STICK).\n\nMake It The Position Disk For Budget "
    "Analyst?");

QString Mismatch(const QString& ShownTitle) {
    return QStringLiteral("Error, Positions Do Not Match:\n\nPosition on Disk: ") + ShownTitle +
           QStringLiteral("\nPosition on This Computer: Budget Analyst\n\nProceed Anyway?");
}

// The exported files in table order.
const std::vector<std::string> DataFiles = {
    PositionFileName,        CommitteeFileName, ApplicantFileName, SampleRequiredFileName,
    SamplePreferredFileName, RequiredFileName,  PreferredFileName, RatingFileName};

// Answers written as letters: O(k), C(ancel), Y(es), N(o).
std::vector<TModalResult> Answers(const std::string& Letters) {
    std::vector<TModalResult> answers;
    for (char letter : Letters) {
        answers.push_back(letter == 'O'   ? TModalResult::Ok
                          : letter == 'C' ? TModalResult::Cancel
                          : letter == 'Y' ? TModalResult::Yes
                                          : TModalResult::No);
    }
    return answers;
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

private:
    std::optional<test::TPositionDisk> Disk_;
};

TEST_F(ExportTest, DriveListInLetterOrderAndExportOnlyWithADrive) {
    const std::string floppy = (WorkDir() / "Fl\xC3\xB6ppy").string(); // a UTF-8 folder name
    SetEnvironmentValue("KORVANE_DRIVES", "E=" + (WorkDir() / "stick").string() + ";A=" + floppy);
    TExportForm two(nullptr);
    ASSERT_EQ(two.ListBox1->count(), 2);
    EXPECT_EQ(two.ListBox1->item(0)->text().toStdString(), "Drive A: Removable (" + floppy + ")");
    EXPECT_EQ(two.ListBox1->item(1)->text().toStdString(),
              "Drive E: Removable (" + (WorkDir() / "stick").string() + ")");
    EXPECT_EQ(SelectedDriveLetter(two.ListBox1), 'A');
    EXPECT_TRUE(two.ExportBtn->isEnabled());
    SetEnvironmentValue("KORVANE_DRIVES", "");
    TExportForm none(nullptr);
    EXPECT_EQ(none.ListBox1->count(), 0);
    EXPECT_FALSE(none.ExportBtn->isEnabled());
}

// The prompt comes again after every OK until the marker is there; Cancel gives up. A letter
// that names no drive (an empty root) never finds the working directory's own marker.
TEST_F(ExportTest, WaitForDiskPromptsUntilTheMarkerIsThereOrCancel) {
    WriteFile("Disk2.id", "");
    struct {
        bool Present;
        std::string Root;
        std::string Answers;
        std::size_t InsertedAt; // the disk goes in at this prompt (0: never)
        bool Expected;
    } const cases[] = {{true, "stick/", "", 0, true},
                       {false, "stick/", "OOO", 3, true},
                       {false, "stick/", "OC", 0, false},
                       {true, "", "OC", 0, false}};
    for (const auto& c : cases) {
        if (!c.Present) {
            fs::remove(Disk() / "Disk2.id");
        }
        ModalScript script;
        QStringList prompts;
        const auto answers = Answers(c.Answers);
        for (std::size_t i = 0; i < answers.size(); ++i) {
            script.Then([&, i](QWidget* box) {
                prompts << qobject_cast<QMessageBox*>(box)->text();
                if (i + 1 == c.InsertedAt) {
                    Disk().Put("Disk2.id", "");
                }
                ModalScript::PressMessageButton(box, answers[i]);
            });
        }
        EXPECT_EQ(WaitForDisk(2, c.Root), c.Expected) << c.Answers;
        EXPECT_EQ(script.Pending(), 0);
        EXPECT_EQ(prompts, QStringList(answers.size(), NoDisk));
    }
}

struct TPositionCase {
    const char* Name;
    std::optional<std::string> DiskFile; // kvn.dat on the disk
    char Letter;
    char Answer; // to the mismatch question
    QStringList Messages;
    bool Expected;
};

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
        script.ThenAnswer(Answers(message == NotFound ? "O" : std::string(1, c.Answer))[0]);
    }
    EXPECT_EQ(CheckDiskPosition(c.Letter), c.Expected);
    EXPECT_EQ(script.Pending(), 0);
    QStringList messages = script.Messages();
    messages.replaceInStrings(QRegularExpression(QStringLiteral("x+\u2026")),
                              QStringLiteral("x\u2026"));
    EXPECT_EQ(messages, c.Messages);
    EXPECT_EQ(script.MessageKinds(), QList<TMessageKind>(c.Messages.size(), TMessageKind::Error));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckDiskPositionTest,
    ::testing::Values(
        TPositionCase{"Equal", Title + "\r\nmore\r\n", 'E', 'N', {}, true},
        TPositionCase{"CaseDiffersNo",
                      "BUDGET ANALYST",
                      'e',
                      'N',
                      {Mismatch(QStringLiteral("BUDGET ANALYST"))},
                      false},
        TPositionCase{"CaseDiffersYes",
                      "Budget analyst",
                      'E',
                      'Y',
                      {Mismatch(QStringLiteral("Budget analyst"))},
                      true},
        TPositionCase{"ExtendsTheTitleNo",
                      Title + " II",
                      'E',
                      'N',
                      {Mismatch(QString::fromStdString(Title + " II"))},
                      false},
        TPositionCase{"MissingYes", std::nullopt, 'E', 'Y', {NotFound, Mismatch({})}, true},
        TPositionCase{"NoSuchDrive", Title, 'Q', 'N', {NotFound, Mismatch({})}, false},
        TPositionCase{"LongTitleElided",
                      std::string(300, 'x'),
                      'E',
                      'N',
                      {Mismatch(QStringLiteral("x\u2026"))}, // elided; the run of x folded
                      false}),
    [](const auto& test) { return std::string(test.param.Name); });

// One export from the screen: the disk, the files at home, the boxes in order with the answers,
// the result, and the files copied; every other file keeps what the disk had.
struct TExportCase {
    const char* Name;
    std::optional<std::string> DiskTitle; // nullopt: no kvn.dat on the disk
    bool Inserted;                        // Disk2.id on the disk
    std::vector<std::string> Missing;     // data files not in the working directory
    std::int64_t WriteLimit;              // 0: none
    QStringList Boxes;
    std::string Answers;
    TModalResult Result;
    std::vector<std::string> Copied;
    std::vector<std::string> Present = {}; // files of the position beyond the data files
};

const QString CouldNotCopy = QStringLiteral("The Following Files Could Not Be Copied:\n\n");

class ExportFlowTest : public ExportTest, public ::testing::WithParamInterface<TExportCase> {};

TEST_P(ExportFlowTest, CopiesWhatItMayAndClosesWithItsResult) {
    const TExportCase& c = GetParam();
    for (const auto& name : DataFiles) {
        if (name != PositionFileName) {
            Disk().Put(name, "older " + name);
        }
        // Record files larger than kvn.dat, so that a small write limit fails only them.
        WriteFile(name, name == PositionFileName ? Title + "\r\nmore\r\n" : std::string(200, 'r'));
    }
    for (const auto& name : c.Missing) {
        fs::remove(name);
    }
    for (const auto& name : c.Present) {
        WriteFile(name, "3,1,R,SISTER\r\n");
    }
    WriteFile(SupportFileName, "HIGHLIGHTON=1\r\n");
    fs::remove(Disk() / "kvn.dat");
    if (c.DiskTitle) {
        Disk().Put("kvn.dat", *c.DiskTitle + "\r\n");
    }
    if (!c.Inserted) {
        fs::remove(Disk() / "Disk2.id");
    }
    std::map<std::string, std::string> before;
    for (const auto& name : Disk().Names()) {
        before[name] = ReadFile(Disk() / name);
    }
    if (c.WriteLimit > 0) {
        TFileFaults::LimitWrites(c.WriteLimit);
    }

    ModalScript script;
    script.Then([](QWidget* screen) { Child<QPushButton>(screen, "ExportBtn")->click(); });
    for (TModalResult answer : Answers(c.Answers)) {
        script.ThenAnswer(answer);
    }
    TExportForm screen(nullptr);
    EXPECT_EQ(ShowModal(screen), c.Result);
    EXPECT_EQ(script.Pending(), 0);
    QStringList boxes = script.Messages();
    boxes.replaceInStrings(QString::fromStdString(Disk().Path().string()), QStringLiteral("STICK"));
    EXPECT_EQ(boxes, c.Boxes);

    std::set<std::string> names;
    for (const auto& [name, bytes] : before) {
        names.insert(name);
        EXPECT_TRUE(std::count(c.Copied.begin(), c.Copied.end(), name) != 0 ||
                    ReadFile(Disk() / name) == bytes)
            << name << " keeps its older copy";
    }
    for (const auto& name : c.Copied) {
        EXPECT_EQ(ReadFile(Disk() / name), ReadFile(name)) << name;
        names.insert(name);
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
                    0,
                    {InsertPrompt, Completed},
                    "OO",
                    TModalResult::Ok,
                    DataFiles},
        TExportCase{"MissingOptionalFileSkipped",
                    Title,
                    true,
                    {RatingFileName},
                    0,
                    {InsertPrompt, Completed},
                    "OO",
                    TModalResult::Ok,
                    {DataFiles.begin(), DataFiles.end() - 1}},
        TExportCase{"RecusalsCarriedWhenThere",
                    Title,
                    true,
                    {},
                    0,
                    {InsertPrompt, Completed},
                    "OO",
                    TModalResult::Ok,
                    [] {
                        std::vector<std::string> files = DataFiles;
                        files.push_back(RecusalFileName);
                        return files;
                    }(),
                    {RecusalFileName}},
        // A full disk: every file that does not fit is listed in table order and keeps its older
        // copy; a missing kvn.dat always fails; a missing data file is not listed.
        TExportCase{
            "FailuresListedInTableOrder",
            Title,
            true,
            {PositionFileName, SamplePreferredFileName},
            100,
            {InsertPrompt, CouldNotCopy + QStringLiteral("Setup File\nCommittee List\nApplicant "
                                                         "List\nSample Required List\nSelected "
                                                         "Required List\nSelected Preferred "
                                                         "List\nRating Data\n")},
            "OO",
            TModalResult::No,
            {}},
        TExportCase{"OtherPositionAnsweredYes",
                    "Clerk Typist",
                    true,
                    {},
                    0,
                    {InsertPrompt, Mismatch(QStringLiteral("Clerk Typist")), Completed},
                    "OYO",
                    TModalResult::Ok,
                    DataFiles},
        TExportCase{"NoDiskThenNo",
                    std::nullopt,
                    false,
                    {},
                    0,
                    {InsertPrompt, Offer, NoDisk, NotFound, Mismatch({})},
                    "ONCON",
                    TModalResult::No,
                    {}},
        TExportCase{"NoDiskYesThenCancel",
                    std::nullopt,
                    false,
                    {},
                    0,
                    {InsertPrompt, Offer, NoDisk, NotFound, Mismatch({}), NoDisk,
                     QStringLiteral("Disk #2 Not Inserted")},
                    "ONCOYCO",
                    TModalResult::No,
                    {}},
        // A blank stick becomes the position disk: the marker (empty, like the working
        // directory's missing one) and every file are written.
        TExportCase{"BlankStickMadeAPositionDisk",
                    std::nullopt,
                    false,
                    {},
                    0,
                    {InsertPrompt, Offer, Completed},
                    "OYO",
                    TModalResult::Ok,
                    {PositionFileName, "Disk2.id", CommitteeFileName, ApplicantFileName,
                     SampleRequiredFileName, SamplePreferredFileName, RequiredFileName,
                     PreferredFileName, RatingFileName}}),
    [](const auto& test) { return std::string(test.param.Name); });

TEST_F(ExportTest, TheMenuCommandShowsEveryFileInTheProgressWindow) {
    for (const auto& name : DataFiles) {
        WriteFile(name, name == PositionFileName ? Title : name);
    }
    TMainForm main({QStringLiteral("korvane")});
    ModalScript script;
    script.Then([&](QWidget* screen) {
        EXPECT_EQ(screen->parentWidget(), &main);
        Child<QPushButton>(screen, "ExportBtn")->click();
    });
    script.ThenAnswer(TModalResult::Ok).ThenAnswer(TModalResult::Ok);
    test::TProgressRecorder recorder;
    main.Export1->trigger();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(script.Messages().last(), Completed);
    QStringList expected;
    for (const auto& name : DataFiles) {
        expected << QStringLiteral("Exporting Data|Exporting File: ") +
                        QString::fromStdString(name);
    }
    // Named like every file of the table; copied only when it is there.
    expected << QStringLiteral("Exporting Data|Exporting File: Recusal.dat");
    EXPECT_EQ(recorder.Painted().filter(QStringLiteral("File:")), expected);
}

TEST_F(ExportTest, CancelAndEscapeLeaveWithCancel) {
    for (bool escape : {false, true}) {
        ModalScript script;
        script.Then([escape](QWidget* screen) {
            if (escape) {
                QTest::keyClick(screen, Qt::Key_Escape);
            } else {
                Child<QPushButton>(screen, "BitBtn1")->click();
            }
        });
        TExportForm screen(nullptr);
        EXPECT_EQ(ShowModal(screen), TModalResult::Cancel);
    }
    EXPECT_EQ(Disk().Names(), (std::set<std::string>{"Disk2.id", "kvn.dat"}));
}

} // namespace
} // namespace korvane
