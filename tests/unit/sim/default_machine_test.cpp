#include "platform/sim/machine/ini_text.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/machine_config.h"
#include "platform/api.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// In a fresh process (the machine is chosen once per process): the first use
// copies the default machine to the data folder.
[[noreturn]] void FirstUse(const std::string &home, const char *dataHome,
                           const std::string &expected) {
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", dataHome, 1);
    unsetenv("VELTRIN_MACHINE");
    bool ok = sim::MachineDir() == expected && GetDriveTypeA("E:\\") == DRIVE_CDROM &&
              fs::is_regular_file(expected + "/registry.reg");
    fs::remove_all(home); // the re-run test's own folder: nothing else removes it
    std::exit(ok ? 0 : 1);
}

bool Executable(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IXUSR);
}

TEST(DefaultMachine, CopyHoldsTheCdAndItsPrograms) {
    testkit::TempDir temp;
    std::string dir = temp.Path() + "/machine";
    std::string error;
    ASSERT_TRUE(sim::CopyDefaultMachine(dir, &error)) << error;

    for (const char *program : {"autorun.exe", "Wingate/ws2setup.exe", "Tzr/Setup.exe"})
        EXPECT_TRUE(Executable(dir + "/drives/E/" + program)) << program;
    EXPECT_TRUE(fs::is_regular_file(dir + "/drives/E/Tzr/Setup"));
    EXPECT_FALSE(Executable(dir + "/registry.reg"));
    EXPECT_EQ(testkit::ReadFile(dir + "/registry.reg").rfind("REGEDIT4\r\n", 0), 0u);

    sim::MachineConfig config =
        sim::ParseMachineConfig(testkit::ReadFile(dir + "/machine.ini"), "machine.ini");
    EXPECT_TRUE(config.errors.empty());
    EXPECT_EQ(config.driveTypes[4], static_cast<unsigned>(DRIVE_CDROM));

    // The vendor name the sharing dialog's title is made from.
    sim::UseMachine(dir);
    char vendor[120];
    GetPrivateProfileStringA("Strings", "VendorName", "", vendor, sizeof vendor,
                             "C:\\WINDOWS\\inf\\netamdqv.inf");
    EXPECT_STREQ(vendor, "Quorvane");

    // The copy is a working machine: the CD is found, its scripts are valid sh.
    WIN32_FIND_DATAA data;
    HANDLE found = FindFirstFileA("E:\\Tzr\\Setup", &data);
    EXPECT_NE(found, INVALID_HANDLE_VALUE);
    FindClose(found);
    for (const char *program : {"autorun.exe", "Wingate/ws2setup.exe", "Tzr/Setup.exe"})
        EXPECT_EQ(testkit::Run({"/bin/sh", "-n", dir + "/drives/E/" + program}, {}).exitCode, 0);
}

TEST(DefaultMachine, RefusesAnExistingMachineAndLeavesNothingBehind) {
    testkit::TempDir temp;
    std::string dir = temp.Path() + "/machine";
    testkit::WriteFile(dir + "/keep.txt", "mine");
    std::string error;
    EXPECT_FALSE(sim::CopyDefaultMachine(dir, &error));
    EXPECT_NE(error.find("already exists"), std::string::npos) << error;
    EXPECT_EQ(testkit::ReadFile(dir + "/keep.txt"), "mine");
    size_t entries = 0;
    for ([[maybe_unused]] const auto &e : fs::directory_iterator(temp.Path()))
        ++entries;
    EXPECT_EQ(entries, 1u); // no temporary sibling left

    EXPECT_FALSE(sim::CopyDefaultMachine(temp.Path() + "/no/such/parent/machine", &error));
}

TEST(DefaultMachineDeathTest, FirstUseCopiesItToTheDataFolder) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testkit::TempDir home;
    std::string data = home.Path() + "/data";
    EXPECT_EXIT(FirstUse(home.Path(), data.c_str(), data + "/veltrin/machine"),
                ::testing::ExitedWithCode(0), "");
    // A relative XDG_DATA_HOME does not count.
    EXPECT_EXIT(FirstUse(home.Path(), "data", home.Path() + "/.local/share/veltrin/machine"),
                ::testing::ExitedWithCode(0), "");
}

} // namespace
