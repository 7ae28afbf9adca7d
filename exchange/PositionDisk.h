#pragma once

#include <string>

class QListWidget;
class QPushButton;
class QWidget;

namespace korvane {

// The services the export and the update share: the drive list, waiting for the position disk
// and checking that it belongs to the open position, and copying a file onto it. Whether a
// letter names a removable drive, and where its root is, the drive layer answers
// (IsRemovableDrive and DriveRoot in platform/sys/Drives.h).

// The number of the position disk, the only disk the export and the update ask for.
inline constexpr int PositionDiskNumber = 2;

// Lists the removable drives as "Drive E: Removable (/media/stick)" in letter order and selects
// the first;
// Action is enabled only when there is a drive to act on.
void FillDriveList(QListWidget* List, QPushButton* Action);

// The drive letter of the selected drive list item; 0 when no item is selected.
char SelectedDriveLetter(const QListWidget* List);

// True when the marker file "Disk<Number>.id" is in Root. While it is not, asks the user to
// insert the disk (OK looks again, Cancel gives up). An empty Root (no such drive) never holds
// the disk.
bool WaitForDisk(int Number, const std::string& Root, QWidget* Parent = nullptr);

// When drive Letter is writable and holds no position disk (no Disk2.id), asks whether to make
// it the position disk of the open position; Yes writes Disk2.id, and the position file when
// the disk has none, so that the export can go on. Nothing on the disk is overwritten. True
// when the disk was made.
bool OfferPositionDisk(char Letter, QWidget* Parent = nullptr);

// True when the disk in drive Letter may be used for the open position: the first line of its
// kvn.dat equals PositionTitle exactly, or the user answers Yes to using it all the same. A disk
// without a position file is reported first and then compared as an empty title.
bool CheckDiskPosition(char Letter, QWidget* Parent = nullptr);

// The same check before ratings are merged from the disk in drive Letter: a different title
// asks "The Disk Holds The Position …; Merge Its Ratings Anyway?", and Enter answers No. A disk
// without a position file is no position disk: reported, and refused.
bool CheckDiskPositionForMerge(char Letter, QWidget* Parent = nullptr);

// Copies Source over Destination; the older copy stays whole when the copy fails. A destination
// that is not a regular file (a link, a device, a folder) is refused and left alone.
bool CopyDataFile(const std::string& Source, const std::string& Destination);

} // namespace korvane
