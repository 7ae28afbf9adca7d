#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

#include "app/AboutBox.h"
#include "app/ChangeLogForm.h"
#include "app/ReopenFinalForm.h"
#include "app/SupportForm.h"
#include "data/RatingMerge.h"
#include "exchange/ExportForm.h"
#include "exchange/MergeConflictsForm.h"
#include "exchange/MergeRatingsForm.h"
#include "exchange/UpdateForm.h"
#include "maintenance/UnInstallForm.h"
#include "rating/NotRatingForm.h"
#include "rating/RateApplicantsForm.h"
#include "rating/RatingProgressForm.h"
#include "rating/RatingSheetForm.h"
#include "reports/FirstLevelScreeningForm.h"
#include "reports/PrintDisagreementsForm.h"
#include "reports/PrintFinalForm.h"
#include "reports/PrintRatingSheetsForm.h"
#include "setup/ApplicantAddEditForm.h"
#include "setup/ApplicantForm.h"
#include "setup/CommitteeAddEditForm.h"
#include "setup/CommitteeForm.h"
#include "setup/SamplePreferedForm.h"
#include "setup/SampleRequired.h"
#include "setup/SelectedPreferredAddEditForm.h"
#include "setup/SelectedPreferredForm.h"
#include "setup/SelectedRequiredform.h"
#include "tests/data/RecordTestSupport.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

struct TScreen {
    const char* Name;
    std::function<std::unique_ptr<QWidget>()> Create;
};

template <class T> TScreen Screen(const char* Name) {
    return {Name, [] { return std::make_unique<T>(nullptr); }};
}

// The conflict list at its widest: twelve criteria, each rated differently.
TScreen ConflictList() {
    return {"MergeConflicts", [] {
                static TRatingMerge merge;
                TRatingSide ours{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {BlankRating(1, 1)}, {}};
                TRatingSide disk = ours;
                ours.Ratings[0].Rate.fill(1);
                disk.Ratings[0].Rate.fill(5);
                const std::string name(40, 'W');
                merge.Compare(ours, disk, {test::Named(1, name)}, {test::Named(1, name)});
                return std::make_unique<TMergeConflictsForm>(merge, nullptr);
            }};
}

class ScreenFitTest : public test::TempWorkDirTest,
                      public ::testing::WithParamInterface<TScreen> {};

// Every control of a screen stands wholly inside the window as it opens.
TEST_P(ScreenFitTest, OpensShowingAllItsControls) {
    const auto screen = GetParam().Create();
    screen->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
    const QRect inside = screen->rect();
    for (const QWidget* child : screen->findChildren<QWidget*>()) {
        if (!child->isVisibleTo(screen.get()) || child->isWindow()) {
            continue;
        }
        const QRect place(child->mapTo(screen.get(), QPoint(0, 0)), child->size());
        EXPECT_TRUE(inside.contains(place))
            << child->metaObject()->className() << " " << child->objectName().toStdString()
            << " at " << place.x() << "," << place.y() << " " << place.width() << "x"
            << place.height() << " in " << inside.width() << "x" << inside.height();
    }
    screen->close();
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ScreenFitTest,
    ::testing::Values(
        Screen<TCommitteeForm>("Committee"), Screen<TSampleRequired>("SampleRequired"),
        Screen<TSamplePreferedForm>("SamplePreferred"),
        Screen<TSelectedRequiredform>("SelectedRequired"),
        Screen<TSelectedPreferredForm>("SelectedPreferred"), Screen<TApplicantForm>("Applicants"),
        Screen<TCommitteeAddEditForm>("CommitteeDialog"),
        Screen<TApplicantAddEditForm>("ApplicantDialog"),
        Screen<TSelectedPreferredAddEditForm>("SelectedPreferredDialog"),
        Screen<TRateApplicantsForm>("RateApplicants"), Screen<TRatingSheetForm>("RatingSheet"),
        Screen<TNotRatingForm>("NotRating"), Screen<TRatingProgressForm>("RatingProgress"),
        Screen<TFirstLevelScreeningForm>("Screening"),
        Screen<TPrintRatingSheetsForm>("RatingSheets"), Screen<TPrintFinalForm>("FinalRating"),
        Screen<TPrintDisagreementsForm>("Disagreements"), Screen<TExportForm>("Export"),
        Screen<TUpdateForm>("Update"), Screen<TMergeRatingsForm>("MergeRatings"), ConflictList(),
        Screen<TUnInstallForm>("Uninstall"), Screen<TSupportForm>("Support"),
        Screen<TAboutBox>("About"), Screen<TChangeLogForm>("ChangeLog"),
        Screen<TReopenFinalForm>("ReopenFinal")),
    [](const auto& test) { return std::string(test.param.Name); });

} // namespace
} // namespace korvane
