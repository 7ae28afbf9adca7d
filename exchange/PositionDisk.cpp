#include "exchange/PositionDisk.h"

#include <QListWidget>
#include <QPushButton>

#include <filesystem>
#include <optional>

#include "data/FileNames.h"
#include "data/PositionFile.h"
#include "data/ProcessState.h"
#include "platform/sys/Drives.h"
#include "platform/sys/FileCopy.h"
#include "platform/sys/FileReplace.h"
#include "platform/sys/InOutError.h"
#include "platform/sys/TextFile.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/MessageBox.h"

namespace korvane {

namespace {

// The longest disk title the mismatch question shows whole.
constexpr qsizetype ShownTitleLength = 188;

// The first line of kvn.dat in Root; nullopt when there is none to read.
std::optional<std::string> DiskPositionTitle(const std::string& Root) {
    // No drive: never fall back on the working directory's own position file.
    if (Root.empty()) {
        return std::nullopt;
    }
    try {
        return PositionTitleOn(Root);
    } catch (const EInOutError&) {
        return std::nullopt; // a disk that cannot be read holds no position
    }
}

} // namespace

void FillDriveList(QListWidget* List, QPushButton* Action) {
    List->clear();
    for (const auto& item : DriveListItems()) {
        List->addItem(QString::fromLatin1(item));
    }
    Action->setEnabled(List->count() > 0);
    if (List->count() > 0) {
        List->setCurrentRow(0);
    }
}

char SelectedDriveLetter(const QListWidget* List) {
    const QListWidgetItem* item = List->currentItem();
    if (item == nullptr || !item->isSelected()) {
        return 0;
    }
    return DriveLetterOfItem(item->text().toStdString());
}

bool WaitForDisk(int Number, const std::string& Root, QWidget* Parent) {
    const std::string marker = Root + "Disk" + std::to_string(Number) + ".id";
    const auto present = [&] {
        std::error_code error;
        return !Root.empty() && std::filesystem::exists(marker, error);
    };
    bool found = present();
    while (!found) {
        if (ShowMessage(QStringLiteral("Please Insert Disk #") + QString::number(Number),
                        TMessageKind::Error, TMessageButtons::OkCancel,
                        Parent) != TModalResult::Ok) {
            break;
        }
        found = present();
    }
    if (found) {
        // What killed copies onto this disk left behind.
        RemoveChangeLeftovers(Root, {PositionFolderFiles.begin(), PositionFolderFiles.end()});
    }
    return found;
}

bool CheckDiskPosition(char Letter, QWidget* Parent) {
    auto title = DiskPositionTitle(DriveRoot(Letter));
    if (!title) {
        ShowMessage(QStringLiteral("Error: Position File Not Found On This Disk"),
                    TMessageKind::Error, TMessageButtons::Ok, Parent);
        title = std::string();
    }
    if (*title == PositionTitle) {
        return true;
    }
    QString shown = FromCodePage(*title);
    if (shown.size() > ShownTitleLength) {
        shown = shown.left(ShownTitleLength) + QStringLiteral("...");
    }
    return ShowMessage(QStringLiteral("Error, Positions Do Not Match:\n\nPosition on Disk: ") +
                           shown + QStringLiteral("\n\nProceed Anyway?"),
                       TMessageKind::Error, TMessageButtons::YesNo, Parent) == TModalResult::Yes;
}

bool CheckDiskPositionForMerge(char Letter, QWidget* Parent) {
    const auto title = DiskPositionTitle(DriveRoot(Letter));
    if (!title) {
        ShowError(QStringLiteral("Error: Position File Not Found On This Disk"), Parent);
        return false;
    }
    if (*title == PositionTitle) {
        return true;
    }
    const QString shown = FromCodePage(*title).left(ShownTitleLength);
    return ShowMessage(QStringLiteral("The Disk Holds The Position ") + shown +
                           QStringLiteral("; Merge Its Ratings Anyway?"),
                       TMessageKind::Question, TMessageButtons::YesNo, Parent,
                       TDefaultAnswer::No) == TModalResult::Yes;
}

bool CopyDataFile(const std::string& Source, const std::string& Destination) {
    return CopyFileReplacing(Source, Destination);
}

} // namespace korvane
