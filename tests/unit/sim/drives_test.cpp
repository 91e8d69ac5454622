#include "platform/api.h"
#include "platform/sim/machine/machine_config.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(MachineConfig, DriveTypesFromTheDrivesSection) {
    sim::MachineConfig config = sim::ParseMachineConfig(" [drives] \n"
                                                        "a = Removable\n"
                                                        "C=fixed\r\n"
                                                        "e=CDROM\n"
                                                        "F=remote\n"
                                                        "R=ramdisk\n"
                                                        "; G=fixed\n"
                                                        "[Other]\nH=fixed\n",
                                                        "machine.ini");
    const unsigned expected[26] = {DRIVE_REMOVABLE,
                                   1,
                                   DRIVE_FIXED,
                                   1,
                                   DRIVE_CDROM,
                                   DRIVE_REMOTE,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1,
                                   DRIVE_RAMDISK,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1,
                                   1};
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(config.driveTypes[static_cast<size_t>(i)], expected[i]) << char('A' + i);
    EXPECT_TRUE(config.errors.empty());
    EXPECT_EQ(config.windowsDirectory, "C:\\WINDOWS");
}

TEST(MachineConfig, BadLinesAreReportedWithFileAndLineAndLeftOut) {
    sim::MachineConfig config =
        sim::ParseMachineConfig("[Drives]\nC=fixed\nD=floppy\nCD=cdrom\n", "/m/machine.ini");
    EXPECT_EQ(config.driveTypes[3], static_cast<unsigned>(DRIVE_NO_ROOT_DIR));
    ASSERT_EQ(config.errors.size(), 2u);
    EXPECT_EQ(config.errors[0].rfind("/m/machine.ini:3: unknown drive type \"floppy\"", 0), 0u)
        << config.errors[0];
    EXPECT_EQ(config.errors[1].rfind("/m/machine.ini:4: ", 0), 0u) << config.errors[1];
}

// Windows' profile reading finds the first key of a name: a letter listed
// again keeps its first line, and the repeat is told.
TEST(MachineConfig, ALetterListedTwiceKeepsItsFirstLine) {
    sim::MachineConfig config =
        sim::ParseMachineConfig("[Drives]\nE=cdrom\ne=fixed\n[drives]\nE=remote\n", "m.ini");
    EXPECT_EQ(config.driveTypes[4], static_cast<unsigned>(DRIVE_CDROM));
    EXPECT_EQ(config.errors, (std::vector<std::string>{
                                 "m.ini:3: drive e: is listed again; its first line holds",
                                 "m.ini:5: drive E: is listed again; its first line holds"}));
}

TEST(MachineConfig, WindowsDirectoryFromTheSystemSection) {
    EXPECT_EQ(
        sim::ParseMachineConfig("[system]\nwindowsdirectory = D:\\WIN98 \n", "m").windowsDirectory,
        "D:\\WIN98");
}

TEST(MachineConfig, RefuseRestartTakesZeroOrOne) {
    const struct {
        const char *text;
        bool refuse;
        bool error;
    } cases[] = {
        {"[System]\nWindowsDirectory=C:\\WINDOWS\n", false, false},
        {"[System]\nRefuseRestart=1\n", true, false},
        {"[system]\nrefuserestart = 0\n", false, false},
        {"[System]\nRefuseRestart=yes\n", false, true},
        {"[Drives]\nRefuseRestart=1\n", false, true}, // not a drive letter
    };
    for (const auto &c : cases) {
        const sim::MachineConfig config = sim::ParseMachineConfig(c.text, "m");
        EXPECT_EQ(config.refuseRestart, c.refuse) << c.text;
        EXPECT_EQ(config.errors.size(), c.error ? 1u : 0u) << c.text;
    }
}

TEST(Drives, QueriesFollowMachineIniAsItChanges) {
    testkit::TempMachine machine;
    machine.SetDrives({{'A', "removable"}, {'C', "fixed"}, {'E', "cdrom"}, {'F', "remote"}});
    machine.Use();
    EXPECT_EQ(GetLogicalDrives(), 0x1u | 0x4u | 0x10u | 0x20u);

    struct Case {
        const char *root;
        UINT type;
    } cases[] = {
        {"A:\\", DRIVE_REMOVABLE},   {"C:\\", DRIVE_FIXED},       {"c:\\", DRIVE_FIXED},
        {"E:\\", DRIVE_CDROM},       {"F:\\", DRIVE_REMOTE},      {"E:", DRIVE_CDROM},
        {"D:\\", DRIVE_NO_ROOT_DIR}, {"K:\\", DRIVE_NO_ROOT_DIR}, {"E:\\Tzr", DRIVE_NO_ROOT_DIR},
        {"E", DRIVE_NO_ROOT_DIR},    {"", DRIVE_NO_ROOT_DIR},     {"1:\\", DRIVE_NO_ROOT_DIR},
        {nullptr, DRIVE_NO_ROOT_DIR}};
    for (const Case &c : cases)
        EXPECT_EQ(GetDriveTypeA(c.root), c.type) << (c.root ? c.root : "(null)");

    // The CD drive moves to G between two questions.
    machine.SetDrives({{'C', "fixed"}, {'G', "cdrom"}});
    EXPECT_EQ(GetDriveTypeA("E:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(GetDriveTypeA("G:\\"), static_cast<UINT>(DRIVE_CDROM));
    EXPECT_EQ(GetLogicalDrives(), 0x4u | 0x40u);
}

TEST(Drives, WindowsDirectoryReportsTheSizeNeededWhenTheBufferIsShort) {
    testkit::TempMachine machine;
    machine.Use();
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 10u);
    EXPECT_STREQ(buffer, "C:\\WINDOWS");

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetWindowsDirectoryA(buffer, 10), 11u); // no room for the NUL
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(GetWindowsDirectoryA(nullptr, 0), 11u);

    machine.SetDrives({{'D', "fixed"}}, "D:\\WIN");
    EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 6u);
    EXPECT_STREQ(buffer, "D:\\WIN");
}

} // namespace
