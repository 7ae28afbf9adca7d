#include "app/FinalRatingCommands.h"

#include <QString>

#include "app/ReopenFinalForm.h"
#include "data/ChangeLog.h"
#include "data/FinalRating.h"
#include "data/ProcessState.h"
#include "platform/sys/Sha256.h"
#include "platform/ui/ChangeMessages.h"
#include "platform/ui/MessageBox.h"
#include "rating/RatingProgressForm.h"
#include "reports/RatingWarnings.h"
#include "setup/SetupPrecheck.h"

namespace korvane {

namespace {

constexpr const char* FinaliseCommand = "Finalise Final Rating";
constexpr const char* ReopenCommand = "Reopen Final Rating";

void Log(const char* Command, const std::string& What, QWidget* Owner) {
    if (!LogChange({Command, What}).Ok()) {
        ShowChangeNotLogged(Owner);
    }
}

QString FinaliseFailureText(const TResult<TFinalFailure>& Failure) {
    const QString notFinalised = QStringLiteral("; The Final Rating Was Not Finalised");
    switch (Failure.Reason) {
    case TFinalFailure::Unreadable:
        // Without a file's name the computation said what it could not read.
        if (Failure.Subject.empty()) {
            return QStringLiteral("Error: ") + QString::fromStdString(Failure.Detail) +
                   notFinalised;
        }
        return QStringLiteral("Error: ") + QString::fromStdString(Failure.Subject) +
               QStringLiteral(" Could Not Be Read") + notFinalised;
    case TFinalFailure::NotWritten:
        return QStringLiteral("Error: Final.dat Could Not Be Written") + notFinalised;
    default:
        return QStringLiteral("Error: The Final Rating Was Not Finalised");
    }
}

} // namespace

void FinaliseFinalRatingCommand(QWidget* Owner) {
    // What the final rating sheet needs, its seal needs.
    if (!CheckPreferredSetup(Owner)) {
        return;
    }
    if (RefusedChange(MayChange(), Owner)) {
        return;
    }
    // Sealing a rating with ratings still missing is allowed, but never without a word.
    if (!ConfirmMissingRatings(Owner, {}, ShowRatingProgress, QStringLiteral("&Finalise Anyway")) ||
        !AskYesNo(QStringLiteral("Finalise The Final Rating?\n\nFrom Then On No Data Can Be "
                                 "Changed Until The Final Rating Is Reopened In The "
                                 "Administrative Mode."),
                  Owner)) {
        return;
    }
    TFinalRating made;
    const auto finalised = FinaliseFinalRating(Settings, made);
    if (finalised.Reason == TFinalFailure::Finalised) {
        ShowFinalisedRefusal(finalised.Subject, Owner);
        return;
    }
    if (!finalised.Ok()) {
        ShowError(FinaliseFailureText(finalised), Owner);
        return;
    }
    const std::size_t ranked = made.Rows.empty() ? 0 : made.Rows.size() - 1;
    Log(FinaliseCommand,
        "final rating finalised: " + std::to_string(ranked) +
            (ranked == 1 ? " applicant" : " applicants") + " ranked, Final.dat SHA-256 " +
            Sha256Hex(FinalRatingText(made)),
        Owner);
    ShowInformation(QStringLiteral("The Final Rating Is Finalised On ") + LocalTimeText(made.Time) +
                        QLatin1Char('.'),
                    Owner);
}

bool ReopenFinalRatingCommand(QWidget* Owner) {
    const auto refusal = MayChange();
    if (refusal.Ok()) {
        ShowInformation(QStringLiteral("The Final Rating Is Not Finalised."), Owner);
        return false;
    }
    TReopenFinalForm form(Owner, LocalTimeText(refusal.Subject));
    if (ShowModal(form) != TModalResult::Ok) {
        return false;
    }
    const std::string reason = form.ReasonText().toStdString();
    TFinalRating lifted;
    if (!ReopenFinalRating(lifted).Ok()) {
        ShowError(QStringLiteral("Error: Final.dat Could Not Be Removed; The Final Rating Stays "
                                 "Finalised"),
                  Owner);
        return false;
    }
    Log(ReopenCommand,
        "final rating finalised " +
            (lifted.Time.empty() ? "at an unknown time" : "on " + lifted.Time) +
            " reopened: " + reason,
        Owner);
    return true;
}

} // namespace korvane
