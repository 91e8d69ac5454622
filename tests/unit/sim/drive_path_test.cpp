#include "platform/api.h"
#include "platform/sim/kernel/drive_path.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace {

class DrivePathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        machine.SetDrives({{'C', "fixed"}, {'E', "cdrom"}});
        machine.AddFile('E', "Tzr/Setup", "cd");
        machine.AddFile('E', "autorun.exe", "#!/bin/sh\n", true);
        machine.AddFile('C', "WINDOWS/inf/netamdqv.inf", "[Strings]\n");
        machine.Use();
    }
    testkit::TempMachine machine;
};

struct PathCase {
    const char *path;
    sim::PathStatus status;
};

TEST_F(DrivePathTest, WindowsPathsResolveOnTheirDriveOnly) {
    using enum sim::PathStatus;
    const PathCase cases[] = {
        {"E:\\Tzr\\Setup", Found},
        {"e:\\tzr\\SETUP", Found}, // names and letter match in any case
        {"E:/Tzr/Setup", Found},   // '/' separates as well
        {"E:\\Tzr\\.\\Setup", Found},
        {"E:\\Wingate\\..\\Tzr\\Setup", Found},
        {"E:\\Tzr\\Setup.exe ", FileMissing}, // trailing blank dropped: Setup.exe is missing
        {"E:\\Tzr\\Setup ", Found},
        {"E:\\", Found},
        {"E:\\Tzr\\Missing", FileMissing},
        {"E:\\Missing\\Setup", PathMissing},
        {"E:\\autorun.exe\\Setup", PathMissing}, // a file is no folder
        {"D:\\Tzr\\Setup", PathMissing},         // not a drive of the machine
        {"E:\\..\\C\\WINDOWS", PathMissing},     // above the drive's root
        {"E:\\Tzr\\..\\..\\Tzr\\Setup", PathMissing},
        {"\\Tzr\\Setup", PathMissing}, // no drive letter
        {"Tzr\\Setup", PathMissing},
        {"/etc/passwd", PathMissing}, // host paths are not Windows paths
        {"E:/../../../etc/passwd", PathMissing},
        {"", PathMissing},
        {"E:\\Tzr\\CON", PathMissing}, // devices are never files
        {"E:\\nul.txt", PathMissing},
        {"E:\\Lpt1", PathMissing},
        {"E:\\COM9.exe", PathMissing},
        {"E:\\Tzr\\Se*p", PathMissing}, // wildcards are not names
    };
    for (const PathCase &c : cases)
        EXPECT_EQ(sim::LookupDrivePath(c.path).status, c.status) << c.path;
}

TEST_F(DrivePathTest, DeviceLikeNamesThatAreNotDevicesAreFiles) {
    machine.AddFile('C', "CONFIG.SYS");
    machine.AddFile('C', "LPT10");
    EXPECT_TRUE(sim::ResolveDrivePath("C:\\config.sys"));
    EXPECT_TRUE(sim::ResolveDrivePath("C:\\lpt10"));
}

TEST_F(DrivePathTest, HostPathIsTheRealFileInsideTheDriveFolder) {
    auto path = sim::ResolveDrivePath("e:\\TZR\\setup");
    ASSERT_TRUE(path);
    std::string expected =
        std::filesystem::canonical(machine.DrivePath('E') + "/Tzr/Setup").string();
    EXPECT_EQ(*path, expected);
}

TEST_F(DrivePathTest, ExactCaseIsPreferred) {
    machine.AddFile('C', "Data/readme", "lower");
    machine.AddFile('C', "Data/README", "upper");
    EXPECT_EQ(testkit::ReadFile(*sim::ResolveDrivePath("C:\\Data\\README")), "upper");
    EXPECT_EQ(testkit::ReadFile(*sim::ResolveDrivePath("C:\\Data\\readme")), "lower");
}

TEST_F(DrivePathTest, SymbolicLinksMayNotLeaveTheDrive) {
    std::string outside = machine.Dir() + "/registry.reg";
    ASSERT_EQ(symlink(outside.c_str(), (machine.DrivePath('C') + "/out").c_str()), 0);
    ASSERT_EQ(symlink(machine.Dir().c_str(), (machine.DrivePath('C') + "/up").c_str()), 0);
    ASSERT_EQ(symlink("/", (machine.DrivePath('C') + "/root").c_str()), 0);
    ASSERT_EQ(symlink((machine.DrivePath('E') + "/Tzr").c_str(),
                      (machine.DrivePath('C') + "/cd").c_str()),
              0);
    ASSERT_EQ(symlink("WINDOWS", (machine.DrivePath('C') + "/win").c_str()), 0);
    EXPECT_FALSE(sim::ResolveDrivePath("C:\\out"));
    EXPECT_FALSE(sim::ResolveDrivePath("C:\\up\\registry.reg"));
    EXPECT_FALSE(sim::ResolveDrivePath("C:\\root\\etc\\passwd"));
    EXPECT_FALSE(sim::ResolveDrivePath("C:\\cd\\Setup")); // another drive is outside too
    EXPECT_TRUE(sim::ResolveDrivePath("C:\\win\\inf\\netamdqv.inf"));
}

TEST_F(DrivePathTest, ListedDriveWithoutFolderHasNoFiles) {
    machine.SetDrives({{'C', "fixed"}});
    std::filesystem::remove_all(machine.DrivePath('C'));
    EXPECT_EQ(sim::LookupDrivePath("C:\\").status, sim::PathStatus::PathMissing);
}

TEST_F(DrivePathTest, FindFirstFileTestsPresence) {
    WIN32_FIND_DATAA data;
    HANDLE found = FindFirstFileA("E:\\Tzr\\Setup", &data);
    ASSERT_NE(found, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "Setup");
    EXPECT_EQ(data.nFileSizeLow, 2u);
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_READONLY); // a CD
    EXPECT_TRUE(FindClose(found));
    EXPECT_FALSE(FindClose(found)); // closed once only
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    found = FindFirstFileA("e:\\tzr", &data);
    ASSERT_NE(found, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "Tzr");
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    FindClose(found);

    EXPECT_EQ(FindFirstFileA("E:\\Tzr\\Nothing", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA("J:\\Tzr\\Setup", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA("E:\\Tzr\\", &data), INVALID_HANDLE_VALUE);
}

TEST_F(DrivePathTest, FindFirstFileWildcardsGiveTheFirstMatch) {
    machine.AddFile('C', "Dir/b.txt");
    machine.AddFile('C', "Dir/A.TXT");
    machine.AddFile('C', "Dir/c.doc");
    WIN32_FIND_DATAA data;
    struct Case {
        const char *pattern;
        const char *first; // nullptr: no match
    } cases[] = {{"C:\\Dir\\*.txt", "A.TXT"}, {"C:\\Dir\\?.DOC", "c.doc"},
                 {"C:\\Dir\\*", "A.TXT"},     {"C:\\Dir\\*.*", "A.TXT"},
                 {"C:\\Dir\\b*t", "b.txt"},   {"C:\\Dir\\*.exe", nullptr},
                 {"C:\\Nope\\*", nullptr}};
    for (const Case &c : cases) {
        HANDLE h = FindFirstFileA(c.pattern, &data);
        if (!c.first) {
            EXPECT_EQ(h, INVALID_HANDLE_VALUE) << c.pattern;
            continue;
        }
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << c.pattern;
        EXPECT_STREQ(data.cFileName, c.first) << c.pattern;
        FindClose(h);
    }
}

} // namespace
