#include "exchange/MergeTexts.h"

#include "data/FileNames.h"
#include "platform/ui/CodePage.h"

namespace korvane {

namespace {

const QString NotMerged = QStringLiteral("; No Rating Was Merged");

QString FileText(const TMergeCheck& Check) {
    return (Check.OnDisk ? QStringLiteral("Error: The Disk's ")
                         : QStringLiteral("Error: This Position's ")) +
           QString::fromLatin1(Check.Subject);
}

QString CriterionText(const TMergeCheck& Check) {
    return Check.Subject.empty()
               ? QStringLiteral("Criterion ID ") + QString::number(Check.CriterionID)
               : FromCodePage(Check.Subject);
}

} // namespace

QString MergeRefusalText(const TMergeCheck& Check) {
    const QString differ =
        QStringLiteral("Error: The Criteria On The Disk Differ From This Position's") + NotMerged;
    switch (Check.Reason) {
    case TMergeRefusal::None:
        break;
    case TMergeRefusal::Unreadable:
        return FileText(Check) + QStringLiteral(" Cannot Be Read") + NotMerged;
    case TMergeRefusal::BrokenRecord:
        return FileText(Check) + QStringLiteral(" Is Damaged") + NotMerged +
               QStringLiteral("\n\nIts Size Is No Whole Number Of Records");
    case TMergeRefusal::TooManyCriteria:
        return FileText(Check) + QStringLiteral(" Is Damaged") + NotMerged +
               QStringLiteral("\n\nIt Selects More Than 12 Criteria");
    case TMergeRefusal::RatingOutOfRange:
        return FileText(Check) + QStringLiteral(" Is Damaged") + NotMerged +
               QStringLiteral("\n\nRecord ") + QString::number(Check.Record) +
               QStringLiteral(" Holds A Rating Outside 0 To 5");
    case TMergeRefusal::DamagedDecisions:
        return FileText(Check) + QStringLiteral(" Has Damaged Lines") + NotMerged +
               (Check.Record > 0
                    ? QStringLiteral("\n\nThe First Is Line ") + QString::number(Check.Record)
                    : QString());
    case TMergeRefusal::OnlyHere:
        return differ + QStringLiteral("\n\nOnly In This Position: ") + CriterionText(Check);
    case TMergeRefusal::OnlyOnDisk:
        return differ + QStringLiteral("\n\nOnly On The Disk: ") + CriterionText(Check);
    }
    return {};
}

QString MergeSummaryText(const TMergeCounts& Counts) {
    return QStringLiteral("Ratings Merged: %1 Added, %2 Combined, %3 Unchanged, %4 Conflicts (%5 "
                          "Taken From The Disk), %6 Skipped")
        .arg(Counts.Added)
        .arg(Counts.Combined)
        .arg(Counts.Unchanged)
        .arg(Counts.Conflicts)
        .arg(Counts.TakenFromDisk)
        .arg(Counts.Skipped);
}

QStringList SkippedPairTexts(const TRatingMerge& Merge) {
    QStringList lines;
    for (const TDiskPair& pair : Merge.Pairs()) {
        if (pair.Kind != TPairKind::Skipped) {
            continue;
        }
        const bool applicant = Merge.KnowsApplicant(pair.Theirs.ApplicantID);
        const bool member = Merge.KnowsMember(pair.Theirs.CommitteeID);
        lines << QStringLiteral("Applicant %1, Member %2: Unknown %3")
                     .arg(pair.Theirs.ApplicantID)
                     .arg(pair.Theirs.CommitteeID)
                     .arg(!applicant && !member ? QStringLiteral("Applicant And Member")
                          : !applicant          ? QStringLiteral("Applicant")
                                                : QStringLiteral("Member"));
    }
    return lines;
}

QString MergeNotWrittenText() {
    return QStringLiteral("Error: ") + QString::fromLatin1(RatingFileName) +
           QStringLiteral(" Could Not Be Written") + NotMerged;
}

} // namespace korvane
