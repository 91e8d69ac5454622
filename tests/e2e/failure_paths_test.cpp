// The network setup end to end on machines where a step cannot do its work:
// the user is told, no restart is asked for on a failed step's account, and
// nothing is written where it does not belong.
#include "tests/e2e/netsetup_run.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const char kClassRoot[] = "System\\CurrentControlSet\\Services\\Class";
const char kBindings[] = "[HKEY_LOCAL_MACHINE\\Enum\\PCI\\VEN_1022&DEV_2001&SUBSYS_20011022&REV_01"
                         "\\BUS_00&DEV_0B&FUNC_00\\Bindings]\r\n";
const char kWinsock2Key[] =
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Winsock2]\r\n\r\n";

const char kAddressWarning[] = "msgbox \"WARNING\" \"Fail to assign a static IP address, the "
                               "server\\nprobably will not be working properly.\" 16 owner=132";
const char kRestartRefused[] =
    "msgbox \"WARNING\" \"Windows could not be restarted. Please restart Windows to\\ncontinue "
    "your Quorvane Phoneline Network Card installation.\" 48 owner=132";

// OK in the sharing dialog, then Gateway.
const char kGateway[] = "click 1\nclick 1030\nclick 1\n";
const Lines kGatewaySeen = {kSharingOpen,   kRoleOpen,      "check 1030 0",    "check 1031 1",
                            "check 1030 1", "check 1031 0", "dialog 133 end 1"};
// OK in the sharing dialog, then Client.
const char kClient[] = "click 1\nclick 1\n";
const Lines kClientSeen = {kSharingOpen, kRoleOpen, "check 1030 0", "check 1031 1",
                           "dialog 133 end 1"};

Lines Then(Lines seen, const Lines &more) {
    seen.insert(seen.end(), more.begin(), more.end());
    return seen;
}

class FailurePaths : public NetsetupRun {};

// A TCP/IP binding whose "Driver" is empty names the Class key itself: it is
// passed over, and with no other binding the gateway is told. Winsock 2 is
// missing, so the restart follows on its account.
TEST_F(FailurePaths, EmptyDriverTextWritesNowhereAndIsTold) {
    Import("[HKEY_LOCAL_MACHINE\\Enum\\Network\\MSTCP\\0000]\r\n\"Driver\"=\"\"\r\n\r\n");
    const auto run = Start("veltrin", std::string(kGateway) + "answer ok\nwait 4500\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Seen(), Then(kGatewaySeen, {kAddressWarning, "answer ok", kNoticeOpen,
                                          "dialog 134 end 1", "dialog 132 end 1"}));
    EXPECT_FALSE(Value(kClassRoot, "IPAddress"));
    EXPECT_FALSE(Value(kClassRoot, "IPMask"));
    EXPECT_EQ(Value(kClassKey, "IPAddress")->first, "0.0.0.0"); // as the machine came
    EXPECT_EQ(Programs(), (Lines{kAutorunLine, kInstallerLine, kRestartLine}));
}

// A card without a TCP/IP binding gets no address: the gateway is told, and
// with Winsock 2 in place nothing asks for a restart.
TEST_F(FailurePaths, GatewayWithoutTcpIpBindingIsToldAndNotRestarted) {
    Import(std::string(kBindings) + "\"MSTCP\\\\0000\"=-\r\n\r\n" + kWinsock2Key);
    const auto run = Start("veltrin", std::string(kGateway) + "answer ok\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Seen(), Then(kGatewaySeen, {kAddressWarning, "answer ok", "dialog 132 end 1"}));
    EXPECT_EQ(Value(kClassKey, "IPAddress")->first, "0.0.0.0");
    EXPECT_EQ(Programs(), (Lines{kAutorunLine, kSetupLine}));
    EXPECT_FALSE(Value(kRunOnce, "InternetSW"));
}

// An installer that is not on the CD installs nothing: the user is told
// which program could not be started, and a client goes on to the CD's setup
// program without a restart.
TEST_F(FailurePaths, MissingWinsock2InstallerIsToldAndNotRestarted) {
    std::filesystem::remove(machine + "/drives/E/Wingate/ws2setup.exe");
    const auto run = Start("veltrin", std::string(kClient) + "answer ok\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Seen(), Then(kClientSeen, {"msgbox \"WARNING\" \"Fail to install Winsock 2, the "
                                         "program\\nE:\\\\Wingate\\\\ws2setup.exe could not be "
                                         "started (error 2).\" 16 owner=132",
                                         "answer ok", "dialog 132 end 1"}));
    EXPECT_EQ(Programs(),
              (Lines{kAutorunLine, R"(CreateProcess "E:\\Wingate\\ws2setup.exe" -> failed)",
                     kSetupLine}));
    EXPECT_FALSE(Value(kRunOnce, "InternetSW"));
}

// Without a RunOnce key the entry would be lost: the key is made, and the
// restart runs the CD's setup program.
TEST_F(FailurePaths, MissingRunOnceKeyIsMade) {
    Import("[-HKEY_LOCAL_MACHINE\\" + std::string(kRunOnce) + "]\r\n\r\n");
    const auto run = Start("veltrin", std::string(kClient) + "click 2\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Seen(), Then(kClientSeen, {kNoticeOpen, "dialog 134 end 2", "dialog 132 end 1"}));
    EXPECT_EQ(Value(kRunOnce, "InternetSW"),
              std::make_pair(std::string("E:\\Tzr\\Setup.exe "), DWORD{18}));
    const auto boot = testkit::Run({Program("veltrin-machine"), "boot", machine}, {});
    EXPECT_EQ(boot.exitCode, 0) << boot.output;
    EXPECT_TRUE(JournalGets("Setup.exe ran"));
}

// A program that will not close keeps Windows running: the user is told to
// restart, and the run-once entry waits for that restart.
TEST_F(FailurePaths, RefusedRestartIsTold) {
    testkit::WriteFile(machine + "/machine.ini", testkit::ReadFile(machine + "/machine.ini") +
                                                     "\r\n[System]\r\nRefuseRestart=1\r\n");
    const auto run = Start("veltrin", std::string(kClient) + "click 2\nanswer ok\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Seen(), Then(kClientSeen, {kNoticeOpen, "dialog 134 end 2", kRestartRefused,
                                         "answer ok", "dialog 132 end 1"}));
    EXPECT_EQ(Programs(), (Lines{kAutorunLine, kInstallerLine, "ExitWindowsEx 2 -> refused"}));
    EXPECT_EQ(Value(kRunOnce, "InternetSW")->first, "E:\\Tzr\\Setup.exe ");
}

// Drive C's share name is taken by a printer share, and the shared printer's
// share is gone already: both failures are told in one box, after both share
// steps; the setup goes on.
TEST_F(FailurePaths, FailedShareChangesAreTold) {
    const std::string lanMan =
        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan\\";
    Import("[" + lanMan + "C_DRIVE]\r\n\"Type\"=dword:00000001\r\n\"Path\"=\"Desk Laser\"\r\n\r\n" +
           "[-" + lanMan + "LASER]\r\n\r\n");
    const auto run = Start("veltrin", "dblclick 1014 0\nclick 1\nanswer ok\nclick 1\nclick 2\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    // The box comes before the CD check, so it shows in the transcript
    // before the role dialog.
    EXPECT_EQ(Seen(),
              (Lines{kSharingOpen,
                     "msgbox \"WARNING\" \"Fail to change the following shares, they "
                     "probably\\nare not as you selected (share: error "
                     "code):\\nC_Drive: 2118\\nLASER: 2310\" 48 owner=132",
                     "answer ok", kRoleOpen, "check 1030 0", "check 1031 1", "dialog 133 end 1",
                     kNoticeOpen, "dialog 134 end 2", "dialog 132 end 1"}));
}

} // namespace
