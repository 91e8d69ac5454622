// The network setup end to end: the launcher starts the CD's autorun, which
// opens the dialog suite; one response file answers every program of the run
// as one person would. Checked afterwards: what was seen (transcript), what
// the machine did (journal), the registry, and a restart of the machine.
#include "platform/sim/machine.h"
#include "platform/api.h"
#include "tests/e2e/suite_run.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

const char kClassKey[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kWinsock2[] = "System\\CurrentControlSet\\Services\\Winsock2";

const char kAutorun[] = R"(WinExec "E:\\autorun.exe" 1 -> 33)";
const char kInstaller[] = R"(CreateProcess "E:\\Wingate\\ws2setup.exe" -> ok)";
const char kSetup[] = R"(WinExec "E:\\Tzr\\Setup.exe" 1 -> 33)";
const char kRestart[] = "ExitWindowsEx 2";

const char kSharingOpen[] = R"(dialog 132 open "Quorvane File and Printer Sharing Selection")";
const char kRoleOpen[] = R"(dialog 133 open "Server-Client selection")";
const char kNoticeOpen[] = R"(dialog 134 open "                     Reboot Message!")";

class NetsetupRun : public SuiteRun {
  protected:
    // The transcript without the list lines, which belong to the sharing
    // dialog's own story.
    std::vector<std::string> Seen() const {
        std::vector<std::string> seen;
        for (const auto &line : testkit::Lines(testkit::ReadFile(transcript)))
            if (!line.starts_with("list "))
                seen.push_back(line);
        return seen;
    }

    // Program starts and restart requests in the journal.
    std::vector<std::string> Programs() const {
        std::vector<std::string> found;
        for (const auto &line : testkit::Lines(testkit::ReadFile(machine + "/journal.log")))
            if (line.starts_with("WinExec ") || line.starts_with("CreateProcess ") ||
                line.starts_with("ExitWindowsEx "))
                found.push_back(line);
        return found;
    }

    // A string value of the machine's HKLM and its stored size.
    std::optional<std::pair<std::string, DWORD>> Value(const char *key, const char *name) {
        sim::UseMachine(machine);
        HKEY handle = nullptr;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, key, &handle) != ERROR_SUCCESS)
            return std::nullopt;
        char data[128] = {};
        DWORD size = sizeof data;
        const LONG result =
            RegQueryValueExA(handle, name, nullptr, nullptr, reinterpret_cast<BYTE *>(data), &size);
        RegCloseKey(handle);
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        return std::make_pair(std::string(data), size);
    }

    bool KeyExists(const char *key) {
        sim::UseMachine(machine);
        HKEY handle = nullptr;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, key, &handle) != ERROR_SUCCESS)
            return false;
        RegCloseKey(handle);
        return true;
    }

    // The journal line a program of the CD leaves when it ran.
    bool JournalGets(const std::string &line) const {
        for (int tries = 0; tries < 100; ++tries) {
            for (const auto &seen : testkit::Lines(testkit::ReadFile(machine + "/journal.log")))
                if (seen == line)
                    return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
};

TEST_F(NetsetupRun, GatewayGetsItsAddressAndRestartsIntoSetup) {
    const auto run = Start("veltrin", "click 1\n"             // sharing dialog: OK
                                      "click 1030\nclick 1\n" // gateway
                                      "wait 4500\n");         // the notice's five ticks
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Seen(),
              (std::vector<std::string>{kSharingOpen, kRoleOpen, "check 1030 0", "check 1031 1",
                                        "check 1030 1", "check 1031 0", "dialog 133 end 1",
                                        kNoticeOpen, "dialog 134 end 1", "dialog 132 end 1"}));
    EXPECT_EQ(Programs(), (std::vector<std::string>{kAutorun, kInstaller, kRestart}));

    const auto address = Value(kClassKey, "IPAddress");
    const auto mask = Value(kClassKey, "IPMask");
    ASSERT_TRUE(address && mask);
    ASSERT_TRUE(address->first.starts_with("192.168.0.")) << address->first;
    const int host = std::stoi(address->first.substr(10));
    EXPECT_GE(host, 1);
    EXPECT_LE(host, 254);
    EXPECT_EQ(address->second, address->first.size() + 1);
    EXPECT_EQ(*mask, std::make_pair(std::string("255.255.255.0"), DWORD{14}));
    EXPECT_EQ(Value(kRunOnce, "InternetSW"),
              std::make_pair(std::string("E:\\Tzr\\Setup.exe "), DWORD{18}));
    EXPECT_TRUE(KeyExists(kWinsock2));

    // The restart runs the CD's setup program once.
    const auto boot = testkit::Run({Program("veltrin-machine"), "boot", machine}, {});
    EXPECT_EQ(boot.exitCode, 0) << boot.output;
    EXPECT_TRUE(JournalGets("Setup.exe ran"));
    EXPECT_FALSE(Value(kRunOnce, "InternetSW"));
}

// Winsock 2 is missing, so even a client restarts; Escape ends the notice.
TEST_F(NetsetupRun, ClientInstallsWinsock2AndEscapeEndsTheNotice) {
    const auto run = Start("veltrin", "click 1\nclick 1\nclick 2\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Seen(), (std::vector<std::string>{kSharingOpen, kRoleOpen, "check 1030 0",
                                                "check 1031 1", "dialog 133 end 1", kNoticeOpen,
                                                "dialog 134 end 2", "dialog 132 end 1"}));
    EXPECT_EQ(Programs(), (std::vector<std::string>{kAutorun, kInstaller, kRestart}));
    EXPECT_EQ(Value(kClassKey, "IPAddress")->first, "0.0.0.0"); // as the machine came
    EXPECT_EQ(Value(kRunOnce, "InternetSW"),
              std::make_pair(std::string("E:\\Tzr\\Setup.exe "), DWORD{18}));
}

// With Winsock 2 in place nothing asks for a restart: the CD's setup program
// starts at once, and the run-once entry stays unset.
TEST_F(NetsetupRun, ClientWithWinsock2StartsSetupAtOnce) {
    const std::string winsock2 = dir.Path() + "/winsock2.reg";
    testkit::WriteFile(winsock2, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\" + std::string(kWinsock2) +
                                     "]\r\n\r\n");
    const auto import =
        testkit::Run({Program("veltrin-machine"), "reg", machine, "import", winsock2}, {});
    ASSERT_EQ(import.exitCode, 0) << import.output;

    const auto run = Start("veltrin", "click 1\nclick 1\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Seen(),
              (std::vector<std::string>{kSharingOpen, kRoleOpen, "check 1030 0", "check 1031 1",
                                        "dialog 133 end 1", "dialog 132 end 1"}));
    EXPECT_EQ(Programs(), (std::vector<std::string>{kAutorun, kSetup}));
    EXPECT_TRUE(JournalGets("Setup.exe ran"));
    EXPECT_FALSE(Value(kRunOnce, "InternetSW"));
}

} // namespace
