#include "app/ChoosePositionForm.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

#include "app/NewPositionForm.h"
#include "app/PositionFolder.h"
#include "app/RecentPositions.h"
#include "data/PositionFile.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MessageBox.h"
#include "setup/ListScreen.h"

namespace korvane {

namespace {

constexpr int ChoosePositionHelpContext = 500;

} // namespace

bool OpenPositionIn(const QString& Folder, QWidget* Parent) {
    const std::string refused = OpenPositionFolder(QFile::encodeName(Folder).toStdString());
    if (!refused.empty()) {
        ShowError(QFile::decodeName(QByteArray::fromStdString(refused)), Parent);
        return false;
    }
    RememberOpenedPosition();
    return true;
}

bool AskAndOpenPosition(QWidget* Parent) {
    const QString folder = QFileDialog::getExistingDirectory(
        Parent, QStringLiteral("Open Position"), QDir::currentPath());
    return !folder.isEmpty() && OpenPositionIn(folder, Parent);
}

bool AskAndCreatePosition(QWidget* Parent) {
    TNewPositionForm form(Parent);
    return ShowModal(form) == TModalResult::Ok && OpenPositionIn(form.Folder(), Parent);
}

void RememberOpenedPosition() {
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    // The list only spares a search: a list that cannot be written costs nothing else.
    if (!error) {
        TRecentPositions().Remember(folder, SecondsNow());
    }
}

TChoosePositionForm::TChoosePositionForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ChoosePositionForm"));
    setWindowTitle(QStringLiteral("Choose Position"));
    setFont(ScreenFont());
    SetHelpContext(this, ChoosePositionHelpContext);
    resize(700, 300);

    PositionList = new QTreeWidget(this);
    PositionList->setObjectName(QStringLiteral("PositionList"));
    PositionList->setHeaderLabels(
        {QStringLiteral("Title"), QStringLiteral("Folder"), QStringLiteral("Last Opened")});
    PositionList->setRootIsDecorated(false);
    PositionList->setUniformRowHeights(true);
    PositionList->setAllColumnsShowFocus(true);
    auto* label = new QLabel(QStringLiteral("&Recent Positions:"), this);
    label->setBuddy(PositionList);

    OpenBtn = new QPushButton(QStringLiteral("&Open"), this);
    OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
    OpenFolderBtn = new QPushButton(QStringLiteral("Open &Folder..."), this);
    OpenFolderBtn->setObjectName(QStringLiteral("OpenFolderBtn"));
    NewPositionBtn = new QPushButton(QStringLiteral("&New Position..."), this);
    NewPositionBtn->setObjectName(QStringLiteral("NewPositionBtn"));
    ExitBtn = new QPushButton(QStringLiteral("E&xit"), this);
    ExitBtn->setObjectName(QStringLiteral("ExitBtn"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {OpenBtn, OpenFolderBtn, NewPositionBtn}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(ExitBtn);
    auto* list = new QVBoxLayout;
    list->addWidget(label);
    list->addWidget(PositionList);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addLayout(buttons);

    connect(OpenBtn, &QPushButton::clicked, this, &TChoosePositionForm::OpenBtnClick);
    connect(OpenFolderBtn, &QPushButton::clicked, this, &TChoosePositionForm::OpenFolderBtnClick);
    connect(NewPositionBtn, &QPushButton::clicked, this, &TChoosePositionForm::NewPositionBtnClick);
    connect(ExitBtn, &QPushButton::clicked, this,
            [this] { CloseWith(*this, TModalResult::Cancel); });
    connect(PositionList, &QTreeWidget::itemActivated, this, &TChoosePositionForm::OpenBtnClick);
    FillList();
}

void TChoosePositionForm::FillList() {
    PositionList->clear();
    for (const TRecentPosition& position : TRecentPositions().Positions()) {
        auto* item = new QTreeWidgetItem(PositionList);
        item->setText(0, FromCodePage(PositionTitleIn(position.Folder + "/")));
        item->setText(1, QFile::decodeName(QByteArray::fromStdString(position.Folder)));
        item->setText(2, QLocale().toString(QDateTime::fromSecsSinceEpoch(position.OpenedAt),
                                            QLocale::ShortFormat));
    }
    // Wide enough for a usual title and folder even while the list is empty.
    const int widths[] = {180, 250, 110};
    for (int column = 0; column < PositionList->columnCount(); ++column) {
        PositionList->resizeColumnToContents(column);
        PositionList->setColumnWidth(column,
                                     std::max(widths[column], PositionList->columnWidth(column)));
    }
    // With no position to open, Enter makes a new one.
    const bool any = PositionList->topLevelItemCount() > 0;
    OpenBtn->setEnabled(any);
    (any ? OpenBtn : NewPositionBtn)->setDefault(true);
    if (any) {
        PositionList->setCurrentItem(PositionList->topLevelItem(0));
        PositionList->setFocus();
    } else {
        NewPositionBtn->setFocus();
    }
}

void TChoosePositionForm::OpenBtnClick() {
    const QTreeWidgetItem* item = PositionList->currentItem();
    if (item == nullptr) {
        return;
    }
    if (OpenPositionIn(item->text(1), this)) {
        CloseWith(*this, TModalResult::Ok);
    } else {
        FillList(); // it is gone: the list now leaves it out
    }
}

void TChoosePositionForm::OpenFolderBtnClick() {
    if (AskAndOpenPosition(this)) {
        CloseWith(*this, TModalResult::Ok);
    }
}

void TChoosePositionForm::NewPositionBtnClick() {
    if (AskAndCreatePosition(this)) {
        CloseWith(*this, TModalResult::Ok);
    }
}

} // namespace korvane
