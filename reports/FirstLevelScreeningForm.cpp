#include "reports/FirstLevelScreeningForm.h"

#include <vector>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "data/ProcessState.h"
#include "data/SelectDataBase.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/RadioGroup.h"
#include "reports/RatingSheetLayout.h"
#include "reports/ReportHeader.h"
#include "reports/ReportPreviewForm.h"

namespace korvane {

namespace {

template <class TFile, class TRecord> std::vector<TRecord> AllRecords(const char* fileName) {
    std::vector<TRecord> records;
    TFile file(fileName);
    TRecord record;
    file.First(record);
    while (file.Opened() && file.Status() == 0) {
        records.push_back(record);
        file.Next(record);
    }
    return records;
}

// The texts of the run; the page header repeats them on every page.
struct TScreeningText {
    QString Organisation;
    QString Position;
    QStringList Criteria; // "#n description", in Required.dat order
    int PortraitFont = 10;
};

class TScreeningSheet {
public:
    TScreeningSheet(TReportPreviewForm& report, const TScreeningText& text, std::int32_t member)
        : Report_(report), Text_(text), Member_(member) {}

    void PageHeader();
    // The applicant's two lines; a line feed that begins a page draws the page header there.
    void Row(const QString& name);

private:
    void CriteriaBox();
    void ColumnBand();
    // One line of the box: its side rules.
    void BoxSides();
    // A line of the band: shading, the side rules and the rule at its top or bottom.
    void BandLine(bool top);

    TReportPreviewForm& Report_;
    const TScreeningText& Text_;
    std::int32_t Member_;
};

void TScreeningSheet::PageHeader() {
    TReportPreviewForm& r = Report_;
    PrintSheetBanner(r, Text_.Organisation);
    r.SetFont(14, Qt::black, {});
    r.TextCentred(QStringLiteral("First Level Screening"), 0.5, 8);
    r.NewLine();
    r.TextCentred(QStringLiteral("Required Criteria"), 0.5, 8);
    r.NewLine();
    r.SetFont(Text_.PortraitFont, Qt::black, {});
    r.TextAt(QStringLiteral("Committee ID Number: ") + QString::number(Member_), 0.5);
    r.TextRightAt(PrintedDateText(), 8);
    r.NewLine();
    r.TextAt(Text_.Position, 0.5);
    r.TextRightAt(QStringLiteral("Page:"), 7.5);
    r.TextRightAt(QString::number(r.PageNumber()), 8);
    r.NewLine();
    CriteriaBox();
    ColumnBand();
}

void TScreeningSheet::BoxSides() {
    Report_.VerticalRule(1);
    Report_.VerticalRule(7.5);
}

void TScreeningSheet::CriteriaBox() {
    TReportPreviewForm& r = Report_;
    r.NewLine();
    r.SetPen(1, Qt::black, Qt::SolidLine);
    r.HorizontalRule(true, 1, 7.5);
    BoxSides();
    r.TextCentred(QStringLiteral("Required Criteria"), 0.5, 8);
    r.NewLine();
    BoxSides();
    for (const QString& criterion : Text_.Criteria) {
        r.NewLine();
        r.TextAt(criterion, 1.05);
        BoxSides();
    }
    r.NewLine();
    BoxSides();
    r.HorizontalRule(false, 1, 7.5);
    r.NewLine();
    r.NewLine();
}

void TScreeningSheet::BandLine(bool top) {
    TReportPreviewForm& r = Report_;
    r.ShadeLine(ButtonFaceColor(), 1, 7.5);
    r.SetPen(1, Qt::black, Qt::SolidLine);
    r.HorizontalRule(top, 1, 7.5);
    BoxSides();
    r.VerticalRule(3.5);
    r.VerticalRule(6);
}

void TScreeningSheet::ColumnBand() {
    TReportPreviewForm& r = Report_;
    BandLine(true);
    r.TextAt(QStringLiteral("Criteria Number(s)"), 3.55);
    r.TextAt(QStringLiteral("Continue To"), 6.05);
    r.NewLine();
    BandLine(false);
    r.TextAt(QStringLiteral("Applicant Name"), 1.05);
    r.TextAt(QStringLiteral("For Being Eliminated"), 3.55);
    r.TextAt(QStringLiteral("Next Level"), 6.05);
    r.NewLine();
    r.NewLine();
}

void TScreeningSheet::Row(const QString& name) {
    TReportPreviewForm& r = Report_;
    r.TextAt(FittedText(r, name, 1.05, 3.5), 1.05);
    r.HorizontalRule(false, 3.5, 6);
    r.TextAt(QStringLiteral("Y"), 6.05);
    r.HorizontalRule(false, 6.1, 6.5);
    r.TextAt(QStringLiteral("N"), 7.05);
    r.HorizontalRule(false, 7.1, 7.5);
    for (int feed = 0; feed < 2; ++feed) {
        r.NewLine();
        if (r.PageStarted()) {
            PageHeader();
        }
    }
}

} // namespace

void PrintScreeningSheets(QWidget* owner, const TPrintDestination& to, const TMemberChoice& who) {
    const auto applicants = AllRecords<TDataBase, TDataRecord>(ApplicantFileName);
    TScreeningText text;
    const TListHeaderText header = ListHeaderText(QString());
    text.Organisation = header.Organisation;
    text.Position = header.Position;
    text.PortraitFont = Settings.PortraitFont;
    {
        TDataBase samples(SampleRequiredFileName);
        int n = 0;
        for (const TSelectRecord& selected :
             AllRecords<TSelectDataBase, TSelectRecord>(RequiredFileName)) {
            text.Criteria << QStringLiteral("#%1 ").arg(++n) +
                                 FromCodePage(samples.GetDescription(selected.CriterionID));
        }
    }
    std::vector<std::int32_t> members;
    if (who.All) {
        for (const TDataRecord& member : AllRecords<TDataBase, TDataRecord>(CommitteeFileName)) {
            members.push_back(member.ID);
        }
    } else {
        members.push_back(who.Member);
    }

    TReportPreviewForm report(owner);
    report.BeginReport(to, false, false);
    for (std::size_t k = 0; k < members.size(); ++k) {
        TScreeningSheet sheet(report, text, members[k]);
        sheet.PageHeader();
        for (const TDataRecord& applicant : applicants) {
            // One member's sheet lists the pool; the sheets of all list every applicant.
            if (who.All || applicant.ApplicantStatus == 0) {
                sheet.Row(FromCodePage(applicant.Description));
            }
        }
        if (k + 1 < members.size()) {
            // The next member's pages count from 1.
            report.SetPageNumber(0);
            report.NewPage();
        }
    }
    report.EndReport();
}

TFirstLevelScreeningForm::TFirstLevelScreeningForm(QWidget* owner)
    : TCommitteePrintForm(owner, "Print First Level Screen Sheets", 160, {51, 233}, 65) {
    setObjectName(QStringLiteral("FirstLevelScreeningForm"));
    PrintOption = new TRadioGroup(QStringLiteral("Print Options"),
                                  {QStringLiteral("Selected"), QStringLiteral("All")}, this);
    PrintOption->setObjectName(QStringLiteral("PrintOption"));
    PrintOption->setGeometry(OptionsPlace());
    PrintOption->SetItemIndex(0);
}

bool TFirstLevelScreeningForm::AllMembers() const {
    return PrintOption->ItemIndex() == 1;
}

void TFirstLevelScreeningForm::SetAllMembers(bool all) {
    PrintOption->SetItemIndex(all ? 1 : 0);
}

void TFirstLevelScreeningForm::Print(const TPrintDestination& to) {
    PrintScreeningSheets(this, to, Choice());
}

} // namespace korvane
