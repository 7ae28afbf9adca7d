#include "reports/PrintFinalForm.h"

#include "data/ProcessState.h"
#include "data/ScoreComputation.h"
#include "platform/ui/CodePage.h"
#include "reports/RatingSheetLayout.h"
#include "reports/RatingWarnings.h"
#include "reports/ReportPreviewForm.h"

namespace korvane {

namespace {

// How equal final scores were put in order: "Equal final scores, in applicant-file order:",
// "Equal final scores, lower applicant ID first, then in applicant-file order:".
QString TieRuleText(const std::vector<TTieRule>& rules) {
    QString text = QStringLiteral("Equal final scores");
    for (std::size_t r = 0; r < rules.size(); ++r) {
        text += r == 0 ? QStringLiteral(", ") : QStringLiteral(", then ");
        switch (rules[r]) {
        case TTieRule::Veteran:
            text += QStringLiteral("higher veteran preference first");
            break;
        case TTieRule::Points:
            text += QStringLiteral("more points before veteran preference first");
            break;
        case TTieRule::ID:
            text += QStringLiteral("lower applicant ID first");
            break;
        }
    }
    return text + (rules.empty() ? QStringLiteral(", in applicant-file order:")
                                 : QStringLiteral(", then in applicant-file order:"));
}

// Below the lines, nothing without a tie; else the rule and each group of equal final scores:
// "310: ADAMS, LEE; BAKER, SAM".
void PrintTieNote(TRatingSheetLayout& sheet, const std::vector<TScoreLine>& lines,
                  const std::vector<TTieRule>& rules) {
    const auto runs = EqualScoreRuns(lines);
    if (runs.empty()) {
        return;
    }
    // The free line, the rule and the first group on one page.
    sheet.Break(3);
    sheet.Note(TieRuleText(rules).split(QLatin1Char(' ')), 0.5);
    for (const auto& [first, end] : runs) {
        // A name stays whole on its line.
        QStringList pieces{QString::number(lines[first].Score) + QLatin1Char(':')};
        for (std::size_t k = first; k < end; ++k) {
            pieces << FromCodePage(lines[k].Name) + (k + 1 < end ? QStringLiteral(";") : QString());
        }
        sheet.Note(pieces, 0.75);
    }
}

} // namespace

void PrintFinalRatingSheet(QWidget* owner, const TPrintDestination& to) {
    // The files are read before the job starts: a file that cannot be read starts no job.
    const TRatingData data = TRatingData::ReadWorkingDirectory();
    const TRatingProgress progress(data, TRecusalFile::Read(), ReadCommittee());
    ShowDecisionsDamage(progress.Decisions(), owner);
    const std::vector<TScoreLine> lines = ComputeFinalRating(data, Settings, progress.Decisions());
    TReportPreviewForm report(owner);
    report.BeginReport(to, false, true);
    TRatingSheetLayout sheet(report, FinalSheetStyle(), LegendCriteria(data.Criteria()));
    sheet.Print(lines);
    PrintTieNote(sheet, lines, Settings.TieBreak);
    sheet.Decisions(progress.Counted());
    report.EndReport();
}

TPrintFinalForm::TPrintFinalForm(QWidget* owner)
    : TPrintPromptForm(owner, "PrintFinalForm", QStringLiteral("Print Final Rating Sheet"), 180,
                       PrintFinalRatingSheet) {}

} // namespace korvane
