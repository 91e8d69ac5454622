// The Winsock 2 step with stand-in installers on the CD: one that adds the
// service key at once, one that adds it late, one that never does, and one
// that cannot be started.
#include "common/reg_key.h"
#include "netsetup/winsock2_install.h"
#include "platform/quoted_text.h"

#include "tests/unit/netsetup/netsetup_fixture.h"

#include <chrono>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

const char kWinsock2[] = "System\\CurrentControlSet\\Services\\Winsock2";
const char kInstaller[] = "\\Wingate\\ws2setup.exe";

// Installer scripts: they reach the registry the way Windows' own installer
// would not, by adding the key's section to the machine's registry file.
std::string InstallerScript(const std::string &before, bool addsKey,
                            const std::string &after = "") {
    std::string script = "#!/bin/sh\n" + before + "\n";
    if (addsKey)
        script += nstest::kAddWinsock2Key;
    return script + after + "\n";
}

class Winsock2Test : public nstest::NetsetupTest {
  protected:
    Winsock2Test() {
        machine.SetDrives({{'C', "fixed"}, {'D', "fixed"}, {'E', "cdrom"}, {'G', "cdrom"}});
        machine.Use();
    }
    void AddInstaller(const std::string &script) { machine.AddFile('E', kInstaller, script, true); }
    // The step's run time; it must have run the installer.
    double Seconds(const Winsock2Pacing &pacing) {
        const auto start = Clock::now();
        EXPECT_EQ(InstallWinsock2(nullptr, pacing), Winsock2Result::InstallerRan);
        return std::chrono::duration<double>(Clock::now() - start).count();
    }
};

TEST_F(Winsock2Test, PresentKeyNeedsNothing) {
    machine.SetRegistry("[HKEY_LOCAL_MACHINE\\" + std::string(kWinsock2) + "]\r\n\r\n");
    machine.Use();
    AddInstaller(InstallerScript("", true));
    EXPECT_EQ(InstallWinsock2(nullptr), Winsock2Result::AlreadyInstalled);
    EXPECT_STREQ(g_setupState.cdRootPath, "D:\\"); // not probed
    EXPECT_EQ(machine.ReadJournal(), "");
}

TEST_F(Winsock2Test, InstallerThatAddsTheKeyAtOnce) {
    AddInstaller(InstallerScript("", true));
    EXPECT_LT(Seconds({}), 5.0);
    EXPECT_STREQ(g_setupState.cdRootPath, "E:\\");
    EXPECT_TRUE(MachineKeyExists(kWinsock2));
    EXPECT_EQ(testkit::Lines(machine.ReadJournal()),
              std::vector<std::string>{R"(CreateProcess "E:\\Wingate\\ws2setup.exe" -> ok)"});
}

// The step must wait for it: the key is there when the step returns.
TEST_F(Winsock2Test, InstallerThatAddsTheKeyLate) {
    AddInstaller(InstallerScript("sleep 1", true, "sleep 1"));
    const double seconds = Seconds({});
    EXPECT_TRUE(MachineKeyExists(kWinsock2));
    EXPECT_GE(seconds, 0.9);
    EXPECT_LT(seconds, 1.9); // stops at the key, not at the installer's end
}

TEST_F(Winsock2Test, InstallerThatEndsWithoutTheKey) {
    AddInstaller(InstallerScript("sleep 0.3", false));
    EXPECT_LT(Seconds({}), 3.0);
    EXPECT_FALSE(MachineKeyExists(kWinsock2));
}

// An installer that keeps running without ever adding the key: the poll
// gives up after its 5001 checks (not paced here, so that is quick).
TEST_F(Winsock2Test, PollIsBoundedWhileTheInstallerRuns) {
    AddInstaller(InstallerScript("sleep 3", false));
    EXPECT_LT(Seconds({100, 0}), 2.5);
}

// The user is told which program could not be started, and why.
TEST_F(Winsock2Test, InstallerThatCannotStart) {
    const struct {
        const char *name;
        std::map<char, std::string> drives;
        bool notAProgram;
        char letter;
        const char *journal;
        const char *warning;
    } cases[] = {
        {"CD without the installer's folder",
         {{'C', "fixed"}, {'F', "cdrom"}, {'H', "cdrom"}},
         false,
         'F',
         R"(CreateProcess "F:\\Wingate\\ws2setup.exe" -> failed)",
         "F:\\Wingate\\ws2setup.exe could not be started (error 3)."},
        {"no CD-ROM drive",
         {{'C', "fixed"}, {'D', "fixed"}},
         false,
         'J',
         R"(CreateProcess "J:\\Wingate\\ws2setup.exe" -> failed)",
         "J:\\Wingate\\ws2setup.exe could not be started (error 3)."},
        {"installer that is not a program",
         {{'C', "fixed"}, {'E', "cdrom"}},
         true,
         'E',
         R"(CreateProcess "E:\\Wingate\\ws2setup.exe" -> failed)",
         "E:\\Wingate\\ws2setup.exe could not be started (error 11)."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        machine.SetDrives(c.drives);
        if (c.notAProgram)
            machine.AddFile('E', kInstaller, "not a program", false);
        machine.Use();
        g_setupState = SetupState{};
        ui->ClearTranscript();
        ui->answers.push_back(IDOK);
        EXPECT_EQ(InstallWinsock2(nullptr), Winsock2Result::NotStarted);
        EXPECT_EQ(g_setupState.cdRootPath[0], c.letter);
        EXPECT_EQ(testkit::Lines(machine.ReadJournal()).back(), c.journal);
        const std::string text =
            std::string("Fail to install Winsock 2, the program\n") + c.warning;
        EXPECT_EQ(ui->Events(), (std::vector<std::string>{
                                    "msgbox \"WARNING\" " + vp::QuotedText(text) + " 16 owner=none",
                                    "answer ok"}));
    }
}

} // namespace
