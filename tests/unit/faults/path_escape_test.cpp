// Paths that try to leave a simulated drive, through every call that takes
// one: climbing above the root, host paths, symbolic links out of the
// drive, device names. None starts the program outside, reads the file
// outside or shares the folder outside.
#include "platform/api.h"
#include "platform/svrapi.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

class PathEscape : public testing::Test {
  protected:
    void SetUp() override {
        machine.SetDrives({{'C', "fixed"}});
        // Outside every drive: a program that leaves a mark, an INI file.
        testkit::WriteFile(machine.Dir() + "/outside.exe",
                           "#!/bin/sh\n: >\"$VELTRIN_MACHINE/escaped\"\n");
        fs::permissions(machine.Dir() + "/outside.exe", fs::perms::owner_all);
        testkit::WriteFile(machine.Dir() + "/outside.ini", "[S]\nK=outside\n");
        const std::string c = machine.DrivePath('C');
        fs::create_symlink("../../outside.exe", c + "/link.exe");
        fs::create_symlink("../../outside.ini", c + "/link.ini");
        fs::create_directory_symlink(machine.Dir(), c + "/up");
        // The same inside, so that a refusal is known to be the path's.
        fs::copy(machine.Dir() + "/outside.ini", c + "/inside.ini");
        machine.Use();
    }
    bool Escaped() const { return fs::exists(machine.Dir() + "/escaped"); }

    testkit::TempMachine machine;
};

// Ways out, each named as a program, an INI file and a folder would be.
std::vector<std::string> WaysOut(const std::string &machineDir, const std::string &name) {
    return {"C:\\..\\..\\" + name,
            "C:/../../" + name,
            "C:\\up\\" + name,
            "C:\\...\\" + name,
            machineDir + "/" + name,
            "C:" + machineDir + "/" + name,
            "\\\\?\\" + machineDir + "/" + name,
            "\\\\localhost\\" + name,
            "C:\\CON",
            "C:\\aux.ini",
            "C:\\LPT1.exe"};
}

TEST_F(PathEscape, NoProgramOutsideTheDriveStarts) {
    auto ways = WaysOut(machine.Dir(), "outside.exe");
    ways.push_back("C:\\link.exe");
    for (const std::string &way : ways) {
        EXPECT_NE(WinExec(way.c_str(), SW_HIDE), 33u) << way;
        STARTUPINFOA startup{};
        PROCESS_INFORMATION process{};
        std::string line = "\"" + way + "\" arg";
        EXPECT_FALSE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    nullptr, &startup, &process))
            << way;
    }
    EXPECT_FALSE(Escaped());
}

TEST_F(PathEscape, NoFileOutsideTheDriveIsReadOrFound) {
    auto ways = WaysOut(machine.Dir(), "outside.ini");
    ways.push_back("C:\\link.ini");
    ways.push_back("..\\..\\outside.ini"); // a bare name is in the Windows directory
    char inside[32];
    EXPECT_EQ(GetPrivateProfileStringA("S", "K", "", inside, sizeof inside, "C:\\inside.ini"), 7u);
    for (const std::string &way : ways) {
        char value[32];
        EXPECT_EQ(GetPrivateProfileStringA("S", "K", "none", value, sizeof value, way.c_str()), 4u)
            << way;
        EXPECT_STREQ(value, "none") << way;
        WIN32_FIND_DATAA found;
        EXPECT_EQ(FindFirstFileA(way.c_str(), &found), INVALID_HANDLE_VALUE) << way;
    }
}

TEST_F(PathEscape, NoFolderOutsideTheDriveIsShared) {
    for (const std::string &way :
         {std::string("C:\\up"), std::string("C:\\..\\.."), std::string("C:\\up\\drives")}) {
        share_info_50 record{};
        std::strcpy(record.shi50_netname, "OUT");
        record.shi50_type = STYPE_DISKTREE;
        std::string path = way;
        record.shi50_path = path.data();
        char remark[] = "";
        record.shi50_remark = remark;
        EXPECT_EQ(NetShareAdd(nullptr, 50, reinterpret_cast<const char *>(&record), sizeof record),
                  static_cast<unsigned>(ERROR_PATH_NOT_FOUND))
            << way;
    }
}

} // namespace
