// Replacing the disk shares with one read-only share per chosen drive root.
#include "share_fixture.h"
#include "sharing/sharing_dlg.h"

#include <gtest/gtest.h>

namespace {

using sharing_test::DiskShare;
using sharing_test::JournalLines;
using sharing_test::Printer;
using sharing_test::ShareEntry;
using sharing_test::ShareNames;
using sharing_test::ShareValue;
using Lines = std::vector<std::string>;

constexpr DWORD Bits(const char *letters) {
    DWORD mask = 0;
    for (const char *c = letters; *c; ++c)
        mask |= DWORD{1} << (*c - 'A');
    return mask;
}

class DriveShares : public ::testing::Test {
  protected:
    void SetUp() override {
        machine.SetDrives({{'A', "removable"}, {'D', "fixed"}, {'E', "cdrom"}, {'F', "remote"}});
    }
    ShareFailures Apply(const std::string &registry, DWORD driveMask, DWORD sharedMask) {
        machine.SetRegistry(registry);
        machine.Use();
        CSharingDlg dialog;
        dialog.m_driveMask = driveMask;
        dialog.m_sharedDriveMask = sharedMask;
        ShareFailures failures;
        dialog.ApplyDriveShares(failures);
        return failures;
    }
    Lines Journal(const char *prefix) const { return JournalLines(machine, prefix); }

    testkit::TempMachine machine;
};

// Deleting a share moves the later ones down; every disk share must go all
// the same, and nothing else.
TEST_F(DriveShares, EveryRecordedDiskShareIsRemoved) {
    machine.AddDir('E', "DATA");
    const ShareFailures failures = Apply(
        DiskShare("DATA", "E:\\DATA") + DiskShare("D_Drive", "D:\\") +
            DiskShare("docs", "d:\\docs") + ShareEntry("LASER", "dword:00000001", "Laser") +
            DiskShare("MUSIC", "E:\\MUSIC") + ShareEntry("ODD", "hex:00,00,00,00,07", "A:\\") +
            ShareEntry("SHORT", "hex:00,00", "A:\\") + DiskShare("OLD", "Q:\\"),
        Bits("ADE"), 0);
    EXPECT_EQ(Journal("NetShareDel"),
              (Lines{"NetShareDel \"DATA\" -> 0", "NetShareDel \"D_Drive\" -> 0",
                     "NetShareDel \"docs\" -> 0", "NetShareDel \"MUSIC\" -> 0",
                     "NetShareDel \"ODD\" -> 0", "NetShareDel \"OLD\" -> 0"}));
    EXPECT_EQ(ShareNames(), (Lines{"LASER", "SHORT"}));
    EXPECT_TRUE(Journal("NetShareAdd").empty());
    EXPECT_TRUE(failures.empty());
}

TEST_F(DriveShares, ChosenDrivesSharedInLetterOrder) {
    Apply(DiskShare("D_Drive", "D:\\") + DiskShare("F_Drive", "F:\\"), Bits("ADE"),
          Bits("ADEFQ") | 0xFC000000u);
    EXPECT_EQ(Journal("NetShareAdd"), (Lines{"NetShareAdd \"A_Drive\" 0 0x0191 \"A:\\\\\" -> 0",
                                             "NetShareAdd \"D_Drive\" 0 0x0191 \"D:\\\\\" -> 0",
                                             "NetShareAdd \"E_Drive\" 0 0x0191 \"E:\\\\\" -> 0"}));
    EXPECT_EQ(ShareNames(), (Lines{"A_Drive", "D_Drive", "E_Drive"}));
    EXPECT_EQ(ShareValue("D_Drive", "Type"), "00,00,00,00");
    EXPECT_EQ(ShareValue("D_Drive", "Flags"), "91,01,00,00");
    EXPECT_EQ(ShareValue("D_Drive", "Path"), "D:\\");
    EXPECT_EQ(ShareValue("D_Drive", "Remark"), "");
    EXPECT_EQ(ShareValue("D_Drive", "Parm1enc"), "");
    EXPECT_EQ(ShareValue("D_Drive", "Parm2enc"), "");
}

TEST_F(DriveShares, RefusedAddDoesNotStopTheLettersAfterIt) {
    // A printer share already holds the name D_Drive and stays.
    const ShareFailures failures =
        Apply(Printer("D_Drive", "LPT1:") + ShareEntry("D_Drive", "dword:00000001", "D_Drive"),
              Bits("ADE"), Bits("DE"));
    EXPECT_EQ(failures.Lines(), "\nD_Drive: 2118");
    EXPECT_EQ(Journal("NetShareAdd"), (Lines{"NetShareAdd \"D_Drive\" 0 0x0191 \"D:\\\\\" -> 2118",
                                             "NetShareAdd \"E_Drive\" 0 0x0191 \"E:\\\\\" -> 0"}));
}

TEST_F(DriveShares, EmptySelectionOnlyRemoves) {
    Apply(DiskShare("A_Drive", "A:\\"), Bits("ADE"), 0);
    EXPECT_EQ(Journal("NetShareDel"), (Lines{"NetShareDel \"A_Drive\" -> 0"}));
    EXPECT_TRUE(ShareNames().empty());
}

TEST_F(DriveShares, NoShareKeyStillShares) {
    Apply("", Bits("ADE"), Bits("E"));
    EXPECT_TRUE(Journal("NetShareDel").empty());
    EXPECT_EQ(ShareNames(), (Lines{"E_Drive"}));
}

} // namespace
