// The recording of a person's run: what reached the dialogs, in the order it
// happened, with the time that moved their timers, and nothing the dialogs
// refused or never got.
#include "tests/unit/framework/probe_dialog.h"

#include "platform/user32/driver.h"
#include "platform/user32/linux_recording.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>

namespace {

using namespace std::chrono_literals;
using ui::Input;

// A person at a terminal: inputs with the time they took, a beep (nothing
// more) for an input the dialog refuses.
class Person : public ui::Driver {
  public:
    std::deque<Input> inputs;
    int ShowMessageBox(const ui::MessageBoxRequest &) override { return IDOK; }
    void DialogOpened(const ui::Window &) override {}
    Input NextInput(const ui::Window &, std::optional<ui::Duration>) override {
        if (inputs.empty())
            return Input::Click(IDCANCEL);
        const Input next = inputs.front();
        inputs.pop_front();
        return next;
    }
    void InputRejected(const ui::Window &, const Input &, const std::string &) override {}
    void DialogClosed(const ui::Window &, int) override {}
};

Input After(ui::Duration elapsed, Input input) {
    input.elapsed = elapsed;
    return input;
}

class Recording : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("VELTRIN_RECORD", m_path.c_str(), 1);
        unsetenv("VELTRIN_RECORDING");
        ui::recording::Start();
        auto person = std::make_unique<Person>();
        m_person = person.get();
        ui::SetDriver(std::move(person));
    }
    void TearDown() override {
        unsetenv("VELTRIN_RECORD");
        unsetenv("VELTRIN_RECORDING");
        ui::SetDriver(nullptr);
    }
    // The recording without its header.
    std::vector<std::string> Recorded() const {
        std::vector<std::string> lines = testkit::Lines(testkit::ReadFile(m_path));
        EXPECT_TRUE(!lines.empty() && lines.front().starts_with("# Recorded by ")) << m_path;
        if (!lines.empty())
            lines.erase(lines.begin());
        return lines;
    }

    testkit::TempDir m_dir;
    std::string m_path = m_dir.Path() + "/setup.txt";
    Person *m_person = nullptr;
};

TEST_F(Recording, WritesWhatReachedTheDialogInTheOrderItHappened) {
    ProbeDlg dialog(IDD_SHARING_DIALOG);
    const auto fill = [](ProbeDlg &d, std::initializer_list<const char *> entries) {
        d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_RESETCONTENT);
        for (const char *entry : entries)
            d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(entry));
    };
    dialog.hooks["init"] = [&](ProbeDlg &d) {
        fill(d, {"[-A-DRIVE]", "[-D-DRIVE]", "[-E-DRIVE]"});
    };
    // ">>" takes the entry out of the list and says so in a message box.
    dialog.hooks["click 1002"] = [&](ProbeDlg &d) {
        fill(d, {"[-A-DRIVE]", "[-E-DRIVE]"});
        d.MessageBox("Shared", "Setup", MB_OK);
    };
    dialog.hooks["click 1003"] = [](ProbeDlg &d) { d.SetTimer(7, 500, nullptr); };
    m_person->inputs = {
        After(5s, Input::Select(IDC_LOCAL_DRIVES, 1)), // a pause without timers: no wait
        Input::Click(-1),                              // the group box: refused, a beep
        Input::Click(IDC_SHARE_DRIVE),
        Input::Click(IDC_UNSHARE_DRIVE), // its timer makes time count from here
        Input::TimePassed(1200ms),
        After(100ms, Input::SysCommand(SC_CLOSE)),
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(Recorded(), (std::vector<std::string>{
                              "# dialog 132 \"File and Printer sharing selection\"",
                              "select 1011 \"[-D-DRIVE]\"",
                              "click 1002   # >>",
                              "answer ok   # Setup",
                              "click 1003   # <<",
                              "wait 1300",
                              "sysmenu 0xF060   # Close",
                          }));
}

// A tick that ends the dialog while a key is on its way: the key never
// reaches the dialog, but its time does, so the replay ends it the same way.
TEST_F(Recording, AnInputATickOvertookIsTimeOnly) {
    ProbeDlg notice(IDD_REBOOT_DIALOG);
    notice.hooks["init"] = [](ProbeDlg &d) { d.SetTimer(291, 900, nullptr); };
    int ticks = 0;
    notice.hooks["timer"] = [&ticks](ProbeDlg &d) {
        if (++ticks == 2)
            d.EndDialog(IDOK);
    };
    m_person->inputs = {Input::TimePassed(900ms), After(950ms, Input::Click(IDCANCEL))};
    EXPECT_EQ(notice.DoModal(), IDOK);
    EXPECT_EQ(Recorded(), (std::vector<std::string>{
                              "# dialog 134 \"                     Reboot Message!\"",
                              "wait 1850",
                          }));
}

} // namespace
