#include "platform/api.h"
#include "platform/sim/machine/ini_text.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/machine_config.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// The names in a folder that start with prefix.
std::vector<std::string> Named(const std::string &dir, const std::string &prefix) {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(dir))
        if (entry.path().filename().string().starts_with(prefix))
            names.push_back(entry.path().filename().string());
    return names;
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

// The restart ends the Winsock 2 installer as soon as the key is there,
// which may be before the installer has tidied up: its key file goes all the
// same, and none lies in the temporary folder.
TEST(DefaultMachine, WinsockInstallerEndedMidwayLeavesNoKeyFile) {
    testkit::TempDir temp;
    const std::string dir = temp.Path() + "/machine";
    std::string error;
    ASSERT_TRUE(sim::CopyDefaultMachine(dir, &error)) << error;
    // A machine tool that tells it has started the import, then waits to be
    // let go (or for the machine to go, should the installer not wait for it).
    const std::string tool = temp.Path() + "/bin/veltrin-machine";
    testkit::WriteFile(tool,
                       "#!/bin/sh\n"
                       "touch \"$VELTRIN_MACHINE/importing\"\n"
                       "until [ -e \"$VELTRIN_MACHINE/go\" ] || [ ! -d \"$VELTRIN_MACHINE\" ]\n"
                       "do sleep 0.01; done\n");
    ASSERT_EQ(chmod(tool.c_str(), 0755), 0);
    const std::string tmp = temp.Path() + "/tmp";
    fs::create_directory(tmp);

    const std::string installer = dir + "/drives/E/Wingate/ws2setup.exe";
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("VELTRIN_MACHINE", dir.c_str(), 1);
        setenv("VELTRIN_BIN", (temp.Path() + "/bin").c_str(), 1);
        setenv("TMPDIR", tmp.c_str(), 1);
        execl(installer.c_str(), installer.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 2400 && !fs::exists(dir + "/importing"); ++i)
        usleep(25000);
    EXPECT_TRUE(fs::exists(dir + "/importing"));
    kill(pid, SIGTERM);
    testkit::WriteFile(dir + "/go", "");
    ASSERT_EQ(waitpid(pid, nullptr, 0), pid);

    EXPECT_EQ(Named(dir, "ws2setup"), std::vector<std::string>{});
    EXPECT_EQ(Named(tmp, ""), std::vector<std::string>{});
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
