#include <filesystem>
#include <optional>
#include <random>
#include <vector>

#include "data/ApplicantImport.h"
#include "data/DataBase.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using test::Named;
using test::Scan;

struct TLineCase {
    std::string Line;
    std::optional<TDataRecord> Expected;
    friend void PrintTo(const TLineCase& Case, std::ostream* Out) {
        *Out << ::testing::PrintToString(Case.Line.substr(0, 20));
    }
};

TDataRecord Official(std::int32_t ID, const std::string& Name, double Veteran) {
    TDataRecord rec = Named(ID, Name);
    rec.VeteranPreference = Veteran;
    return rec;
}

class ApplicantLineTest : public ::testing::TestWithParam<TLineCase> {};

TEST_P(ApplicantLineTest, SplitsTheFixedColumns) {
    const auto& param = GetParam();
    const auto rec = ApplicantFromLine(param.Line);
    ASSERT_EQ(rec.has_value(), param.Expected.has_value()) << '"' << param.Line << '"';
    if (rec) {
        EXPECT_EQ(*rec, *param.Expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ApplicantLineTest,
    ::testing::Values(
        TLineCase{"        172SMITH, JOHN", Official(17, "SMITH, JOHN", 2.0)},
        TLineCase{"         51smith, jane q", Official(5, "SMITH, JANE Q", 1.0)},
        TLineCase{"        12xAbc" + std::string(50, 'z'),
                  Official(12, "ABC" + std::string(37, 'Z'), 0.0)},
        TLineCase{"1234567890 Caf\xe9  ", Official(1234567890, "CAF\xc9  ", 0.0)},
        // Every small letter of the code page that has a capital there: M\u00fcller, J\u00f6rg;
        // \u0161\u0153\u017e\u00ff\u00e0\u00fe; \u00df \u00b5 \u00f7 have none.
        TLineCase{"        141M\xfcller, J\xf6rg", Official(14, "M\xdcLLER, J\xd6RG", 1.0)},
        TLineCase{"         9 \x9a\x9c\x9e\xff\xe0\xfe \xdf\xb5\xf7",
                  Official(9, "\x8a\x8c\x8e\x9f\xc0\xde \xdf\xb5\xf7", 0.0)},
        TLineCase{"    42", Official(42, "", 0.0)},
        TLineCase{"2147483647", Official(2147483647, "", 0.0)},
        TLineCase{"          2NO ID", std::nullopt}, TLineCase{"SMITH,JOHN2X", std::nullopt},
        TLineCase{"       +172X", std::nullopt}, TLineCase{"       -172X", std::nullopt},
        TLineCase{"         02X", std::nullopt}, TLineCase{"21474836482X", std::nullopt},
        TLineCase{"       17x2X", std::nullopt}, TLineCase{"     17   2X", std::nullopt},
        TLineCase{"\t       172X", std::nullopt}));

class ApplicantImportTest : public test::TempWorkDirTest {
protected:
    static std::string Lines(const std::vector<std::string>& Lines) {
        std::string text;
        for (const auto& line : Lines) {
            text += line + "\r\n";
        }
        return text;
    }

    TImportResult Import(std::vector<int>* Counts = nullptr) {
        return ImportApplicants("App.Ext", [Counts](int Loaded) {
            if (Counts != nullptr) {
                Counts->push_back(Loaded);
            }
        });
    }

    static std::vector<TDataRecord> Stored() {
        TDataBase file("Applicant.Dat");
        return Scan(file);
    }
};

TEST_F(ApplicantImportTest, StoresEveryLineCountsAndDeletesTheList) {
    // Lines shorter than six characters are passed over; one of six is an applicant.
    WriteFile("App.Ext", Lines({"        172SMITH, JOHN", "", "         31adams, ann", "abc",
                                "         90BAKER, BOB", "    42"}));
    std::vector<int> counts;
    const auto result = Import(&counts);
    EXPECT_EQ(result.Reason, TImportOutcome::Imported);
    EXPECT_EQ(result.Loaded, 4);
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Stored(), (std::vector<TDataRecord>{
                            Official(42, "", 0.0), Official(3, "ADAMS, ANN", 1.0),
                            Official(9, "BAKER, BOB", 0.0), Official(17, "SMITH, JOHN", 2.0)}));
    EXPECT_FALSE(fs::exists("App.Ext"));
}

TEST_F(ApplicantImportTest, KeepsTheStoredStatusAndMakesMarkedApplicantsOfficial) {
    {
        TDataBase file("Applicant.Dat");
        TDataRecord eliminated = Official(17, "SMYTHE, JON", 0.0);
        eliminated.ApplicantStatus = 2;
        TDataRecord added = Official(4, "TEMP, TOM", 1.0);
        added.Mark = '*';
        test::InsertAll(file, {eliminated, added, Official(8, "UNLISTED", 0.0)});
    }
    WriteFile("App.Ext", Lines({"        172SMITH, JOHN", "         4 TEMPLE, TOM"}));
    ASSERT_EQ(Import().Reason, TImportOutcome::Imported);
    TDataRecord kept = Official(17, "SMITH, JOHN", 2.0);
    kept.ApplicantStatus = 2;
    EXPECT_EQ(Stored(), (std::vector<TDataRecord>{kept, Official(4, "TEMPLE, TOM", 0.0),
                                                  Official(8, "UNLISTED", 0.0)}));
}

TEST_F(ApplicantImportTest, StopsAtABadIdentifierKeepingEarlierLinesAndTheList) {
    const std::string list =
        Lines({"         11ONE", "", "         22TWO", "       12X2BAD", "         33THREE"});
    WriteFile("App.Ext", list);
    std::vector<int> counts;
    const auto result = Import(&counts);
    EXPECT_EQ(result.Reason, TImportOutcome::BadIdentifier);
    EXPECT_EQ(result.LineNumber, 4);
    EXPECT_EQ(result.Subject, "12X");
    EXPECT_EQ(result.Loaded, 2);
    EXPECT_EQ(counts, (std::vector<int>{1, 2}));
    TDataBase applicants("Applicant.Dat");
    EXPECT_EQ(test::IDs(applicants), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(ReadFile("App.Ext"), list);
}

TEST_F(ApplicantImportTest, FailuresChangeNothingAndKeepTheList) {
    EXPECT_EQ(Import().Reason, TImportOutcome::ListNotFound);
    fs::create_directory("App.Ext");
    EXPECT_EQ(Import().Reason, TImportOutcome::ListNotFound) << "a folder is no list";
    fs::remove("App.Ext");

    // An applicant file that cannot be opened stores nothing: no success may be reported.
    fs::remove("Applicant.Dat");
    fs::create_directory("Applicant.Dat");
    WriteFile("App.Ext", Lines({"         11ONE"}));
    const auto result = Import();
    EXPECT_EQ(result.Reason, TImportOutcome::NotStored);
    EXPECT_EQ(result.Loaded, 0);
    EXPECT_TRUE(fs::exists("App.Ext"));
}

TEST_F(ApplicantImportTest, ALineThatReplaceCannotStoreStopsTheImport) {
    // A damaged file holding an ID twice: Replace removes one and the sorted insert refuses the
    // new record because of the other.
    {
        TDataBase file("Applicant.Dat");
        test::InsertAll(file, {Official(5, "FIRST", 0.0), Official(5, "SECOND", 0.0)});
        test::InsertAll(file, {Official(6, "THIRD", 0.0)});
    }
    WriteFile("App.Ext", Lines({"         6 THIRD", "         51NEW NAME"}));
    const auto result = Import();
    EXPECT_EQ(result.Reason, TImportOutcome::NotStored);
    EXPECT_EQ(result.LineNumber, 2);
    EXPECT_EQ(result.Loaded, 1);
    EXPECT_TRUE(fs::exists("App.Ext"));
}

// A list saved as UTF-8 with its byte-order mark is read as UTF-8 (a character the code page
// cannot hold, a broken sequence and a mark after the start become '?'); without the mark the
// bytes are code-page text, as always.
TEST_F(ApplicantImportTest, AByteOrderMarkMakesTheListUtf8) {
    const std::string utf8 =
        Lines({"        141M\xC3\xBCller", "         9 \xC5\x81\xC3O\xEF\xBB\xBF"});
    for (const auto& [list, expected] :
         {std::pair{"\xEF\xBB\xBF" + utf8,
                    std::vector{Official(9, "??O?", 0.0), Official(14, "M\xDCLLER", 1.0)}},
          std::pair{utf8, std::vector{Official(14, "M\xC3\xBCLLER", 1.0),
                                      Official(9, "\xC5\x81\xC3O\xCF\xBB\xBF", 0.0)}}}) {
        fs::remove("Applicant.Dat");
        WriteFile("App.Ext", list);
        EXPECT_EQ(Import().Reason, TImportOutcome::Imported);
        EXPECT_EQ(Stored(), expected) << list;
    }
}

// The import writes the file once, but must leave it exactly as one Replace per line leaves it,
// and stop where that would stop: random files (duplicate IDs, equal names, unsorted records,
// as damage leaves them) and random lists, against the record file's own Replace.
TEST_F(ApplicantImportTest, EndsAsOneReplacePerLineWouldLeaveTheFile) {
    std::mt19937 random(20240611);
    const auto pick = [&random](int Low, int High) {
        return std::uniform_int_distribution<int>(Low, High)(random);
    };
    const auto name = [&] { return std::string(1, "ABab"[pick(0, 3)]) + (pick(0, 1) ? "X" : ""); };
    fs::create_directory("oracle");
    for (int run = 0; run < 300; ++run) {
        std::string bytes;
        for (int i = pick(0, 8); i > 0; --i) {
            TDataRecord rec = Official(pick(1, 5), name(), pick(0, 2));
            rec.ApplicantStatus = pick(0, 4);
            rec.Mark = pick(0, 1) ? '*' : ' ';
            unsigned char record[TDataRecordCodec::Size] = {};
            TDataRecordCodec::Encode(rec, record);
            bytes.append(reinterpret_cast<const char*>(record), sizeof record);
        }
        std::vector<std::string> lines;
        for (int i = pick(1, 6); i > 0; --i) {
            lines.push_back(std::string(9, ' ') + std::to_string(pick(1, 6)) +
                            std::to_string(pick(0, 2)) + name());
        }
        WriteFile("Applicant.Dat", bytes);
        WriteFile("oracle/Applicant.Dat", bytes);
        WriteFile("App.Ext", Lines(lines));
        const TImportResult result = Import();

        // Replace line by line; a line whose record is not at the cursor afterwards stops it.
        TDataBase oracle("oracle/Applicant.Dat", TFileUse::Scratch);
        int loaded = 0;
        for (; loaded < static_cast<int>(lines.size()); ++loaded) {
            const TDataRecord rec = *ApplicantFromLine(lines[static_cast<std::size_t>(loaded)]);
            oracle.Replace(rec);
            TDataRecord stored;
            oracle.ReadRecord(stored);
            stored.ApplicantStatus = rec.ApplicantStatus;
            if (!(stored == rec)) {
                break;
            }
        }
        const bool stopped = loaded < static_cast<int>(lines.size());
        SCOPED_TRACE("run " + std::to_string(run));
        EXPECT_EQ(result.Reason, stopped ? TImportOutcome::NotStored : TImportOutcome::Imported);
        EXPECT_EQ(result.LineNumber, stopped ? loaded + 1 : 0);
        EXPECT_EQ(result.Loaded, loaded);
        EXPECT_EQ(Stored(), Scan(oracle));
    }
}

TEST_F(ApplicantImportTest, AnOverlongLineIsCutNotLoadedWhole) {
    WriteFile("App.Ext", "         71" + std::string(200000, 'x') + "\r\n         82LAST");
    ASSERT_EQ(Import().Reason, TImportOutcome::Imported);
    EXPECT_EQ(Stored(), (std::vector<TDataRecord>{Official(8, "LAST", 2.0),
                                                  Official(7, std::string(40, 'X'), 1.0)}));
}

TEST_F(ApplicantImportTest, AFailedListIsNotTriedAgainUntilItChanges) {
    TImportRetryGuard guard;
    EXPECT_FALSE(guard.ShouldTry("App.Ext")) << "no list, nothing to import";
    WriteFile("App.Ext", Lines({"  BAD     1NAME"}));
    ASSERT_TRUE(guard.ShouldTry("App.Ext"));
    guard.NoteResult("App.Ext", Import());
    EXPECT_FALSE(guard.ShouldTry("App.Ext"));
    WriteFile("App.Ext", Lines({"         11GOOD NAME"}));
    ASSERT_TRUE(guard.ShouldTry("App.Ext")) << "a new list is tried";
    guard.NoteResult("App.Ext", Import());
    EXPECT_FALSE(fs::exists("App.Ext"));

    fs::create_directory("App.Ext");
    ASSERT_TRUE(guard.ShouldTry("App.Ext"));
    guard.NoteResult("App.Ext", Import());
    EXPECT_FALSE(guard.ShouldTry("App.Ext")) << "a folder in the list's place fails once";
    fs::remove("App.Ext");
    fs::create_symlink("nowhere", "App.Ext");
    ASSERT_TRUE(guard.ShouldTry("App.Ext"));
    guard.NoteResult("App.Ext", Import());
    EXPECT_FALSE(guard.ShouldTry("App.Ext")) << "so does a dangling link";
}

} // namespace
} // namespace korvane
