// The drive mask and the shared-drive mask read when the dialog opens.
#include "share_fixture.h"
#include "sharing/sharing_dlg.h"

#include <gtest/gtest.h>

namespace {

using sharing_test::DiskShare;
using sharing_test::ShareEntry;
using sharing_test::ShareKeyText;

constexpr DWORD Bits(const char *letters) {
    DWORD mask = 0;
    for (const char *c = letters; *c; ++c)
        mask |= DWORD{1} << (*c - 'A');
    return mask;
}

struct InventoryCase {
    const char *what;
    std::map<char, std::string> drives;
    std::string shares; // REGEDIT4 body
    DWORD driveMask;
    DWORD sharedMask;
};

const std::map<char, std::string> kADEF = {
    {'A', "removable"}, {'D', "fixed"}, {'E', "cdrom"}, {'F', "remote"}};

TEST(DriveInventory, Masks) {
    const InventoryCase cases[] = {
        {"floppy, hard disk and CD offered; network drive left out", kADEF, "", Bits("ADE"), 0},
        {"RAM disk offered", {{'C', "fixed"}, {'R', "ramdisk"}}, "", Bits("CR"), 0},
        {"folder share and root share on one drive mark it once", kADEF,
         DiskShare("DATA", "E:\\DATA") + DiskShare("E_Drive", "E:\\"), Bits("ADE"), Bits("E")},
        {"lower-case path", kADEF, DiskShare("docs", "d:\\docs"), Bits("ADE"), Bits("D")},
        {"A and Z bits",
         {{'A', "removable"}, {'Z', "fixed"}},
         DiskShare("FLOPPY", "A:\\") + DiskShare("ZED", "Z:\\WORK"),
         Bits("AZ"),
         Bits("AZ")},
        {"share on a drive not offered still marked", kADEF,
         DiskShare("NET", "F:\\") + DiskShare("GONE", "Q:\\OLD"), Bits("ADE"), Bits("FQ")},
        {"printer share marks nothing", kADEF, ShareEntry("LASER", "dword:00000001", "D:\\LASER"),
         Bits("ADE"), 0},
        {"type judged on its first four bytes", kADEF,
         ShareEntry("ODD", "hex:00,00,00,00,01", "A:\\") + ShareEntry("TEXT", "\"\"", "D:\\") +
             ShareEntry("SHORT", "hex:00,00,00", "E:\\") + ShareEntry("EMPTY", "hex:", "E:\\"),
         Bits("ADE"), Bits("A")},
        {"path without a letter marks nothing", kADEF,
         DiskShare("UNC", "\\\\HOST\\X") + DiskShare("DIGIT", "1:\\") + DiskShare("BLANK", ""),
         Bits("ADE"), 0},
        {"share without Type or Path skipped, the others read", kADEF,
         ShareKeyText("NOTYPE", "\"Path\"=\"A:\\\\\"") +
             ShareKeyText("NOPATH", "\"Type\"=dword:00000000") + DiskShare("LAST", "D:\\"),
         Bits("ADE"), Bits("D")},
    };
    for (const InventoryCase &c : cases) {
        SCOPED_TRACE(c.what);
        testkit::TempMachine machine;
        machine.SetDrives(c.drives);
        machine.SetRegistry(c.shares);
        machine.Use();
        CSharingDlg dialog;
        dialog.ReadDriveInventory();
        EXPECT_EQ(dialog.m_driveMask, c.driveMask);
        EXPECT_EQ(dialog.m_sharedDriveMask, c.sharedMask);
    }
}

TEST(DriveInventory, NoShareKeyMeansNothingShared) {
    testkit::TempMachine machine;
    machine.SetDrives(kADEF);
    machine.Use();
    CSharingDlg dialog;
    dialog.ReadDriveInventory();
    EXPECT_EQ(dialog.m_driveMask, Bits("ADE"));
    EXPECT_EQ(dialog.m_sharedDriveMask, 0u);
}

} // namespace
