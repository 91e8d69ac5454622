#include "tests/unit/framework/probe_dialog.h"

#include "platform/user32/resource_lookup.h"
#include "platform/user32/script_driver.h"
#include "res/resource.h"

#include <cstdio>
#include <cstdlib>

BEGIN_MESSAGE_MAP(ProbeDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_SHARE_DRIVE, &ProbeDlg::OnClick1002)
ON_BN_CLICKED(IDC_UNSHARE_DRIVE, &ProbeDlg::OnClick1003)
ON_BN_CLICKED(IDC_GATEWAY, &ProbeDlg::OnClick1030)
ON_LBN_DBLCLK(IDC_LOCAL_DRIVES, &ProbeDlg::OnDblclk1011)
END_MESSAGE_MAP()

void ProbeDlg::Event(const std::string &entry, const std::string &hook) {
    log.push_back(entry);
    auto found = hooks.find(hook);
    if (found != hooks.end())
        found->second(*this);
}

BOOL ProbeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Event("init", "init");
    return TRUE;
}

void ProbeDlg::OnOK() {
    Event("ok", "ok");
    CDialog::OnOK();
}

void ProbeDlg::OnCancel() {
    Event("cancel", "cancel");
    CDialog::OnCancel();
}

void ProbeDlg::OnSysCommand(UINT id, LPARAM lParam) {
    char text[32];
    std::snprintf(text, sizeof text, "syscommand 0x%X", id);
    Event(text, "syscommand");
    CDialog::OnSysCommand(id, lParam);
}

void ProbeDlg::OnTimer(UINT_PTR timerId) {
    Event("timer " + std::to_string(timerId), "timer");
    CDialog::OnTimer(timerId);
}

void ProbeDlg::OnDestroy() {
    Event("destroy", "destroy");
    CDialog::OnDestroy();
}

void ProbeDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    RECT rect;
    GetClientRect(&rect);
    DrawIcon(dc, (rect.right - GetSystemMetrics(SM_CXICON) + 1) / 2, 0, OnQueryDragIcon());
    EndPaint(m_hWnd, &paint);
    log.push_back("paint iconic");
}

HCURSOR ProbeDlg::OnQueryDragIcon() {
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP_ICON));
}

void ProbeDlg::OnClick1002() {
    Event("click 1002", "click 1002");
}
void ProbeDlg::OnClick1003() {
    Event("click 1003", "click 1003");
}
void ProbeDlg::OnClick1030() {
    Event("click 1030", "click 1030");
}

void ProbeDlg::OnDblclk1011() {
    Event("dblclick 1011 at " + std::to_string(SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_GETCURSEL)),
          "dblclick 1011");
}

void ScriptTest::SetUp() {
    ui::UseResources(nullptr);
    setenv("VELTRIN_TRANSCRIPT", (m_dir.Path() + "/transcript.txt").c_str(), 1);
}

void ScriptTest::TearDown() {
    unsetenv("VELTRIN_TRANSCRIPT");
    ui::SetDriver(nullptr);
}

void ScriptTest::Script(const std::string &lines) {
    testkit::WriteFile(ScriptPath(), lines);
    unsetenv("VELTRIN_SCRIPT_POS"); // each test is a run of its own
    ui::SetDriver(std::make_unique<ui::ScriptDriver>(ScriptPath()));
}

std::vector<std::string> ScriptTest::Transcript() const {
    return testkit::Lines(testkit::ReadFile(m_dir.Path() + "/transcript.txt"));
}

std::vector<std::string> ListEntries(HWND dialog, int id) {
    std::vector<std::string> entries;
    const auto count = SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0);
    for (WPARAM i = 0; static_cast<LRESULT>(i) < count; ++i) {
        std::string text(
            static_cast<std::size_t>(SendDlgItemMessageA(dialog, id, LB_GETTEXTLEN, i, 0)), '\0');
        SendDlgItemMessageA(dialog, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        entries.push_back(text);
    }
    return entries;
}
