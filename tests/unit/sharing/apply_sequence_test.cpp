// The sharing dialog's OK: the apply sequence's steps in their order, on a
// machine with the installation CD, the card and (or not) Winsock 2.
#include "common/reg_key.h"
#include "netsetup/host_number.h"
#include "res/resource.h"
#include "sharing/sharing_dlg.h"
#include "tests/unit/netsetup/netsetup_fixture.h"

#include <chrono>
#include <ctime>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using ui::Input;

const char kDriveShare[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan\\C_Drive";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kClassKey[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
const char kSharingOpen[] = R"(dialog 132 open " File and Printer Sharing Selection")";
const char kSharingEnd[] = "dialog 132 end 1";
const char kRoleOpen[] = R"(dialog 133 open "Server-Client selection")";
const char kRoleEnd[] = "dialog 133 end 1";
const char kReminderBox[] =
    R"(msgbox "Reminder" "Please make sure your Quorvane Phoneline Network Card Installation CD-ROM is properly inserted in your CD-ROM Drive.  Click YES to continue or NO to abort." 4 owner=132)";

const char kCard[] =
    R"([HKEY_LOCAL_MACHINE\Enum\PCI\VEN_1022&DEV_2001&SUBSYS_20011022&REV_01\BUS_00&DEV_0B&FUNC_00\Bindings]
"MSTCP\\0000"=""

[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0000]
"Driver"="NetTrans\\0000"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans\0000]

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\RunOnce]

)";
const char kWinsock2[] = R"([HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Winsock2]

)";
const char kSetupAtE[] = R"(WinExec "E:\\Tzr\\Setup.exe" 1 -> 33)";
const char kSetupAtF[] = R"(WinExec "F:\\Tzr\\Setup.exe" 1 -> 33)";

class ApplySequenceTest : public nstest::NetsetupTest {
  protected:
    // A CD-ROM drive at cdDrive; the CD holds the setup entry when withCd.
    void MakeMachine(char cdDrive, bool withCd, bool withWinsock2) {
        machine.SetDrives({{'C', "fixed"}, {cdDrive, "cdrom"}, {'H', "cdrom"}});
        machine.AddDir('C', "WINDOWS"); // the undo file's home
        machine.SetRegistry(std::string(kCard) + (withWinsock2 ? kWinsock2 : ""));
        if (withCd)
            AddCd(cdDrive);
        machine.Use();
    }
    void AddCd(char drive) {
        machine.AddFile(drive, "\\Tzr\\Setup", "");
        machine.AddFile(drive, "\\Tzr\\Setup.exe", "#!/bin/sh\n", true);
        machine.AddFile(drive, "\\Wingate\\ws2setup.exe",
                        std::string("#!/bin/sh\n") + nstest::kAddWinsock2Key, true);
    }
    // Shares drive C and confirms; the role dialog gets roleInputs.
    void RunOk(std::vector<Input> roleInputs) {
        ui->inputs[IDD_SHARING_DIALOG] = {Input::Select(IDC_LOCAL_DRIVES, 0),
                                          Input::Click(IDC_SHARE_DRIVE), Input::Click(IDOK)};
        ui->inputs[IDD_ROLE_DIALOG].assign(roleInputs.begin(), roleInputs.end());
        CSharingDlg dialog(nullptr);
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
};

TEST_F(ApplySequenceTest, NoAtTheCdPromptKeepsTheSharesAndStops) {
    MakeMachine('E', false, false);
    g_setupState.restartState =
        RestartState::AddressAssigned; // from an earlier run in this process
    ui->answers = {IDYES, IDNO};
    RunOk({});
    EXPECT_TRUE(MachineKeyExists(kDriveShare));
    EXPECT_EQ(ui->Events(), (std::vector<std::string>{kSharingOpen, kReminderBox, "answer yes",
                                                      kReminderBox, "answer no", kSharingEnd}));
    EXPECT_EQ(g_setupState.restartState, RestartState::NotNeeded);
    EXPECT_EQ(nstest::ProgramLines(machine), std::vector<std::string>{});
    EXPECT_FALSE(MachineKeyExists("System\\CurrentControlSet\\Services\\Winsock2"));
}

// Yes tests the same path again: the CD put in while the prompt shows is found.
TEST_F(ApplySequenceTest, YesFindsTheCdInsertedMeanwhile) {
    MakeMachine('F', false, true);
    ui->answers = {IDYES};
    ui->onMessageBox = [this](const ui::MessageBoxRequest &) { AddCd('F'); };
    RunOk({Input::Click(IDOK)});
    EXPECT_EQ(ui->Events(), (std::vector<std::string>{kSharingOpen, kReminderBox, "answer yes",
                                                      kRoleOpen, kRoleEnd, kSharingEnd}));
    EXPECT_TRUE(nstest::RoleOpenedAsClient(*ui));
    EXPECT_EQ(nstest::ProgramLines(machine), std::vector<std::string>{kSetupAtF});
}

TEST_F(ApplySequenceTest, ClientWithWinsock2StartsSetupAndNeedsNoRestart) {
    MakeMachine('F', true, true);
    RunOk({Input::Click(IDOK)});
    EXPECT_EQ(ui->Events(),
              (std::vector<std::string>{kSharingOpen, kRoleOpen, kRoleEnd, kSharingEnd}));
    EXPECT_TRUE(nstest::RoleOpenedAsClient(*ui));
    EXPECT_EQ(g_setupState.restartState, RestartState::NotNeeded);
    EXPECT_STREQ(g_setupState.addressText, "");
    EXPECT_FALSE(nstest::ReadMachineString(kClassKey, "IPAddress"));
    EXPECT_FALSE(nstest::ReadMachineString(kRunOnce, "InternetSW"));
    EXPECT_EQ(nstest::ProgramLines(machine), std::vector<std::string>{kSetupAtF});
}
TEST_F(ApplySequenceTest, GatewayGetsItsAddressAndRestarts) {
    MakeMachine('E', true, true);
    ui->inputs[IDD_REBOOT_DIALOG] = {Input::Click(IDCANCEL)};
    const auto before = static_cast<std::uint32_t>(std::time(nullptr));
    RunOk({Input::Click(IDC_GATEWAY), Input::Click(IDOK)});
    const auto after = static_cast<std::uint32_t>(std::time(nullptr));

    EXPECT_EQ(ui->Events(),
              (std::vector<std::string>{kSharingOpen, kRoleOpen, kRoleEnd,
                                        R"(dialog 134 open "                     Reboot Message!")",
                                        "dialog 134 end 2", kSharingEnd}));
    EXPECT_TRUE(nstest::RoleOpenedAsClient(*ui));
    EXPECT_EQ(g_setupState.restartState, RestartState::AddressAssigned);
    // The seed is the time in seconds while the sequence ran.
    bool fromTheClock = false;
    for (std::uint32_t seed = before; seed <= after && !fromTheClock; ++seed) {
        const std::string address =
            "192.168.0." + std::to_string(HostNumberFromDraw(CRuntimeRandom(seed).Draw()));
        fromTheClock = address == g_setupState.addressText;
    }
    EXPECT_TRUE(fromTheClock) << g_setupState.addressText;
    EXPECT_EQ(nstest::ReadMachineString(kClassKey, "IPAddress")->text, g_setupState.addressText);
    EXPECT_EQ(nstest::ReadMachineString(kClassKey, "IPMask")->text, "255.255.255.0");
    EXPECT_EQ(nstest::ReadMachineString(kRunOnce, "InternetSW")->text, "E:\\Tzr\\Setup.exe ");
    EXPECT_EQ(nstest::ProgramLines(machine), std::vector<std::string>{"ExitWindowsEx 2"});
}

TEST_F(ApplySequenceTest, GatewayWithoutTheCardIsWarnedByTheSharingDialog) {
    MakeMachine('E', true, true);
    machine.SetRegistry(kWinsock2);
    machine.Use();
    ui->answers = {IDOK};
    RunOk({Input::Click(IDC_GATEWAY), Input::Click(IDOK)});
    EXPECT_EQ(
        ui->Events(),
        (std::vector<std::string>{
            kSharingOpen, kRoleOpen, kRoleEnd,
            R"(msgbox "WARNING" "Fail to assign a static IP address, the server\nprobably will not be working properly." 16 owner=132)",
            "answer ok", kSharingEnd}));
    EXPECT_TRUE(nstest::RoleOpenedAsClient(*ui));
    EXPECT_EQ(g_setupState.restartState, RestartState::NotNeeded);
    EXPECT_EQ(nstest::ProgramLines(machine), std::vector<std::string>{kSetupAtE});
}

} // namespace
