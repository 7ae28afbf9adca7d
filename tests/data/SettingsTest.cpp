#include "data/ProcessState.h"

#include <clocale>

#include "platform/sys/InOutError.h"
#include "tests/support/core/ScopedProcessState.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

class SettingsTest : public test::TempWorkDirTest {
protected:
    void Load(const std::string& content) {
        WriteFile("support.dat", content);
        LoadSettings();
    }
    test::ScopedProcessState Saved_;
};

TEST_F(SettingsTest, MissingFileLeavesTheDefaults) {
    Settings.PortraitFont = 99; // left over from an earlier load
    Settings.TieBreak = {TTieRule::ID};
    Settings.Disagreement = 4;
    LoadSettings();
    EXPECT_TRUE(Settings.TieBreak.empty());
    EXPECT_EQ(Settings.Disagreement, 2);
    EXPECT_TRUE(Settings.SendReportsToPrinter);
    EXPECT_DOUBLE_EQ(Settings.VeteranRates[0], 0.0);
    EXPECT_DOUBLE_EQ(Settings.VeteranRates[1], 0.05);
    EXPECT_DOUBLE_EQ(Settings.VeteranRates[2], 0.10);
    EXPECT_TRUE(Settings.ComputeVetOnMaxPoints);
    EXPECT_FALSE(Settings.FillInBlankRatings);
    EXPECT_FALSE(Settings.VetPrefOnRatedScores);
    EXPECT_FALSE(Settings.HighlightOn);
    EXPECT_EQ(Settings.LandscapeFont, 8);
    EXPECT_EQ(Settings.PortraitFont, 10);
    EXPECT_FALSE(std::filesystem::exists("support.dat")) << "loading must not create the file";
}

TEST_F(SettingsTest, KeysAreComparedInCapitalsAndBooleansOnlyByTrue) {
    Load("sendreportstoprinter=false\r\n");
    EXPECT_FALSE(Settings.SendReportsToPrinter);
    Load("SENDREPORTSTOPRINTER=True\r\n");
    EXPECT_TRUE(Settings.SendReportsToPrinter);
    Load("HighlightOn=tRuE\r\nFILLINBLANKRATTINGS=YES\r\nVETPREFONRATEDSCORES=1\r\n"
         "COMPUTEVETONMAXPOINTS=no\r\n");
    EXPECT_TRUE(Settings.HighlightOn);
    EXPECT_FALSE(Settings.FillInBlankRatings);
    EXPECT_FALSE(Settings.VetPrefOnRatedScores);
    EXPECT_FALSE(Settings.ComputeVetOnMaxPoints);
    EXPECT_EQ(Settings.LandscapeFont, 8) << "a Boolean key changes no font size";
    EXPECT_EQ(Settings.PortraitFont, 10);
}

TEST_F(SettingsTest, NothingIsTrimmed) {
    Load("HIGHLIGHTON = TRUE\r\nFILLINBLANKRATTINGS= TRUE\r\nVETPREFONRATEDSCORES=TRUE \r\n");
    EXPECT_FALSE(Settings.HighlightOn) << "'HIGHLIGHTON ' is no key of ours";
    EXPECT_FALSE(Settings.FillInBlankRatings) << "' TRUE' is not TRUE";
    EXPECT_FALSE(Settings.VetPrefOnRatedScores);
}

TEST_F(SettingsTest, NumbersRatesAndTheLastLineWins) {
    Load("VETPREFERENCERATE1=0.07\r\nLANDSCAPEFONT=9\r\nPORTRAITFONT=12\r\n"
         "PORTRAITFONT=11\r\nTECHNAME1=Dana\r\nno equals sign here\r\n");
    EXPECT_DOUBLE_EQ(Settings.VeteranRates[1], 0.07);
    EXPECT_DOUBLE_EQ(Settings.VeteranRates[2], 0.10);
    EXPECT_EQ(Settings.LandscapeFont, 9);
    EXPECT_EQ(Settings.PortraitFont, 11);
    EXPECT_TRUE(Settings.SendReportsToPrinter) << "a contact line changes no setting";
}

TEST_F(SettingsTest, ValueMayHoldFurtherEqualsSignsAndLinesMayEndInLfOnly) {
    Load("ORGANISATIONNAME=A=B Works\nHIGHLIGHTON=TRUE");
    EXPECT_EQ(OrganisationName, "A=B Works");
    EXPECT_TRUE(Settings.HighlightOn) << "a last line without a line end still counts";
}

TEST_F(SettingsTest, ANumberThatIsNoNumberEndsTheLoad) {
    WriteFile("support.dat", "PORTRAITFONT=large\r\n");
    EXPECT_THROW(LoadSettings(), EConvertError);
    WriteFile("support.dat", "VETPREFERENCERATE2=ten percent\r\n");
    try {
        LoadSettings();
        FAIL() << "no error raised";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'ten percent' is not a valid floating point value");
    }
}

// Rates and font sizes outside what a report can use end the start with the value named.
TEST_F(SettingsTest, RatesAndFontSizesMustBeInRange) {
    struct TCase {
        const char* Line;
        const char* Error; // nullptr: accepted
    };
    const TCase cases[] = {
        {"VETPREFERENCERATE1=0", nullptr},
        {"VETPREFERENCERATE1=1", nullptr},
        {"VETPREFERENCERATE1= 0.07 ", nullptr},
        {"VETPREFERENCERATE1=nan", "'nan' is not a valid floating point value"},
        {"VETPREFERENCERATE1=-inf", "'-inf' is not a valid floating point value"},
        {"VETPREFERENCERATE2=0x1p-3", "'0x1p-3' is not a valid floating point value"},
        {"VETPREFERENCERATE2=", "'' is not a valid floating point value"},
        {"VETPREFERENCERATE2=1.5", "'1.5' is not a veteran preference rate from 0 to 1"},
        {"VETPREFERENCERATE2=-0.1", "'-0.1' is not a veteran preference rate from 0 to 1"},
        {"VETPREFERENCERATE2=1e999", "'1e999' is not a valid floating point value"},
        {"PORTRAITFONT=4", nullptr},
        {"LANDSCAPEFONT=72", nullptr},
        {"PORTRAITFONT=5000", "'5000' is not a font size from 4 to 72 points"},
        {"PORTRAITFONT=3", "'3' is not a font size from 4 to 72 points"},
        {"LANDSCAPEFONT=-8", "'-8' is not a font size from 4 to 72 points"},
        {"LANDSCAPEFONT=99999999999999999999",
         "'99999999999999999999' is not a font size from 4 to 72 points"},
        {"LANDSCAPEFONT=8.5", "'8.5' is not a valid integer value"},
        {"DISAGREEMENT=1", nullptr},
        {"DISAGREEMENT= 4", nullptr},
        {"DISAGREEMENT=0", "'0' is not a disagreement spread from 1 to 4 points"},
        {"DISAGREEMENT=5", "'5' is not a disagreement spread from 1 to 4 points"},
        {"DISAGREEMENT=two", "'two' is not a valid integer value"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Line);
        WriteFile("support.dat", std::string(c.Line) + "\r\n");
        if (c.Error == nullptr) {
            EXPECT_NO_THROW(LoadSettings());
            continue;
        }
        try {
            LoadSettings();
            ADD_FAILURE() << "accepted";
        } catch (const EConvertError& error) {
            EXPECT_STREQ(error.what(), c.Error);
        }
    }
}

// A tie-break is FILE, or rules each named once, in any case, optionally closed by FILE.
TEST_F(SettingsTest, TieBreakRulesOrNamedFailure) {
    using enum TTieRule;
    const struct {
        const char* Value;
        std::vector<TTieRule> Rules;
        bool Valid;
    } cases[] = {
        {"FILE", {}, true},
        {"veteran", {Veteran}, true},
        {"ID, Points ,VETERAN", {ID, Points, Veteran}, true},
        {"POINTS,FILE", {Points}, true},
        {"", {}, false},
        {"FILE,ID", {}, false},
        {"ID,ID", {}, false},
        {"VETERAN,", {}, false},
        {"VETERAN;ID", {}, false},
        {"AGE", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        WriteFile("support.dat", "TIEBREAK=ID\r\nTIEBREAK=" + std::string(c.Value) + "\r\n");
        if (c.Valid) {
            EXPECT_NO_THROW(LoadSettings());
            EXPECT_EQ(Settings.TieBreak, c.Rules);
            continue;
        }
        try {
            LoadSettings();
            ADD_FAILURE() << "accepted";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(c.Value) +
                                        "' is not a tie-break: FILE, or VETERAN, POINTS and ID "
                                        "separated by commas");
        }
    }
}

// Only a regular file is read: a folder, a FIFO or a device of that name means the defaults,
// without hanging or reading for ever.
TEST_F(SettingsTest, SupportFileThatIsNoRegularFileMeansTheDefaults) {
    Settings.PortraitFont = 30;
    std::filesystem::create_directory("support.dat");
    EXPECT_NO_THROW(LoadSettings());
    EXPECT_EQ(Settings.PortraitFont, 10);
    std::filesystem::remove("support.dat");

    MakeFifo("support.dat");
    Settings.PortraitFont = 30;
    LoadSettings();
    EXPECT_EQ(Settings.PortraitFont, 10);
    std::filesystem::remove("support.dat");

    std::filesystem::create_symlink("/dev/zero", "support.dat");
    LoadSettings();
    EXPECT_EQ(Settings.PortraitFont, 10);
}

TEST_F(SettingsTest, AnOverlongLineIsCutAndTheNextLineStillCounts) {
    Load("ORGANISATIONNAME=" + std::string(200000, 'x') + "\r\nPORTRAITFONT=12\r\n");
    EXPECT_EQ(OrganisationName.size(), 64u * 1024u - std::string("ORGANISATIONNAME=").size());
    EXPECT_EQ(Settings.PortraitFont, 12);
}

TEST(SplitEntryTest, SplitsAtTheFirstEqualsSign) {
    std::string key = "stale";
    std::string value = "stale";
    SplitEntry("no sign", key, value);
    EXPECT_TRUE(key.empty());
    EXPECT_TRUE(value.empty());
    SplitEntry(" TechName1 = a=b ", key, value);
    EXPECT_EQ(key, " TECHNAME1 ");
    EXPECT_EQ(value, " a=b ");
    SplitEntry("=x", key, value);
    EXPECT_TRUE(key.empty());
    EXPECT_EQ(value, "x");
}

} // namespace
} // namespace korvane
