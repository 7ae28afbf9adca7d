#include "app/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/AboutBox.h"
#include "app/Appearance.h"
#include "app/ChangeLogForm.h"
#include "app/ChoosePositionForm.h"
#include "app/FinalRatingCommands.h"
#include "app/SupportForm.h"
#include "data/FileNames.h"
#include "data/PositionFile.h"
#include "data/ProcessState.h"
#include "exchange/ExportForm.h"
#include "exchange/MergeRatingsForm.h"
#include "exchange/UpdateForm.h"
#include "maintenance/UnInstallForm.h"
#include "platform/sys/InOutError.h"
#include "platform/sys/System.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/Display.h"
#include "platform/ui/ElidedLabel.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScreenKit.h"
#include "platform/ui/SystemPrinter.h"
#include "rating/RateApplicantsForm.h"
#include "rating/RatingProgressForm.h"
#include "rating/RatingSheetForm.h"
#include "reports/FirstLevelScreeningForm.h"
#include "reports/PrintDisagreementsForm.h"
#include "reports/PrintFinalForm.h"
#include "reports/PrintRatingSheetsForm.h"
#include "setup/ApplicantForm.h"
#include "setup/CommitteeForm.h"
#include "setup/SamplePreferedForm.h"
#include "setup/SampleRequired.h"
#include "setup/SelectedPreferredForm.h"
#include "setup/SelectedRequiredform.h"
#include "setup/SetupPrecheck.h"

namespace korvane {

bool AdministrativeModeFromArguments(const QStringList& arguments) {
    return arguments.size() > 1 && arguments.at(1) == QStringLiteral("/QX");
}

TMainForm::TMainForm(const QStringList& arguments, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Korvane"));
    setFont(ScreenFont());
    resize(640, 440);
    setCentralWidget(new TMainBackground(this));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    Panel0 = new TElidedLabel(QStringLiteral("Position"), StatusBar1);
    Panel0->setObjectName(QStringLiteral("Panel0"));
    Panel0->setFixedWidth(250);
    Panel0->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1 = new QLabel(QStringLiteral("Override"), StatusBar1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedWidth(120);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2 = new QLabel(QStringLiteral("Read Only"), StatusBar1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->addWidget(Panel0);
    StatusBar1->addWidget(Panel1);
    StatusBar1->addWidget(Panel2);
    setStatusBar(StatusBar1);
    for (QObject* watched : {static_cast<QObject*>(StatusBar1), static_cast<QObject*>(Panel0),
                             static_cast<QObject*>(Panel1)}) {
        watched->installEventFilter(this);
    }

    BuildMenu();
    FormCreate(arguments);
}

TMainForm::~TMainForm() {
    FormDestroy();
}

QMenu* TMainForm::AddMenu(const char* name, const char* caption, int helpContext) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    SetHelpContext(menu, helpContext);
    menu->installEventFilter(this);
    return menu;
}

QAction* TMainForm::AddItem(QMenu* menu, const char* name, const char* caption, int helpContext,
                            void (TMainForm::*handler)()) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setProperty("korvaneHelpContext", helpContext);
    if (handler != nullptr) {
        connect(action, &QAction::triggered, this, [this, handler] {
            (this->*handler)();
            // The keyboard comes back here once the command's screens have closed.
            if (isVisible()) {
                activateWindow();
            }
        });
    }
    return action;
}

void TMainForm::BuildMenu() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    File1 = AddMenu("File1", "&File", 40);
    OpenPosition1 =
        AddItem(File1, "OpenPosition1", "&Open Position...", 500, &TMainForm::OpenPosition1Click);
    NewPosition1 =
        AddItem(File1, "NewPosition1", "Ne&w Position...", 510, &TMainForm::NewPosition1Click);
    File1->addSeparator();
    Export1 = AddItem(File1, "Export1", "&Export", 480, &TMainForm::Export1Click);
    Update1 = AddItem(File1, "Update1", "&Update", 40, &TMainForm::Update1Click);
    ChangeLog1 = AddItem(File1, "ChangeLog1", "Change &Log", 550, &TMainForm::ChangeLog1Click);
    File1->addSeparator();
    PrinterSetup1 =
        AddItem(File1, "PrinterSetup1", "&Printer Setup", 30, &TMainForm::PrinterSetup1Click);
    File1->addSeparator();
    Uninstall1 = AddItem(File1, "Uninstall1", "U&ninstall", 490, &TMainForm::Uninstall1Click);
    File1->addSeparator();
    Exit1 = AddItem(File1, "Exit1", "E&xit", 210, &TMainForm::Exit1Click);

    Setup1 = AddMenu("Setup1", "&Setup", 40);
    CommitteeMember1 = AddItem(Setup1, "CommitteeMember1", "&Committee Member", 100,
                               &TMainForm::CommitteeMember1Click);
    Setup1->addSeparator();
    RequiredCriteria1 = AddItem(Setup1, "RequiredCriteria1", "&Sample Required Criteria", 110,
                                &TMainForm::RequiredCriteria1Click);
    SelectedRequiredCriteria1 =
        AddItem(Setup1, "SelectedRequiredCriteria1", "S&elected Required Criteria", 120,
                &TMainForm::SelectedRequiredCriteria1Click);
    Setup1->addSeparator();
    SamplePreferedCriteria1 =
        AddItem(Setup1, "SamplePreferedCriteria1", "S&ample Preferred Criteria", 130,
                &TMainForm::SamplePreferedCriteria1Click);
    SelectedPreferredCriteria1 =
        AddItem(Setup1, "SelectedPreferredCriteria1", "Se&lected Preferred Criteria", 140,
                &TMainForm::SelectedPreferredCriteria1Click);
    Setup1->addSeparator();
    Applicants1 = AddItem(Setup1, "Applicants1", "&Applicants", 150, &TMainForm::Applicants1Click);

    Rate1 = AddMenu("Rate1", "&Rate", 190);
    RateApplicants1 = AddItem(Rate1, "RateApplicants1", "&Rate Applicants", 190,
                              &TMainForm::RateApplicants1Click);
    RatingProgress1 = AddItem(Rate1, "RatingProgress1", "Rating &Progress", 540,
                              &TMainForm::RatingProgress1Click);
    Rate1->addSeparator();
    MergeRatings1 = AddItem(Rate1, "MergeRatings1", "&Merge Ratings From Disk...", 530,
                            &TMainForm::MergeRatings1Click);

    Print1 = AddMenu("Print1", "&Print", 40);
    FirstLevelScreeningsheets1 =
        AddItem(Print1, "FirstLevelScreeningsheets1", "&First Level Screening Sheets", 160,
                &TMainForm::FirstLevelScreeningsheets1Click);
    Print1->addSeparator();
    RatingsSheets1 =
        AddItem(Print1, "RatingsSheets1", "&Ratings Sheets", 170, &TMainForm::RatingsSheets1Click);
    FinalRatingSheet1 = AddItem(Print1, "FinalRatingSheet1", "&Final Rating Sheet", 180,
                                &TMainForm::FinalRatingSheet1Click);
    RatingDisagreements1 = AddItem(Print1, "RatingDisagreements1", "Rating &Disagreements", 250,
                                   &TMainForm::RatingDisagreements1Click);
    Print1->addSeparator();
    FinaliseFinalRating1 = AddItem(Print1, "FinaliseFinalRating1", "Fi&nalise Final Rating...", 560,
                                   &TMainForm::FinaliseFinalRating1Click);
    ReopenFinalRating1 = AddItem(Print1, "ReopenFinalRating1", "Re&open Final Rating...", 560,
                                 &TMainForm::ReopenFinalRating1Click);

    Help1 = AddMenu("Help1", "&Help", 200);
    HelpContext1 =
        AddItem(Help1, "HelpContext1", "&Help Context", 40, &TMainForm::HelpContext1Click);
    HelpContext1->setShortcut(QKeySequence(Qt::Key_F1));
    Support1 = AddItem(Help1, "Support1", "&Support", 60, &TMainForm::Support1Click);
    Help1->addSeparator();
    About1 = AddItem(Help1, "About1", "&About", 40, &TMainForm::About1Click);
}

void TMainForm::FormCreate(const QStringList& arguments) {
    SetHelpContext(this, 30);
    AdministrativeMode = AdministrativeModeFromArguments(arguments);
    ShowPosition();
    ShowAdministrativeMode();
}

void TMainForm::ShowPosition() {
    ReadPositionTitle();
    Panel0->setText(FromCodePage(PositionTitle));
    std::error_code error;
    Panel2->setVisible(!CanWriteInFolder(std::filesystem::current_path(error).string()));
}

void TMainForm::OpenPosition1Click() {
    std::error_code error;
    const std::string previous = std::filesystem::current_path(error).string();
    if (AskAndOpenPosition(this)) {
        PositionChanged(previous);
    }
}

void TMainForm::NewPosition1Click() {
    std::error_code error;
    const std::string previous = std::filesystem::current_path(error).string();
    if (AskAndCreatePosition(this)) {
        PositionChanged(previous);
    }
}

void TMainForm::PositionChanged(const std::string& Previous) {
    try {
        LoadSettings();
        LoadAppearance();
    } catch (const std::exception& failure) {
        ShowError(FromCodePage(failure.what()), this);
        std::error_code error;
        std::filesystem::current_path(Previous, error);
        LoadSettings();
        LoadAppearance();
    }
    ShowPosition();
    // The administrative mode stays as started; the data commands serve the new position.
    ImportGuard_ = TImportRetryGuard();
    Uninstalled_ = false;
    for (QAction* item : DataCommands()) {
        item->setEnabled(true);
    }
    EnableAdministrativeCommands();
    centralWidget()->update();
}

QList<QAction*> TMainForm::DataCommands() const {
    return {CommitteeMember1,
            Applicants1,
            Update1,
            Export1,
            Uninstall1,
            RequiredCriteria1,
            SamplePreferedCriteria1,
            SelectedRequiredCriteria1,
            SelectedPreferredCriteria1,
            RateApplicants1,
            RatingProgress1,
            MergeRatings1,
            FirstLevelScreeningsheets1,
            RatingsSheets1,
            FinalRatingSheet1,
            RatingDisagreements1,
            ChangeLog1,
            HelpContext1};
}

void TMainForm::EnableAdministrativeCommands() {
    for (QAction* item : {FinaliseFinalRating1, ReopenFinalRating1}) {
        item->setEnabled(AdministrativeMode && !Uninstalled_);
    }
}

void TMainForm::ShowAdministrativeMode() {
    Panel1->setText(AdministrativeMode ? QStringLiteral("Administrative User") : QString());
    EnableAdministrativeCommands();
}

void TMainForm::StatusBar1MouseDown(Qt::KeyboardModifiers shift, bool doubleClick) {
    const Qt::KeyboardModifiers gesture = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (doubleClick && (shift & gesture) == gesture) {
        AdministrativeMode = !AdministrativeMode;
        ShowAdministrativeMode();
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == StatusBar1 || watched == Panel0 || watched == Panel1)) {
        StatusBar1MouseDown(static_cast<QMouseEvent*>(event)->modifiers(), true);
        return true;
    }
    // F1 on a highlighted menu item opens that item's topic.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            const QAction* item = menu->activeAction();
            const int context =
                item != nullptr ? item->property("korvaneHelpContext").toInt() : HelpContext(menu);
            menu->close();
            ShowHelpTopic(context);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QMainWindow::event(event);
}

void TMainForm::FormActivate() {
    // An applicant list dropped into the working directory is imported as soon as the window
    // becomes active. The window becomes active again when the import's progress window or
    // error box closes, so a list that failed is noted before anything is shown.
    if (Importing_ || Uninstalled_ || !ImportGuard_.ShouldTry(ApplicantListFileName)) {
        return;
    }
    Importing_ = true;
    TImportResult result;
    result.Reason = TImportOutcome::NotStored;
    QString failure;
    try {
        TUpdateForm screen(this);
        result = screen.ImportApplicants(ApplicantListFileName, "Automatic Update");
    } catch (const EInOutError& error) {
        failure = FromCodePage(error.what());
    }
    ImportGuard_.NoteResult(ApplicantListFileName, result);
    Importing_ = false;
    if (!failure.isEmpty()) {
        ShowError(failure, this);
    } else {
        ShowImportFailure(result, this);
    }
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize() {
    update();
}

void TMainForm::FormDestroy() {
    CloseHelp();
}

void TMainForm::HelpContext1Click() {
    ShowHelpContents();
}

void TMainForm::PrinterSetup1Click() {
    RunPrinterSetupDialog(this);
}

void TMainForm::Exit1Click() {
    close();
}

void TMainForm::About1Click() {
    TAboutBox about(this);
    about.exec();
    ShowAdministrativeMode();
}

void TMainForm::Support1Click() {
    TSupportForm support(this);
    support.exec();
}

void TMainForm::Export1Click() {
    TExportForm screen(this);
    ShowModal(screen);
}

void TMainForm::Update1Click() {
    TUpdateForm screen(this);
    ShowModal(screen);
}

void TMainForm::ChangeLog1Click() {
    TChangeLogForm screen(this);
    screen.exec();
}

void TMainForm::Uninstall1Click() {
    QString announcement;
    {
        TUnInstallForm screen(this);
        if (ShowModal(screen) != TModalResult::Ok) {
            return;
        }
        announcement = screen.Announcement();
    }
    Uninstalled_ = true;
    ShowError(announcement, this);
    // The data files are gone: only Printer Setup, Exit, Support and About stay, and the ways
    // to another position.
    for (QAction* item : DataCommands()) {
        item->setEnabled(false);
    }
    EnableAdministrativeCommands();
}
void TMainForm::CommitteeMember1Click() {
    TCommitteeForm screen(this);
    screen.exec();
}

void TMainForm::RequiredCriteria1Click() {
    TSampleRequired screen(this);
    screen.exec();
}

void TMainForm::SelectedRequiredCriteria1Click() {
    TSelectedRequiredform screen(this);
    screen.exec();
}

void TMainForm::SamplePreferedCriteria1Click() {
    TSamplePreferedForm screen(this);
    screen.exec();
}

void TMainForm::SelectedPreferredCriteria1Click() {
    TSelectedPreferredForm screen(this);
    screen.exec();
}

void TMainForm::Applicants1Click() {
    TApplicantForm screen(this);
    screen.exec();
}

void TMainForm::RateApplicants1Click() {
    if (!CheckPreferredSetup(this)) {
        return;
    }
    std::int32_t member = 0;
    std::int32_t applicant = 0;
    {
        // Released before the sheet opens: the sheet makes its own copy of the pool.
        TRateApplicantsForm choice(this);
        if (choice.exec() != QDialog::Accepted) {
            return;
        }
        member = choice.CommitteeID();
        applicant = choice.ApplicantID();
    }
    TRatingSheetForm sheet(this);
    sheet.SetCommitteeMember(member);
    sheet.SetApplicant(applicant);
    sheet.exec();
}

void TMainForm::RatingProgress1Click() {
    if (!CheckPreferredSetup(this)) {
        return;
    }
    ShowRatingProgress(this);
}

void TMainForm::MergeRatings1Click() {
    TMergeRatingsForm screen(this);
    ShowModal(screen);
}

void TMainForm::FirstLevelScreeningsheets1Click() {
    if (!CheckRequiredSetup(this)) {
        return;
    }
    TFirstLevelScreeningForm screen(this);
    screen.exec();
}

template <class TScreen> void TMainForm::OpenRatingPrintout() {
    if (!CheckPreferredSetup(this)) {
        return;
    }
    TScreen screen(this);
    screen.ShowProgress = ShowRatingProgress;
    screen.exec();
}

void TMainForm::RatingsSheets1Click() {
    OpenRatingPrintout<TPrintRatingSheetsForm>();
}

void TMainForm::FinalRatingSheet1Click() {
    OpenRatingPrintout<TPrintFinalForm>();
}

void TMainForm::RatingDisagreements1Click() {
    OpenRatingPrintout<TPrintDisagreementsForm>();
}

void TMainForm::FinaliseFinalRating1Click() {
    if (AdministrativeMode) {
        FinaliseFinalRatingCommand(this);
    }
}

void TMainForm::ReopenFinalRating1Click() {
    // A list refused while the rating was finalised may be imported now.
    if (AdministrativeMode && ReopenFinalRatingCommand(this)) {
        ImportGuard_ = TImportRetryGuard();
    }
}

TMainBackground::TMainBackground(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Background"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TMainBackground::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FormPaint(painter, width(), height(), DisplayDepth());
}

void FormPaint(QPainter& painter, int W, int H, int displayDepth) {
    // The last painted row is black, so the gradient runs over rows 0..H-1.
    const int last = H > 0 ? H - 1 : 0;
    if (displayDepth < 9) {
        painter.fillRect(0, 0, W, H, Qt::black);
    } else {
        double r = BackgroundColor.red();
        double g = BackgroundColor.green();
        double b = BackgroundColor.blue();
        const double stepR = last != 0 ? r / last : 1.0;
        const double stepG = last != 0 ? g / last : 1.0;
        const double stepB = last != 0 ? b / last : 1.0;
        for (int y = 0; y <= last; ++y) {
            // nearbyint rounds halves to the even neighbour.
            const auto channel = [](double value) {
                return std::clamp(static_cast<int>(std::nearbyint(value)), 0, 255);
            };
            painter.setPen(QColor(channel(r), channel(g), channel(b)));
            painter.drawLine(0, y, W, y);
            r -= stepR;
            g -= stepG;
            b -= stepB;
        }
    }

    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(24);
    painter.setFont(font);
    painter.setPen(NameColor);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics(font);
    const QString text = FromCodePage(OrganisationName) + QLatin1Char(' ');
    const qsizetype length = text.size();
    int y = 0;
    for (qsizetype k = 0; y < H; ++k) {
        QString row(text.at(k % length));
        // Bounded by W characters, so a name of zero-width characters cannot loop for ever.
        for (qsizetype next = k + 1; metrics.horizontalAdvance(row) < W && row.size() <= W;
             ++next) {
            row.append(text.at(next % length));
        }
        painter.drawText(0, y + metrics.ascent(), row);
        y += std::max(1, metrics.height());
    }
}

} // namespace korvane
