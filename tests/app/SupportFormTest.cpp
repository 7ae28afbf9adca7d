#include "app/SupportForm.h"

#include <QLabel>

#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

class SupportFormTest : public test::TempWorkDirTest {
protected:
    static bool Shown(const QLabel* label) { return !label->isHidden(); }
};

TEST_F(SupportFormTest, MissingFileShowsOnlyTheNotice) {
    TSupportForm form;
    EXPECT_TRUE(Shown(form.TechName1));
    EXPECT_EQ(form.TechName1->text().toStdString(), "No Support File Found");
    for (QLabel* label : {form.TechName2, form.TechName3, form.TechPhone1, form.TechPhone2,
                          form.TechPhone3, form.RateName1, form.Ratename2, form.Ratename3,
                          form.RatePhone1, form.RatePhone2, form.RatePhone3}) {
        EXPECT_FALSE(Shown(label)) << label->objectName().toStdString();
    }
    EXPECT_EQ(form.Label1->text().toStdString(), "Technical Support:");
    EXPECT_EQ(form.Label2->text().toStdString(), "Rating Support:");
}

TEST_F(SupportFormTest, OneTechnicalContact) {
    WriteFile("support.dat", "TECHNAME1=Dana Whitfield\r\nTECHPHONE1=555-0142\r\n"
                             "HIGHLIGHTON=TRUE\r\n");
    TSupportForm form;
    EXPECT_EQ(form.TechName1->text().toStdString(), "Dana Whitfield");
    EXPECT_EQ(form.TechPhone1->text().toStdString(), "555-0142");
    EXPECT_TRUE(Shown(form.TechPhone1));
    EXPECT_FALSE(Shown(form.RateName1));
    EXPECT_FALSE(Shown(form.RatePhone1));
    EXPECT_FALSE(Shown(form.TechName2));
}

TEST_F(SupportFormTest, WithoutTheFirstNameTheNoticeStaysBesideTheOthers) {
    WriteFile("support.dat", "techname2=Luis\r\nRATENAME3=  Priya  \r\nRATEPHONE3=\r\n"
                             "RATENAME1=First\r\nRATENAME1=Second\r\nRATENAME1=\r\n");
    TSupportForm form;
    EXPECT_EQ(form.TechName1->text().toStdString(), "No Support File Found");
    EXPECT_TRUE(Shown(form.TechName1));
    EXPECT_EQ(form.TechName2->text().toStdString(), "Luis");
    EXPECT_EQ(form.Ratename3->text().toStdString(), "  Priya  ") << "blanks are kept";
    EXPECT_FALSE(Shown(form.RatePhone3)) << "an empty value changes nothing";
    EXPECT_EQ(form.RateName1->text().toStdString(), "Second") << "the later non-empty value";
}

} // namespace
} // namespace korvane
