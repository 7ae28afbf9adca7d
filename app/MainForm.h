#pragma once

#include <QList>
#include <QMainWindow>
#include <QStringList>

#include <string>

#include "data/ApplicantImport.h"
#include "platform/ui/ElidedLabel.h"

class QAction;
class QLabel;
class QMenu;
class QPainter;
class QStatusBar;

namespace korvane {

// True when the first command-line argument is exactly "/QX".
bool AdministrativeModeFromArguments(const QStringList& arguments);

// The main window: the menu of every screen, the status bar with the position title and the
// administrative mode, and the painted background.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // arguments: the command line, program name first.
    explicit TMainForm(const QStringList& arguments, QWidget* parent = nullptr);
    ~TMainForm() override;

    QStatusBar* StatusBar1;
    TElidedLabel* Panel0; // the position title, cut with "…" when long
    QLabel* Panel1;       // "Administrative User" or empty
    QLabel* Panel2;       // "Read Only" when the position's folder cannot be written

    QMenu* File1;
    QMenu* Setup1;
    QMenu* Rate1;
    QMenu* Print1;
    QMenu* Help1;
    QAction* OpenPosition1;
    QAction* NewPosition1;
    QAction* Export1;
    QAction* Update1;
    QAction* ChangeLog1;
    QAction* PrinterSetup1;
    QAction* Uninstall1;
    QAction* Exit1;
    QAction* CommitteeMember1;
    QAction* RequiredCriteria1;
    QAction* SelectedRequiredCriteria1;
    QAction* SamplePreferedCriteria1;
    QAction* SelectedPreferredCriteria1;
    QAction* Applicants1;
    QAction* RateApplicants1;
    QAction* MergeRatings1;
    QAction* RatingProgress1;
    QAction* FirstLevelScreeningsheets1;
    QAction* RatingsSheets1;
    QAction* FinalRatingSheet1;
    QAction* RatingDisagreements1;
    QAction* FinaliseFinalRating1; // administrative mode
    QAction* ReopenFinalRating1;   // administrative mode
    QAction* HelpContext1;
    QAction* Support1;
    QAction* About1;

    void ShowAdministrativeMode();
    // The status-bar gesture: Shift+Ctrl+Alt with a double click switches the mode.
    void StatusBar1MouseDown(Qt::KeyboardModifiers shift, bool doubleClick);

    void OpenPosition1Click();
    void NewPosition1Click();
    void Export1Click();
    void Update1Click();
    void ChangeLog1Click();
    void PrinterSetup1Click();
    void Uninstall1Click();
    void Exit1Click();
    void CommitteeMember1Click();
    void RequiredCriteria1Click();
    void SelectedRequiredCriteria1Click();
    void SamplePreferedCriteria1Click();
    void SelectedPreferredCriteria1Click();
    void Applicants1Click();
    void RateApplicants1Click();
    void MergeRatings1Click();
    void RatingProgress1Click();
    void FirstLevelScreeningsheets1Click();
    void RatingsSheets1Click();
    void FinalRatingSheet1Click();
    void RatingDisagreements1Click();
    void FinaliseFinalRating1Click();
    void ReopenFinalRating1Click();
    void HelpContext1Click();
    void Support1Click();
    void About1Click();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate(const QStringList& arguments);
    void FormActivate();
    void FormResize();
    void FormDestroy();
    void BuildMenu();
    // After another position was opened: the process-wide values of the new folder, or, when
    // its settings cannot be read, the previous folder again.
    void PositionChanged(const std::string& Previous);
    void ShowPosition();
    // The commands that need the position's data files.
    QList<QAction*> DataCommands() const;
    // The commands of the administrative mode, with the data.
    void EnableAdministrativeCommands();
    QAction* AddItem(QMenu* menu, const char* name, const char* caption, int helpContext,
                     void (TMainForm::*handler)());
    QMenu* AddMenu(const char* name, const char* caption, int helpContext);
    // A printout resting on the ratings: its screen after the set-up check, the progress screen
    // behind its warning of missing ratings.
    template <class TScreen> void OpenRatingPrintout();

    // A list in the working directory whose import failed is not tried again while unchanged.
    TImportRetryGuard ImportGuard_;
    bool Importing_ = false;
    // After the uninstall the data files are gone; nothing may bring them back in this run.
    bool Uninstalled_ = false;
};

// Paints the main window's client area: the gradient and the repeated organisation name.
class TMainBackground : public QWidget {
    Q_OBJECT
public:
    explicit TMainBackground(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The gradient and the repeated name on any painter of the given size (used by FormPaint).
void FormPaint(QPainter& painter, int W, int H, int displayDepth);

} // namespace korvane
