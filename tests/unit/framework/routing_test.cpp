// Messages reach the class's handlers by id and notification, the default
// handling takes the rest, and the modal run ends only between inputs.
#include "tests/unit/framework/probe_dialog.h"

#include "platform/user32/timers.h"
#include "res/resource.h"

using Log = std::vector<std::string>;

namespace {

void FillDrives(ProbeDlg &dlg) {
    for (const char *entry : {"[-A-DRIVE]", "[-D-DRIVE]", "[-E-DRIVE]"})
        dlg.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

} // namespace

TEST_F(ScriptTest, CommandsReachHandlersByIdAndNotification) {
    Script("click 1002\n"
           "select 1011 2\n" // LBN_SELCHANGE has no entry: default handling
           "dblclick 1011 1\n"
           "click 1003\n"
           "click 2\n");
    ProbeDlg dlg(IDD_SHARING_DIALOG);
    dlg.hooks["init"] = FillDrives;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log,
              (Log{"init", "click 1002", "dblclick 1011 at 1", "click 1003", "cancel", "destroy"}));
}

TEST_F(ScriptTest, OkHandlerStillUsesTheWindowAfterEndDialog) {
    Script("click 1\n");
    ProbeDlg dlg(IDD_SHARING_DIALOG);
    HWND window = nullptr;
    dlg.hooks["init"] = FillDrives;
    dlg.hooks["ok"] = [&](ProbeDlg &d) {
        window = d.m_hWnd;
        d.EndDialog(IDOK);
        // Ended but not destroyed: a nested dialog or message box may follow.
        d.log.push_back("after end: " + std::to_string(IsWindow(window)) + " " +
                        std::to_string(d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_GETCOUNT)));
    };
    dlg.hooks["destroy"] = [](ProbeDlg &d) {
        d.log.push_back("at destroy: " + ListEntries(d.m_hWnd, IDC_LOCAL_DRIVES)[2]);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.log, (Log{"init", "ok", "after end: 1 3", "destroy", "at destroy: [-E-DRIVE]"}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(ScriptTest, SystemMenuItemsSendTheirCommand) {
    Script("sysmenu 0x10\n"
           "sysmenu 61536\n"); // SC_CLOSE: the cancel path
    ProbeDlg dlg(IDD_SHARING_DIALOG);
    dlg.hooks["init"] = [](ProbeDlg &d) {
        HMENU menu = d.GetSystemMenu(FALSE);
        ASSERT_NE(menu, nullptr);
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, "&About velpasto...");
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log, (Log{"init", "syscommand 0x10", "syscommand 0xF060", "cancel", "destroy"}));
}

TEST_F(ScriptTest, SendMessageToItselfGoesThroughTheMapThenTheDefault) {
    Script("");
    ProbeDlg dlg(IDD_SHARING_DIALOG);
    dlg.hooks["init"] = [](ProbeDlg &d) {
        d.SendMessage(WM_COMMAND, IDC_SHARE_DRIVE);                      // mapped
        d.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Title")); // default
        char title[16];
        GetWindowTextA(d.m_hWnd, title, sizeof title);
        d.log.push_back(title);
        d.SendMessage(WM_SYSCOMMAND, SC_CLOSE); // mapped, then default: cancel
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log,
              (Log{"init", "click 1002", "Title", "syscommand 0xF060", "cancel", "destroy"}));
}

TEST_F(ScriptTest, TimersTickInVirtualTimeAndDieWithTheWindow) {
    Script("wait 3599\n"
           "wait 1\n"
           "wait 10000\n");
    ProbeDlg dlg(IDD_REBOOT_DIALOG);
    int ticks = 0;
    dlg.hooks["init"] = [](ProbeDlg &d) { EXPECT_EQ(d.SetTimer(291, 900, nullptr), 291u); };
    dlg.hooks["timer"] = [&](ProbeDlg &d) {
        if (++ticks == 5)
            d.EndDialog(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    // 3599 ms: 3 ticks; one more ms: the 4th; the 5th ends the run and the
    // rest of the wait goes unused.
    EXPECT_EQ(dlg.log, (Log{"init", "timer 291", "timer 291", "timer 291", "timer 291", "timer 291",
                            "destroy"}));
    EXPECT_FALSE(ui::UntilNextTimer().has_value());
}

TEST_F(ScriptTest, KilledTimerStopsTicking) {
    Script("wait 1000\n"
           "wait 5000\n"
           "click 2\n");
    ProbeDlg dlg(IDD_REBOOT_DIALOG);
    dlg.hooks["init"] = [](ProbeDlg &d) { d.SetTimer(7, 400, nullptr); };
    dlg.hooks["timer"] = [](ProbeDlg &d) { d.KillTimer(7); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log, (Log{"init", "timer 7", "cancel", "destroy"}));
}
