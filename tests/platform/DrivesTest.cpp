#include <filesystem>
#include <optional>

#include "platform/sys/Drives.h"
#include "platform/sys/System.h"
#include "tests/support/core/TempWorkDir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class DrivesTest : public test::TempWorkDirTest {
protected:
    void SetUp() override {
        TempWorkDirTest::SetUp();
        Saved_ = EnvironmentValue("KORVANE_DRIVES");
    }
    void TearDown() override {
        if (Saved_) {
            SetEnvironmentValue("KORVANE_DRIVES", *Saved_);
        } else {
            UnsetEnvironmentValue("KORVANE_DRIVES");
        }
        TempWorkDirTest::TearDown();
    }

    // A block device under the fake /sys: its folder below devices/, and its entry in
    // class/block linking there, as the kernel lays them out.
    void AddBlock(const std::string& Name, const std::string& Below, const std::string& Removable,
                  bool Partition = false) {
        const fs::path folder = WorkDir() / "sys/devices" / Below / Name;
        fs::create_directories(folder);
        if (Partition) {
            WriteFile(folder / "partition", "1\n");
        } else {
            WriteFile(folder / "removable", Removable + "\n");
        }
        fs::create_directories(WorkDir() / "sys/class/block");
        fs::create_directory_symlink(fs::path("../../devices") / Below / Name,
                                     WorkDir() / "sys/class/block" / Name);
    }

private:
    std::optional<std::string> Saved_;
};

TEST_F(DrivesTest, TheDriveMapNamesTheDrivesInLetterOrder) {
    SetEnvironmentValue("KORVANE_DRIVES", "E=" + (WorkDir() / "stick").string() +
                                              ";a=" + (WorkDir() / "floppy/").string());
    EXPECT_EQ(
        DriveListItems(),
        (std::vector<std::string>{"Drive A: Removable (" + (WorkDir() / "floppy/").string() + ")",
                                  "Drive E: Removable (" + (WorkDir() / "stick").string() + ")"}));
    EXPECT_EQ(DriveLetterOfItem("Drive E: Removable (/media/stick)"), 'E');
    EXPECT_EQ(DriveRoot('e'), (WorkDir() / "stick/").string());
    EXPECT_EQ(DriveRoot('A'), (WorkDir() / "floppy/").string()) << "one slash, not two";
    EXPECT_TRUE(IsRemovableDrive('E'));
    EXPECT_FALSE(IsRemovableDrive('C'));
    EXPECT_EQ(DriveRoot('C'), "");

    SetEnvironmentValue("KORVANE_DRIVES", "");
    EXPECT_TRUE(DriveListItems().empty()) << "an empty map means no drive at all";

    EXPECT_EQ(ParseDriveMap("F=;E=/x;;7=/y;B;CC=/z;e=/other;G=/g h"),
              (std::vector<TDrive>{{'E', "/x"}, {'G', "/g h"}}));
}

TEST_F(DrivesTest, MountedRemovableDevicesGetLettersFromDInMountPointOrder) {
    const std::string usb = "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/block";
    AddBlock("sda", "pci0000:00/ata1/host0/block", "0");
    AddBlock("sda1", "pci0000:00/ata1/host0/block/sda", "", true);
    AddBlock("sdb", usb, "0"); // a stick that calls itself fixed
    AddBlock("sdb1", usb + "/sdb", "", true);
    AddBlock("sdc", usb + "2", "0");
    AddBlock("sdc1", usb + "2/sdc", "", true);
    AddBlock("mmcblk0", "platform/mmc/mmc0:0001/block", "1");
    AddBlock("sr0", "pci0000:00/ata2/host1/block", "1");
    fs::create_directories(WorkDir() / "sys/devices/pci0000:00/ata2/host1/block/sr0/device");
    WriteFile(WorkDir() / "sys/devices/pci0000:00/ata2/host1/block/sr0/device/type", "5\n");
    WriteFile("mounts", "/dev/sda1 / ext4 rw 0 0\n"
                        "tmpfs /tmp tmpfs rw 0 0\n"
                        "/dev/sdb1 /media/user/MY\\040STICK vfat rw 0 0\n"
                        "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
                        "server:/share /mnt/net nfs rw 0 0\n"
                        "/dev/sdc1 /media/z vfat rw 0 0\n"
                        "/dev/mmcblk0 /media/card vfat rw 0 0\n"
                        "/dev/sdc1 /media/b vfat rw 0 0\n"
                        "/dev/sda1 /media/sda-bind ext4 rw 0 0\n");
    EXPECT_EQ(MountedRemovableDrives("mounts", (WorkDir() / "sys").string()),
              (std::vector<TDrive>{
                  {'D', "/media/b"}, {'E', "/media/card"}, {'F', "/media/user/MY STICK"}}));
    EXPECT_TRUE(MountedRemovableDrives("no-such-file", "sys").empty());
}

} // namespace
} // namespace korvane
