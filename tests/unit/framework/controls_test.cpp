// Controls by id: list boxes, radio groups, check boxes, texts; and the
// resources, metrics and painting calls the dialogs make.
#include "tests/unit/framework/probe_dialog.h"

#include "platform/user32/paint.h"
#include "platform/user32/resource_lookup.h"
#include "res/resource.h"

#include <gmock/gmock.h>

#include <cstring>

using Log = std::vector<std::string>;

namespace {

constexpr int kTestDialog = 900;

res::ControlTemplate Child(int id, const char *cls, std::uint32_t style, const char *text = "") {
    return {id, cls, static_cast<std::uint32_t>(WS_CHILD | WS_VISIBLE | style), 0, 0, 10, 10, text};
}

// A dialog of its own: a sorted list, two radio groups, an automatic check
// box, a disabled button; no system menu.
const res::ResourceScript &TestResources() {
    static const res::ResourceScript script = [] {
        res::ResourceScript s = res::Resources();
        res::DialogTemplate &d = s.dialogs[kTestDialog];
        d.id = kTestDialog;
        d.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        d.cx = 100;
        d.cy = 40;
        d.caption = "Test";
        d.controls = {
            Child(IDOK, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, "OK"),
            Child(10, "LISTBOX", LBS_SORT | LBS_NOTIFY),
            Child(21, "BUTTON", BS_AUTORADIOBUTTON | WS_GROUP),
            Child(22, "BUTTON", BS_AUTORADIOBUTTON),
            Child(31, "BUTTON", BS_AUTORADIOBUTTON | WS_GROUP),
            Child(32, "BUTTON", BS_AUTORADIOBUTTON),
            Child(40, "BUTTON", BS_AUTOCHECKBOX | WS_GROUP),
            Child(50, "BUTTON", BS_PUSHBUTTON | WS_DISABLED),
        };
        return s;
    }();
    return script;
}

std::vector<UINT> Checks(HWND dialog, std::initializer_list<int> ids) {
    std::vector<UINT> states;
    for (int id : ids)
        states.push_back(IsDlgButtonChecked(dialog, id));
    return states;
}

LRESULT Add(ProbeDlg &d, int list, const char *text) {
    return d.SendDlgItemMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

} // namespace

TEST_F(ScriptTest, ListBoxKeepsInsertionOrderAndResetClearsTheSelection) {
    Script("select 1011 1\n"
           "click 2\n");
    ProbeDlg dlg(IDD_SHARING_DIALOG);
    dlg.hooks["init"] = [](ProbeDlg &d) {
        for (const char *entry : {"[-E-DRIVE]", "[-A-DRIVE]", "[-D-DRIVE]"})
            Add(d, IDC_LOCAL_DRIVES, entry);
        EXPECT_EQ(d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_GETCURSEL), LB_ERR);
    };
    dlg.hooks["cancel"] = [](ProbeDlg &d) {
        HWND w = d.m_hWnd;
        EXPECT_EQ(ListEntries(w, IDC_LOCAL_DRIVES),
                  (Log{"[-E-DRIVE]", "[-A-DRIVE]", "[-D-DRIVE]"}));
        EXPECT_EQ(d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_GETCURSEL), 1);
        EXPECT_EQ(d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_GETTEXTLEN, 3), LB_ERR);
        d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_RESETCONTENT);
        EXPECT_EQ(d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_GETCOUNT), 0);
        Add(d, IDC_LOCAL_DRIVES, "[-A-DRIVE]");
        EXPECT_EQ(d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_GETCURSEL), LB_ERR);
        EXPECT_EQ(d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_SETCURSEL, 1), LB_ERR);
        EXPECT_EQ(d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_SETCURSEL, 0), 0);
        EXPECT_EQ(d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_SETCURSEL, static_cast<WPARAM>(-1)),
                  LB_ERR);
        EXPECT_EQ(d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_GETCURSEL), LB_ERR);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(ScriptTest, SortedListInsertsInOrderAndKeepsTheSelectedEntry) {
    ui::UseResources(&TestResources());
    Script("select 10 1\n"
           "click 1\n");
    ProbeDlg dlg(kTestDialog);
    dlg.hooks["init"] = [](ProbeDlg &d) {
        EXPECT_EQ(Add(d, 10, "beta"), 0);
        EXPECT_EQ(Add(d, 10, "Delta"), 1);
    };
    dlg.hooks["ok"] = [](ProbeDlg &d) {
        EXPECT_EQ(Add(d, 10, "alpha"), 0);
        EXPECT_EQ(ListEntries(d.m_hWnd, 10), (Log{"alpha", "beta", "Delta"}));
        EXPECT_EQ(d.SendDlgItemMessage(10, LB_GETCURSEL), 2); // still "Delta"
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(ScriptTest, AutomaticRadioButtonsClearOnlyTheirOwnGroup) {
    ui::UseResources(&TestResources());
    Script("click 21\n"
           "click 31\n"
           "click 22\n"
           "click 40\n"
           "click 40\n"
           "click 40\n"
           "click 1\n");
    ProbeDlg dlg(kTestDialog);
    dlg.hooks["init"] = [](ProbeDlg &d) {
        d.CheckDlgButton(32, BST_CHECKED);
        d.CheckDlgButton(IDOK, BST_CHECKED); // a push button has no check state
        EXPECT_EQ(IsDlgButtonChecked(d.m_hWnd, IDOK), 0u);
    };
    dlg.hooks["ok"] = [](ProbeDlg &d) {
        EXPECT_EQ(Checks(d.m_hWnd, {21, 22, 31, 32, 40}), (std::vector<UINT>{0, 1, 1, 0, 1}));
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(ScriptTest, RoleTemplateRadiosFormOneGroupWithTheOkButton) {
    Script("click 1030\n"
           "click 1031\n"
           "click 1030\n"
           "click 2\n"); // no Cancel button: Escape still cancels
    ProbeDlg dlg(IDD_ROLE_DIALOG);
    dlg.hooks["init"] = [](ProbeDlg &d) { d.CheckDlgButton(IDC_CLIENT, BST_CHECKED); };
    dlg.hooks["cancel"] = [](ProbeDlg &d) {
        EXPECT_EQ(Checks(d.m_hWnd, {IDC_GATEWAY, IDC_CLIENT}), (std::vector<UINT>{1, 0}));
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log, (Log{"init", "click 1030", "click 1030", "cancel", "destroy"}));
}

TEST_F(ScriptTest, WindowTextsAndNoSystemMenuWithoutTheStyle) {
    ui::UseResources(&TestResources());
    Script("");
    ProbeDlg dlg(kTestDialog);
    dlg.hooks["init"] = [](ProbeDlg &d) {
        EXPECT_EQ(d.GetSystemMenu(FALSE), nullptr);
        char text[8];
        std::memset(text, '#', sizeof text);
        EXPECT_EQ(GetWindowTextA(d.m_hWnd, text, sizeof text), 4);
        EXPECT_STREQ(text, "Test");
        d.SetWindowText("A longer title");
        EXPECT_EQ(GetWindowTextA(d.m_hWnd, text, sizeof text), 7); // cut, with its NUL
        EXPECT_STREQ(text, "A longe");
        SetWindowTextA(GetDlgItem(d.m_hWnd, IDOK), "Go");
        EXPECT_EQ(GetWindowTextA(GetDlgItem(d.m_hWnd, IDOK), text, sizeof text), 2);
        EXPECT_EQ(GetDlgItem(d.m_hWnd, 999), nullptr);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(Resources, LoadStringCopiesAtMostTheBufferLessOne) {
    ui::UseResources(nullptr);
    HINSTANCE self = GetModuleHandleA(nullptr);
    const std::string about = "&About velpasto...";
    struct Case {
        UINT id;
        int size;
        int length;
        std::string text;
    } cases[] = {
        {IDS_ABOUTBOX, 64, 18, about},
        {IDS_ABOUTBOX, 7, 6, about.substr(0, 6)},
        {IDS_ABOUTBOX, 1, 0, ""},
        {999, 64, 0, ""},
    };
    for (const Case &c : cases) {
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(LoadStringA(self, c.id, buffer, c.size), c.length) << c.id << "/" << c.size;
        EXPECT_EQ(std::string(buffer), c.text) << c.id << "/" << c.size;
    }
    char untouched = '#';
    EXPECT_EQ(LoadStringA(self, IDS_ABOUTBOX, &untouched, 0), 0);
    EXPECT_EQ(untouched, '#');
}

TEST(Resources, IconHandlesAreStableAndOnlyForTheScriptsIcons) {
    ui::UseResources(nullptr);
    HINSTANCE self = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(self, MAKEINTRESOURCEA(IDI_APP_ICON));
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(self, MAKEINTRESOURCEA(IDI_APP_ICON)), icon);
    EXPECT_EQ(LoadIconA(self, MAKEINTRESOURCEA(138)), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(IDI_APP_ICON)), nullptr);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    EXPECT_EQ(GetSystemMetrics(SM_CYICON), 32);
}

TEST_F(ScriptTest, IconsClientRectAndMinimisedPainting) {
    Script("sysmenu 0xF020\n"
           "sysmenu 0xF120\n"
           "click 2\n");
    ui::DrawnIcons().clear();
    ProbeDlg dlg(IDD_SHARING_DIALOG);
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP_ICON));
    HWND window = nullptr;
    dlg.hooks["init"] = [&](ProbeDlg &d) {
        window = d.m_hWnd;
        EXPECT_EQ(d.SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon)), 0);
        EXPECT_EQ(d.SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon)),
                  reinterpret_cast<LRESULT>(icon));
        RECT rect;
        ASSERT_TRUE(GetClientRect(d.m_hWnd, &rect));
        // 245 x 229 dialog units at 6 x 13 pixel base units.
        EXPECT_EQ(rect.right, 368);
        EXPECT_EQ(rect.bottom, 372);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log, (Log{"init", "syscommand 0xF020", "paint iconic", "syscommand 0xF120",
                            "cancel", "destroy"}));
    ASSERT_EQ(ui::DrawnIcons().size(), 1u);
    EXPECT_EQ(ui::DrawnIcons()[0].window, window);
    EXPECT_EQ(ui::DrawnIcons()[0].x, (368 - 32 + 1) / 2);
    EXPECT_EQ(ui::DrawnIcons()[0].icon, icon);
}

TEST_F(ScriptTest, DisabledButtonCannotBeClicked) {
    ui::UseResources(&TestResources());
    Script("click 50\n");
    EXPECT_EXIT(ProbeDlg(kTestDialog).DoModal(), ::testing::ExitedWithCode(3),
                ::testing::HasSubstr("run.txt:1: \"click 50\" does not fit: control 50 is disabled "
                                     "(showing: dialog 900 \"Test\")\n"));
}
