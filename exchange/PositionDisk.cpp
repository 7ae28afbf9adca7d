#include "exchange/PositionDisk.h"

#include <QFile>
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
#include "platform/sys/OutputPath.h"
#include "platform/sys/TextFile.h"
#include "platform/ui/CodePage.h"
#include "platform/ui/MessageBox.h"

namespace korvane {

namespace {

bool Exists(const std::string& Path) {
    std::error_code error;
    return std::filesystem::exists(Path, error);
}

std::string MarkerPath(int Number, const std::string& Root) {
    return Root + "Disk" + std::to_string(Number) + ".id";
}

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
        List->addItem(QFile::decodeName(QByteArray::fromStdString(item)));
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
    return DriveLetterOfItem(QFile::encodeName(item->text()).toStdString());
}

bool WaitForDisk(int Number, const std::string& Root, QWidget* Parent) {
    const std::string marker = MarkerPath(Number, Root);
    const auto present = [&] { return !Root.empty() && Exists(marker); };
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

bool OfferPositionDisk(char Letter, QWidget* Parent) {
    const std::string root = DriveRoot(Letter);
    const std::string marker = MarkerPath(PositionDiskNumber, root);
    std::error_code error;
    if (!IsWritableFolder(root) ||
        std::filesystem::exists(std::filesystem::symlink_status(marker, error))) {
        return false;
    }
    const QString drive = QStringLiteral("Drive ") + QLatin1Char(Letter) + QLatin1Char(':');
    const std::string folder = root.size() > 1 ? root.substr(0, root.size() - 1) : root;
    if (!AskYesNo(QStringLiteral("There Is No Position Disk In ") + drive + QStringLiteral(" (") +
                      ElidedInMessage(QFile::decodeName(QByteArray::fromStdString(folder))) +
                      QStringLiteral(").\n\nMake It The Position Disk For ") +
                      ElidedInMessage(FromCodePage(PositionTitle)) + QLatin1Char('?'),
                  Parent, TDefaultAnswer::Yes)) {
        return false;
    }
    // The position file goes first, so that the disk never carries the marker without it.
    const std::string positionFile = root + PositionFileName;
    const bool made = (Exists(positionFile) || !Exists(PositionFileName) ||
                       CopyDataFile(PositionFileName, positionFile)) &&
                      OutputPathCheck(marker).Ok() && WriteFileReplacing(marker, {});
    if (!made) {
        ShowError(QStringLiteral("Error: ") + drive +
                      QStringLiteral(" Could Not Be Made A Position Disk"),
                  Parent);
    }
    return made;
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
    // Yes lets the export overwrite the other position's disk, or the update bring in its
    // applicants: the question names both positions, and Enter answers No.
    return ShowMessage(QStringLiteral("Error, Positions Do Not Match:\n\nPosition on Disk: ") +
                           ElidedInMessage(FromCodePage(*title)) +
                           QStringLiteral("\nPosition on This Computer: ") +
                           ElidedInMessage(FromCodePage(PositionTitle)) +
                           QStringLiteral("\n\nProceed Anyway?"),
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
    return AskYesNo(QStringLiteral("The Disk Holds The Position ") +
                        ElidedInMessage(FromCodePage(*title)) +
                        QStringLiteral("; Merge Its Ratings Anyway?"),
                    Parent);
}

bool CopyDataFile(const std::string& Source, const std::string& Destination) {
    // A link or a device on the disk in the place of a data file stays as it is.
    return OutputPathCheck(Destination).Ok() && CopyFileReplacing(Source, Destination);
}

} // namespace korvane
