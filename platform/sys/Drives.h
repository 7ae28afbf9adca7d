#pragma once

#include <string>
#include <vector>

namespace korvane {

// A removable drive: its letter and the folder it is mounted on.
struct TDrive {
    char Letter = 0;
    std::string MountPoint;

    bool operator==(const TDrive&) const = default;
};

// The removable drives in letter order. When KORVANE_DRIVES is set (even empty) it alone names
// them, as "E=/media/stick;A=/mnt/floppy"; otherwise the mounted removable devices get the
// letters from D on, in mount-point order.
std::vector<TDrive> RemovableDrives();

// Whether Letter (either case) names a removable drive; a disk need not be in it.
bool IsRemovableDrive(char Letter);

// The root of a drive: its mount point ending in '/'; empty when Letter names no drive.
std::string DriveRoot(char Letter);

// The drive list of the export and update screens: "Drive E: Removable (/media/stick)" per
// drive, in letter order, with the folder the drive is mounted on. The drive letter of an item
// is its seventh character.
std::vector<std::string> DriveListItems();
char DriveLetterOfItem(const std::string& Item);

// The drives of a KORVANE_DRIVES text, in letter order. Entries without a letter, an '=' or a
// folder are skipped; the first entry of a letter wins.
std::vector<TDrive> ParseDriveMap(const std::string& Text);

// The removable devices listed in a mount table (the format of /proc/mounts) whose disks the
// block-device tree under SysRoot (the layout of /sys) reports as removable or attached through
// USB, lettered from D on in mount-point order. CD and DVD drives are not listed.
std::vector<TDrive> MountedRemovableDrives(const std::string& MountsFile,
                                           const std::string& SysRoot);

} // namespace korvane
