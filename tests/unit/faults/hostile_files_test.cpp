// Files of the machine folder (and beside a response file) that are not
// what they should be: symbolic links out of the folder, FIFOs, devices and
// files too large for their format. Nothing is written through a link,
// nothing outside is changed, no read waits for ever or fills memory, and
// the file at fault is named.
#include "platform/api.h"
#include "platform/script/shared_position.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/machine_config.h"
#include "platform/sim/registry/store.h"
#include "platform/user32/script_driver.h"
#include "tests/testkit/testkit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testing::HasSubstr;

namespace {

class HostileFiles : public testing::Test {
  protected:
    void SetUp() override {
        machine.SetRegistry("[HKEY_LOCAL_MACHINE\\Software]\r\n\"v\"=\"1\"\r\n\r\n");
        testkit::WriteFile(Outside(), "not the registry\n");
        machine.Use();
        alarm(20); // a read that waits for ever fails the test instead of holding it
    }
    void TearDown() override { alarm(0); }

    std::string In(const std::string &name) const { return machine.Dir() + "/" + name; }
    std::string Outside() const { return outside.Path() + "/victim"; }
    static bool IsLink(const std::string &path) { return fs::is_symlink(fs::symlink_status(path)); }
    static LONG CreateKey(const char *name) {
        HKEY key = nullptr;
        LONG code = RegCreateKeyA(HKEY_LOCAL_MACHINE, name, &key);
        if (code == ERROR_SUCCESS)
            RegCloseKey(key);
        return code;
    }

    testkit::TempMachine machine;
    testkit::TempDir outside;
};

// A registry.reg.tmp left behind as a link: the write makes its own file,
// the link's target stays as it was.
TEST_F(HostileFiles, AStaleTemporaryFileThatIsALinkIsReplaced) {
    fs::create_symlink(Outside(), In("registry.reg.tmp"));
    ASSERT_EQ(CreateKey("Software\\New"), ERROR_SUCCESS);
    std::string error;
    ASSERT_TRUE(sim::reg::ImportText("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Imported]\r\n", &error))
        << error;
    EXPECT_EQ(testkit::ReadFile(Outside()), "not the registry\n");
    EXPECT_FALSE(IsLink(In("registry.reg")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(In("registry.reg.tmp"))));
    const std::string saved = machine.SavedRegistry();
    EXPECT_THAT(saved, HasSubstr("[HKEY_LOCAL_MACHINE\\Software\\New]"));
    EXPECT_THAT(saved, HasSubstr("[HKEY_LOCAL_MACHINE\\Imported]"));
}

// A registry.reg that is a link is refused for reading and writing alike:
// the file it names is never changed, and the link stays.
TEST_F(HostileFiles, ARegistryThatIsALinkIsRefused) {
    fs::copy_file(In("registry.reg"), Outside(), fs::copy_options::overwrite_existing);
    const std::string before = testkit::ReadFile(Outside());
    fs::remove(In("registry.reg"));
    fs::create_symlink(Outside(), In("registry.reg"));
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(CreateKey("Software\\New"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              In("registry.reg") + ": a symbolic link, not followed\n");
    EXPECT_EQ(testkit::ReadFile(Outside()), before);
    EXPECT_TRUE(IsLink(In("registry.reg")));
}

// The lock file and the journal are never made or written through a link.
TEST_F(HostileFiles, TheLockAndTheJournalAreNotFollowed) {
    fs::create_symlink(Outside(), In("registry.reg.lock"));
    fs::create_symlink(outside.Path() + "/made", In("journal.log"));
    testing::internal::CaptureStderr();
    EXPECT_EQ(CreateKey("Software\\New"), ERROR_WRITE_FAULT);
    sim::AppendJournal("a line");
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_THAT(told, HasSubstr(In("registry.reg.lock") + ": a symbolic link, not followed\n"));
    EXPECT_THAT(
        told, HasSubstr("cannot open " + In("journal.log") + ": a symbolic link, not followed\n"));
    EXPECT_EQ(testkit::ReadFile(Outside()), "not the registry\n");
    EXPECT_FALSE(fs::exists(outside.Path() + "/made"));
    EXPECT_EQ(machine.SavedRegistry().find("Software\\New"), std::string::npos);
}

// The response file's position file: a link there is refused, its target
// keeps what it held.
TEST_F(HostileFiles, APositionFileThatIsALinkIsRefused) {
    const std::string script = outside.Path() + "/run.txt";
    testkit::WriteFile(script, "click 1\n");
    fs::create_symlink(Outside(), script + ".pos");
    script::SharedPosition position;
    std::string error;
    EXPECT_FALSE(position.Open(script, &error));
    EXPECT_EQ(error, "cannot keep the position of the response file in " + script +
                         ".pos: a symbolic link, not followed");
    EXPECT_EQ(testkit::ReadFile(Outside()), "not the registry\n");
}

// FIFOs and devices in a file's place are not read: no call waits for a
// writer that never comes, none reads without end.
TEST_F(HostileFiles, SpecialFilesAreNotRead) {
    fs::remove(In("registry.reg"));
    ASSERT_EQ(mkfifo(In("registry.reg").c_str(), 0644), 0);
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(CreateKey("Software\\New"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              In("registry.reg") + ": not a regular file\n");

    for (const char *special : {"fifo", "/dev/zero"}) {
        SCOPED_TRACE(special);
        fs::remove(In("machine.ini"));
        machine.SetDrives({}); // read once good, so that the fault is told again
        GetLogicalDrives();
        fs::remove(In("machine.ini"));
        if (special == std::string("fifo"))
            ASSERT_EQ(mkfifo(In("machine.ini").c_str(), 0644), 0);
        else
            fs::create_symlink(special, In("machine.ini"));
        testing::internal::CaptureStderr();
        EXPECT_EQ(GetLogicalDrives(), 0u);
        EXPECT_THAT(testing::internal::GetCapturedStderr(),
                    HasSubstr(In("machine.ini") + ": cannot be read: not a regular file\n"));
    }

    fs::remove(In("machine.ini"));
    machine.SetDrives({{'C', "fixed"}});
    ASSERT_EQ(mkfifo((machine.DrivePath('C') + "/card.inf").c_str(), 0644), 0);
    char text[16] = "sentinel";
    testing::internal::CaptureStderr();
    EXPECT_EQ(GetPrivateProfileStringA("S", "K", "none", text, sizeof text, "C:\\card.inf"), 4u);
    EXPECT_STREQ(text, "none");
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                HasSubstr("card.inf: cannot be read: not a regular file\n"));

    const std::string script = outside.Path() + "/run.txt";
    ASSERT_EQ(mkfifo(script.c_str(), 0644), 0);
    EXPECT_EXIT(std::make_unique<ui::ScriptDriver>(script), testing::ExitedWithCode(3),
                HasSubstr("cannot read the response file " + script + ": not a regular file\n"));
}

// A registry larger than any the format holds is refused before it is read
// (a sparse file: no disk is spent on it).
TEST_F(HostileFiles, ARegistryTooLargeIsNotRead) {
    ASSERT_EQ(truncate(In("registry.reg").c_str(), off_t{300} << 20), 0);
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              In("registry.reg") + ": larger than 268435456 bytes\n");
}

} // namespace
