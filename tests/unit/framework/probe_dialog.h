// A test dialog that logs every message its class receives and runs hooks
// at named events, and a fixture that drives dialogs from a response file.
#pragma once

#include "platform/framework.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

class ProbeDlg : public CDialog {
  public:
    explicit ProbeDlg(UINT templateId, CWnd *parent = nullptr) : CDialog(templateId, parent) {}

    std::vector<std::string> log;
    // Run after the event of that name was logged: "init", "ok", "cancel",
    // "click <id>", "dblclick <id>", "syscommand", "timer", "destroy".
    std::map<std::string, std::function<void(ProbeDlg &)>> hooks;

    using CDialog::CheckDlgButton;
    using CDialog::EndDialog;
    using CDialog::GetSystemMenu;
    using CDialog::IsDlgButtonChecked;
    using CDialog::KillTimer;
    using CDialog::MessageBox;
    using CDialog::SendDlgItemMessage;
    using CDialog::SendMessage;
    using CDialog::SetTimer;
    using CDialog::SetWindowText;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnTimer(UINT_PTR timerId);
    void OnDestroy();
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnClick1002();
    void OnClick1003();
    void OnClick1030();
    void OnDblclk1011();

  private:
    void Event(const std::string &entry, const std::string &hook);
    DECLARE_MESSAGE_MAP()
};

// Each test runs its dialogs from a response file of its own and records a
// transcript of its own.
class ScriptTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Writes the response file and makes it drive this process, as the
    // first process of a run.
    void Script(const std::string &lines);
    std::vector<std::string> Transcript() const;
    std::string ScriptPath() const { return m_dir.Path() + "/run.txt"; }

    testkit::TempDir m_dir;
};

// Lists the entries of list box `id` of a dialog window.
std::vector<std::string> ListEntries(HWND dialog, int id);
