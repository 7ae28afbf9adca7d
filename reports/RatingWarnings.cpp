#include "reports/RatingWarnings.h"

#include "data/FileNames.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/MessageBox.h"

namespace korvane {

namespace {

// Damaged lines named one by one in a message; the rest are counted.
constexpr std::size_t NamedLines = 20;

const QString FileName = QString::fromLatin1(RecusalFileName);

// "1 Rating Is", "7 Ratings Are".
QString Quantity(int Count, const char* One, const char* Many) {
    return QString::number(Count) + QLatin1Char(' ') + QString::fromLatin1(Count == 1 ? One : Many);
}

} // namespace

QString DecisionsDamageText(const TRecusalFile& File) {
    if (File.Unreadable()) {
        return QStringLiteral("Error: %1 Could Not Be Read; No Recusal Or Abstention Is Counted")
            .arg(FileName);
    }
    const std::vector<int>& lines = File.DamagedLines();
    if (lines.empty()) {
        return {};
    }
    QString numbers;
    for (std::size_t i = 0; i < lines.size() && i < NamedLines; ++i) {
        numbers += (i == 0                  ? QString()
                    : i + 1 == lines.size() ? QStringLiteral(" And ")
                                            : QStringLiteral(", ")) +
                   QString::number(lines[i]);
    }
    if (lines.size() > NamedLines) {
        numbers += QStringLiteral(" And %1 More").arg(lines.size() - NamedLines);
    }
    return lines.size() == 1 ? QStringLiteral("Error: Line %1 Of %2 Is Damaged And Was Skipped")
                                   .arg(numbers, FileName)
                             : QStringLiteral("Error: Lines %1 Of %2 Are Damaged And Were Skipped")
                                   .arg(numbers, FileName);
}

void ShowDecisionsDamage(const TRecusalFile& File, QWidget* Parent) {
    const QString damage = DecisionsDamageText(File);
    if (!damage.isEmpty()) {
        ShowError(damage, Parent);
    }
}

QString DecisionsWriteText(TDecisionsWrite Result) {
    switch (Result) {
    case TDecisionsWrite::Damaged:
        return QStringLiteral(
                   "Error: %1 Has Damaged Lines; It Is Not Changed Until They Are Repaired")
            .arg(FileName);
    case TDecisionsWrite::Unreadable:
        return QStringLiteral("Error: %1 Could Not Be Read; Nothing Was Changed").arg(FileName);
    case TDecisionsWrite::Failed:
        return QStringLiteral("Error: %1 Could Not Be Written; Nothing Was Changed").arg(FileName);
    case TDecisionsWrite::Written:
        break;
    }
    return {};
}

QString DecisionMemberText(const TDecisionRow& Row) {
    return Row.MemberGone
               ? QStringLiteral("ID %1, No Longer A Member").arg(Row.Decision.CommitteeID)
               : FromCodePage(Row.Member);
}

QString DecisionApplicantText(const TDecisionRow& Row) {
    return Row.ApplicantGone
               ? QStringLiteral("ID %1, No Longer An Applicant").arg(Row.Decision.ApplicantID)
               : FromCodePage(Row.Applicant);
}

QString MissingRatingsText(const TMissingRatings& Missing) {
    if (Missing.Ratings == 0) {
        return {};
    }
    return QStringLiteral("Warning: ") + Quantity(Missing.Ratings, "Rating Is", "Ratings Are") +
           QStringLiteral(" Missing (") +
           Quantity(Missing.Members, "Committee Member", "Committee Members") +
           QStringLiteral(", ") + Quantity(Missing.Applicants, "Applicant", "Applicants") +
           QLatin1Char(')');
}

QString ProgressVerdictText(const TMissingRatings& Missing) {
    const QString warning = MissingRatingsText(Missing);
    return warning.isEmpty()
               ? QStringLiteral("Every Applicant In The Pool Is Rated Fully Or Under A Decision")
               : warning;
}

bool ConfirmMissingRatings(QWidget* Owner, std::span<const std::int32_t> Members,
                           const TShowProgress& ShowProgress, const QString& GoOn) {
    for (;;) {
        const QString warning =
            MissingRatingsText(TRatingProgress::ReadWorkingDirectory().Missing(Members));
        if (warning.isEmpty()) {
            return true;
        }
        // Enter shows where the rating stands: looking first loses nothing.
        const TModalResult answer = ShowMessage(
            warning, TMessageKind::Warning, TMessageButtons::YesNoCancel, Owner,
            TDefaultAnswer::Yes, {QStringLiteral("&Show"), GoOn, QStringLiteral("Cancel")});
        if (answer != TModalResult::Yes) {
            return answer == TModalResult::No;
        }
        if (ShowProgress) {
            ShowProgress(Owner);
        }
    }
}

} // namespace korvane
