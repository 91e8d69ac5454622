// The restart notice and the restart scheduling around it.
#include "common/reg_key.h"
#include "netsetup/restart.h"
#include "netsetup/restart_notice.h"

#include "res/resource.h"
#include "tests/unit/netsetup/netsetup_fixture.h"

#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using ui::Input;

const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class RestartTest : public nstest::NetsetupTest {};

// Inputs that must all be used up before the notice ends; the fixture
// fails the test if any are left or the notice waits for more.
struct NoticeCase {
    const char *name;
    std::vector<Input> inputs;
    int result;
};

TEST_F(RestartTest, NoticeEndsAtItsFifthTickOrAtEscape) {
    const NoticeCase cases[] = {
        {"4.5 seconds at once", {Input::TimePassed(4500ms)}, IDOK},
        {"four ticks change nothing", {Input::TimePassed(3600ms), Input::TimePassed(900ms)}, IDOK},
        {"one tick at a time",
         {Input::TimePassed(900ms), Input::TimePassed(900ms), Input::TimePassed(900ms),
          Input::TimePassed(900ms), Input::TimePassed(900ms)},
         IDOK},
        {"just short of the fifth tick", {Input::TimePassed(4499ms), Input::TimePassed(1ms)}, IDOK},
        {"Escape", {Input::Click(IDCANCEL)}, IDCANCEL},
        {"Escape after two ticks", {Input::TimePassed(1800ms), Input::Click(IDCANCEL)}, IDCANCEL},
        {"close box", {Input::SysCommand(SC_CLOSE)}, IDCANCEL},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ui->inputs[IDD_REBOOT_DIALOG].assign(c.inputs.begin(), c.inputs.end());
        CRebootDlg notice(nullptr);
        EXPECT_EQ(notice.DoModal(), c.result);
        EXPECT_TRUE(ui->inputs[IDD_REBOOT_DIALOG].empty());
    }
}

// Every notice of a process counts its own ticks from the first.
TEST_F(RestartTest, SecondNoticeAlsoLastsFiveTicks) {
    for (int showing = 0; showing < 2; ++showing) {
        ui->inputs[IDD_REBOOT_DIALOG] = {Input::TimePassed(3600ms), Input::TimePassed(900ms)};
        CRebootDlg notice(nullptr);
        EXPECT_EQ(notice.DoModal(), IDOK) << "showing " << showing;
        EXPECT_TRUE(ui->inputs[IDD_REBOOT_DIALOG].empty()) << "showing " << showing;
    }
}

TEST_F(RestartTest, RegistersSetupThenRestartsAfterTheNotice) {
    machine.SetRegistry(R"([HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\RunOnce]
"InternetSW"="old"

)");
    machine.Use();
    g_setupState.cdRootPath[0] = 'E';
    ui->inputs[IDD_REBOOT_DIALOG] = {Input::TimePassed(4500ms)};
    std::vector<std::string> restartsWhileOpen;
    ui->onClosed = [&](const ui::Window &, int) {
        restartsWhileOpen = nstest::ProgramLines(machine);
    };

    ScheduleRestart(nullptr);

    auto command = nstest::ReadMachineString(kRunOnce, "InternetSW");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->text, "E:\\Tzr\\Setup.exe ");
    EXPECT_EQ(command->size, 18u);
    EXPECT_EQ(command->type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(restartsWhileOpen.empty());
    EXPECT_EQ(nstest::ProgramLines(machine), std::vector<std::string>{"ExitWindowsEx 2"});
    EXPECT_EQ(ui->Events(),
              (std::vector<std::string>{R"(dialog 134 open "                     Reboot Message!")",
                                        "dialog 134 end 1"}));
}

TEST_F(RestartTest, MissingRunOnceKeyIsMade) {
    ui->inputs[IDD_REBOOT_DIALOG] = {Input::Click(IDCANCEL)};
    g_setupState.cdRootPath[0] = 'E';
    ScheduleRestart(nullptr);
    auto command = nstest::ReadMachineString(kRunOnce, "InternetSW");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->text, "E:\\Tzr\\Setup.exe ");
    EXPECT_EQ(nstest::ProgramLines(machine), std::vector<std::string>{"ExitWindowsEx 2"});
    EXPECT_EQ(ui->Events(),
              (std::vector<std::string>{R"(dialog 134 open "                     Reboot Message!")",
                                        "dialog 134 end 2"}));
}

// A program that will not close keeps Windows running: the user is told to
// restart, and the run-once entry waits for that restart.
TEST_F(RestartTest, RefusedRestartIsTold) {
    testkit::WriteFile(machine.Dir() + "/machine.ini",
                       "[Drives]\nC=fixed\n[System]\nRefuseRestart=1\n");
    g_setupState.cdRootPath[0] = 'E';
    ui->inputs[IDD_REBOOT_DIALOG] = {Input::Click(IDCANCEL)};
    ui->answers.push_back(IDOK);
    ScheduleRestart(nullptr);
    EXPECT_EQ(nstest::ReadMachineString(kRunOnce, "InternetSW")->text, "E:\\Tzr\\Setup.exe ");
    EXPECT_EQ(nstest::ProgramLines(machine),
              std::vector<std::string>{"ExitWindowsEx 2 -> refused"});
    EXPECT_EQ(
        ui->Events(),
        (std::vector<std::string>{
            R"(dialog 134 open "                     Reboot Message!")", "dialog 134 end 2",
            R"(msgbox "WARNING" "Windows could not be restarted. Please restart Windows to\ncontinue your Quorvane Phoneline Network Card installation." 48 owner=none)",
            "answer ok"}));
}

} // namespace
