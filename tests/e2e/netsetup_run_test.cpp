// The network setup end to end: the launcher starts the CD's autorun, which
// opens the dialog suite; one response file answers every program of the run
// as one person would. Checked afterwards: what was seen (transcript), what
// the machine did (journal), the registry, and a restart of the machine.
#include "tests/e2e/netsetup_run.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST_F(NetsetupRun, GatewayGetsItsAddressAndRestartsIntoSetup) {
    const auto run = Start("veltrin", "click 1\n"             // sharing dialog: OK
                                      "click 1030\nclick 1\n" // gateway
                                      "wait 4500\n");         // the notice's five ticks
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Seen(),
              (std::vector<std::string>{kSharingOpen, kRoleOpen, "check 1030 0", "check 1031 1",
                                        "check 1030 1", "check 1031 0", "dialog 133 end 1",
                                        kNoticeOpen, "dialog 134 end 1", "dialog 132 end 1"}));
    EXPECT_EQ(Programs(), (std::vector<std::string>{kAutorunLine, kInstallerLine, kRestartLine}));

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
    EXPECT_EQ(Programs(), (std::vector<std::string>{kAutorunLine, kInstallerLine, kRestartLine}));
    EXPECT_EQ(Value(kClassKey, "IPAddress")->first, "0.0.0.0"); // as the machine came
    EXPECT_EQ(Value(kRunOnce, "InternetSW"),
              std::make_pair(std::string("E:\\Tzr\\Setup.exe "), DWORD{18}));
}

// With Winsock 2 in place nothing asks for a restart: the CD's setup program
// starts at once, and the run-once entry stays unset.
TEST_F(NetsetupRun, ClientWithWinsock2StartsSetupAtOnce) {
    Import("[HKEY_LOCAL_MACHINE\\" + std::string(kWinsock2) + "]\r\n\r\n");

    const auto run = Start("veltrin", "click 1\nclick 1\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Seen(),
              (std::vector<std::string>{kSharingOpen, kRoleOpen, "check 1030 0", "check 1031 1",
                                        "dialog 133 end 1", "dialog 132 end 1"}));
    EXPECT_EQ(Programs(), (std::vector<std::string>{kAutorunLine, kSetupLine}));
    EXPECT_TRUE(JournalGets("Setup.exe ran"));
    EXPECT_FALSE(Value(kRunOnce, "InternetSW"));
}

} // namespace
