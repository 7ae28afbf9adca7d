#include "app/Settings.h"

#include "platform/sys/InOutError.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

class SettingsTest : public test::TempWorkDirTest {
protected:
    void Load(const std::string& content) {
        WriteFile("support.dat", content);
        LoadSettings();
    }
};

TEST_F(SettingsTest, MissingFileLeavesTheDefaults) {
    Settings.PortraitFont = 99; // left over from an earlier load
    LoadSettings();
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
    EXPECT_EQ(OrganisationName.toStdString(), "A=B Works");
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

TEST_F(SettingsTest, ColoursFallBackToTheDefaultWhenDamaged) {
    Load("BACKGROUNDCOLOR=10,20,30\r\nNAMECOLOR=300,0,0\r\n");
    EXPECT_EQ(BackgroundColor, QColor(10, 20, 30));
    EXPECT_EQ(NameColor, DefaultNameColor());
    Load("BACKGROUNDCOLOR=red\r\n");
    EXPECT_EQ(BackgroundColor, DefaultBackgroundColor());
}

TEST(SplitEntryTest, SplitsAtTheFirstEqualsSign) {
    QString key = QStringLiteral("stale");
    QString value = QStringLiteral("stale");
    SplitEntry(QStringLiteral("no sign"), key, value);
    EXPECT_TRUE(key.isEmpty());
    EXPECT_TRUE(value.isEmpty());
    SplitEntry(QStringLiteral(" TechName1 = a=b "), key, value);
    EXPECT_EQ(key.toStdString(), " TECHNAME1 ");
    EXPECT_EQ(value.toStdString(), " a=b ");
    SplitEntry(QStringLiteral("=x"), key, value);
    EXPECT_TRUE(key.isEmpty());
    EXPECT_EQ(value.toStdString(), "x");
}

} // namespace
} // namespace korvane
