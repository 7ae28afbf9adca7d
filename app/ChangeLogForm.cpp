#include "app/ChangeLogForm.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#include "data/DataBase.h"
#include "data/FileNames.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/RecordGrid.h"
#include "platform/ui/ScreenKit.h"
#include "reports/PrintDestination.h"
#include "reports/RatingSheetLayout.h"
#include "reports/ReportHeader.h"
#include "reports/ReportPreviewForm.h"
#include "setup/ListPrintout.h"

namespace korvane {

namespace {

constexpr int ChangeLogHelpContext = 550;
constexpr int Width = 780;
constexpr int Height = 470;

enum TColumn { TimeColumn, UserColumn, ModeColumn, CommandColumn, WhatColumn };

QString ColumnText(const TChangeEntry& Entry, int Col) {
    switch (Col) {
    case TimeColumn:
        return QString::fromStdString(Entry.Time);
    case UserColumn:
        return QString::fromStdString(Entry.User);
    case ModeColumn:
        return Entry.Administrative ? QStringLiteral("Admin") : QString();
    case CommandColumn:
        return QString::fromStdString(Entry.Change.Command);
    case WhatColumn:
        return QString::fromStdString(Entry.Change.What);
    default:
        return {};
    }
}

// "4711 SMITH JOHN" for an ID the list file knows, "4711" for one it no longer holds. The file is
// read only when it is there: a look at the log creates no data file.
QString Named(std::optional<TDataBase>& List, std::int32_t ID) {
    if (!List) {
        return QString::number(ID);
    }
    TDataRecord record;
    List->Find(record, ID);
    const bool found = List->Opened() && (List->Status() & stNotFound) == 0;
    return found ? QString::number(ID) + QLatin1Char(' ') + FromCodePage(record.Description)
                 : QString::number(ID);
}

void FillIDs(QComboBox* Box, const QString& All, const std::set<std::int32_t>& IDs,
             const char* ListFile) {
    std::optional<TDataBase> list;
    std::error_code error;
    if (std::filesystem::is_regular_file(ListFile, error)) {
        list.emplace(ListFile);
    }
    Box->addItem(All, 0);
    for (const std::int32_t id : IDs) {
        Box->addItem(Named(list, id), id);
    }
}

// Text broken into lines of at most Room device units at blanks; a word longer than a line is
// broken where the line is full.
QStringList Wrapped(const TReportPreviewForm& Report, const QString& Text, int Room) {
    QStringList lines;
    QString line;
    for (const QString& word : Text.split(QLatin1Char(' '))) {
        QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        while (Report.TextWidth(candidate) > Room) {
            if (!line.isEmpty()) {
                lines << line;
                line.clear();
                candidate = word;
                continue;
            }
            int fits = static_cast<int>(candidate.size()) - 1;
            while (fits > 1 && Report.TextWidth(candidate.left(fits)) > Room) {
                --fits;
            }
            lines << candidate.left(fits);
            candidate = candidate.mid(fits);
        }
        line = candidate;
    }
    lines << line;
    return lines;
}

TListPrintout Printout() {
    return {"Change Log",
            0.5,
            8.0,
            {{0.55, "Time (UTC)"},
             {1.95, nullptr},
             {2.0, "User"},
             {2.75, nullptr},
             {2.8, "Admin"},
             {3.2, nullptr},
             {3.25, "Command"},
             {4.45, nullptr},
             {4.5, "What Changed"}},
            {}};
}

} // namespace

TChangeLogForm::TChangeLogForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ChangeLogForm"));
    setWindowTitle(QStringLiteral("Change Log"));
    setFont(ScreenFont());
    MakeFixedDialog(this, QSize(Width, Height));

    const auto filter = [this](const char* name, const char* caption, int left) {
        NewLabel(this, name, QString::fromLatin1(caption), QRect(left, 12, 58, 16));
        auto* box = new QComboBox(this);
        box->setGeometry(left + 60, 8, 170, 22);
        return box;
    };
    ApplicantFilter = filter("Label1", "Applicant:", 8);
    ApplicantFilter->setObjectName(QStringLiteral("ApplicantFilter"));
    MemberFilter = filter("Label2", "Member:", 262);
    MemberFilter->setObjectName(QStringLiteral("MemberFilter"));
    CommandFilter = filter("Label3", "Command:", 516);
    CommandFilter->setObjectName(QStringLiteral("CommandFilter"));

    DrawGrid1 = new TRecordGrid(this);
    DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
    DrawGrid1->Bind(
        {QStringLiteral("Time (UTC)"), QStringLiteral("User"), QStringLiteral("Mode"),
         QStringLiteral("Command"), QStringLiteral("What Changed")},
        [this] { return static_cast<int>(Shown_.size()); },
        [this](int col, int row) { return CellText(col, row); });
    DrawGrid1->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goRowSelect |
                          goThumbTracking);
    DrawGrid1->SetColWidths({118, 80, 40, 150, 352});
    DrawGrid1->SetDefaultRowHeight(QFontInfo(DrawGrid1->font()).pixelSize() + 4);
    DrawGrid1->setGeometry(8, 38, Width - 16, 330);

    Detail = NewLabel(this, "Detail", QString(), QRect(8, 374, Width - 16, 34));
    Detail->setWordWrap(true);
    Detail->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Detail->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Damaged = NewLabel(this, "Damaged", QString(), QRect(8, 440, Width - 16 - 3 * 95, 16));
    PrintBtn = NewButton(this, "PrintBtn", "&Print", QRect(Width - 3 * 95, 436, 89, 25));
    HelpBtn = NewButton(this, "HelpBtn", "&Help", QRect(Width - 2 * 95, 436, 89, 25));
    CloseBtn = NewButton(this, "CloseBtn", "&Close", QRect(Width - 95, 436, 89, 25));
    CloseBtn->setDefault(true);

    connect(PrintBtn, &QPushButton::clicked, this, &TChangeLogForm::PrintBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, [] { ShowHelpTopic(ChangeLogHelpContext); });
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(DrawGrid1, &TDrawGrid::RowChanged, this, &TChangeLogForm::ShowDetail);
    FormCreate();
    for (QComboBox* box : {ApplicantFilter, MemberFilter, CommandFilter}) {
        connect(box, &QComboBox::currentIndexChanged, this, &TChangeLogForm::FilterChanged);
    }
}

void TChangeLogForm::FormCreate() {
    SetHelpContext(this, ChangeLogHelpContext);
    Log_ = ReadChangeLog();
    FillFilters();
    QStringList damaged;
    for (const int line : Log_.DamagedLines) {
        damaged << QString::number(line);
    }
    if (Log_.Unreadable) {
        Damaged->setText(QStringLiteral("Changes.log Cannot Be Read"));
    } else if (!damaged.isEmpty()) {
        Damaged->setText(QStringLiteral("Damaged Lines Not Shown: ") +
                         damaged.join(QStringLiteral(", ")));
    }
    FilterChanged();
}

void TChangeLogForm::FillFilters() {
    std::set<std::int32_t> applicants;
    std::set<std::int32_t> members;
    QStringList commands;
    for (const TChangeEntry& entry : Log_.Entries) {
        if (entry.Change.ApplicantID != 0) {
            applicants.insert(entry.Change.ApplicantID);
        }
        if (entry.Change.MemberID != 0) {
            members.insert(entry.Change.MemberID);
        }
        const QString command = QString::fromStdString(entry.Change.Command);
        if (!commands.contains(command)) {
            commands << command;
        }
    }
    FillIDs(ApplicantFilter, QStringLiteral("All Applicants"), applicants, ApplicantFileName);
    FillIDs(MemberFilter, QStringLiteral("All Members"), members, CommitteeFileName);
    commands.sort();
    CommandFilter->addItem(QStringLiteral("All Commands"), QString());
    for (const QString& command : commands) {
        CommandFilter->addItem(command, command);
    }
}

TChangeFilter TChangeLogForm::Filter() const {
    return {ApplicantFilter->currentData().toInt(), MemberFilter->currentData().toInt(),
            CommandFilter->currentData().toString().toStdString()};
}

void TChangeLogForm::FilterChanged() {
    Shown_ = NewestFirst(Log_.Entries, Filter());
    DrawGrid1->Reload();
    DrawGrid1->SetRow(1);
    DrawGrid1->Repaint();
    PrintBtn->setEnabled(!Shown_.empty());
    ShowDetail(1);
}

QString TChangeLogForm::CellText(int col, int row) const {
    if (row < 1 || row > static_cast<int>(Shown_.size())) {
        return {};
    }
    return ColumnText(Shown_[static_cast<std::size_t>(row - 1)], col);
}

void TChangeLogForm::ShowDetail(int row) {
    Detail->setText(CellText(WhatColumn, row));
}

void TChangeLogForm::PrintBtnClick() {
    const TPrintDestination to = SettingsDestination();
    if (ConfirmPrint(this, to)) {
        PrintLog(to);
    }
}

void TChangeLogForm::PrintLog(const TPrintDestination& to) {
    const TListPrintout layout = Printout();
    QStringList narrowed;
    for (const QComboBox* box : {ApplicantFilter, MemberFilter, CommandFilter}) {
        if (box->currentIndex() > 0) {
            narrowed << box->currentText();
        }
    }
    TReportPreviewForm report(this);
    report.BeginReport(to, false, false);
    const auto header = [&] {
        PrintListPageHeader(report, ListHeaderText(QString::fromLatin1(layout.Title)));
        if (!narrowed.isEmpty()) {
            report.TextAt(QStringLiteral("Only: ") + narrowed.join(QStringLiteral("; ")), 0.5);
            report.NewLine();
        }
        PrintListBand(report, layout);
    };
    const auto newLine = [&] {
        report.NewLine();
        if (report.PageStarted()) {
            header();
        }
    };
    header();
    const int room = report.Column(7.95) - report.Column(4.5);
    const int commandRoom = report.Column(4.45) - report.Column(3.25);
    for (const TChangeEntry& entry : Shown_) {
        report.TextAt(ColumnText(entry, TimeColumn), 0.55);
        report.TextAt(FittedText(report, ColumnText(entry, UserColumn), 2.0, 2.75), 2.0);
        report.TextAt(ColumnText(entry, ModeColumn), 2.8);
        // A command's name is read whole, like what it changed.
        const QStringList commands = Wrapped(report, ColumnText(entry, CommandColumn), commandRoom);
        const QStringList lines = Wrapped(report, ColumnText(entry, WhatColumn), room);
        for (qsizetype i = 0; i < std::max(commands.size(), lines.size()); ++i) {
            if (i < commands.size()) {
                report.TextAt(commands[i], 3.25);
            }
            if (i < lines.size()) {
                report.TextAt(lines[i], 4.5);
            }
            newLine();
        }
    }
    if (!Damaged->text().isEmpty()) {
        report.NewLine();
        report.TextAt(Damaged->text(), 0.5);
    }
    report.EndReport();
}

} // namespace korvane
