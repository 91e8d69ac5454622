// The dialog harness of the tests: a person in front of the window manager
// who answers every dialog and message box from queues, and the transcript
// of what that person saw, in the lines the programs write
// (VELTRIN_TRANSCRIPT): "dialog 132 open ...", "list ...", "check ...",
// "msgbox ...", "answer ...", "dialog 132 end 1".
//
// A dialog that waits with nothing queued for it, a message box without an
// answer, or an input the dialog rejects fails the test; the dialog is then
// cancelled, so a test never hangs.
#pragma once

#include "platform/framework.h"
#include "platform/user32/driver.h"
#include "tests/testkit/testkit.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testkit {

class DialogHarness : public ui::Driver {
  public:
    // Points VELTRIN_TRANSCRIPT at a file of its own for as long as it lives.
    DialogHarness();
    ~DialogHarness() override;

    // Makes a new harness the process's driver (the window manager owns it)
    // and returns it.
    static DialogHarness &Install();

    std::deque<int> answers;                     // message box buttons, in order
    std::map<int, std::deque<ui::Input>> inputs; // per dialog template id
    // Runs when a dialog has been initialised, before its first wait.
    std::function<void(const ui::Window &)> onOpened;
    // Runs when a message box shows, before it is answered.
    std::function<void(const ui::MessageBoxRequest &)> onMessageBox;
    // Runs when a dialog has closed, before its window goes.
    std::function<void(const ui::Window &, int)> onClosed;

    // Runs dialog modally the way a person ends it: act runs once the dialog
    // has been initialised, then the dialog is cancelled (Escape) and its
    // window destroyed, so that what it holds goes as it goes in a run.
    INT_PTR WhileOpen(CDialog &dialog, const std::function<void()> &act);

    // Every transcript line so far.
    std::vector<std::string> Transcript() const;
    // The lines that start with prefix, e.g. "list 1011".
    std::vector<std::string> Lines(const std::string &prefix) const;
    // The transcript without the list and check lines written at each wait:
    // the dialogs opened and ended, the message boxes and their answers.
    std::vector<std::string> Events() const;
    // Starts the transcript afresh.
    void ClearTranscript();
    // Fails the test for inputs and answers left unused.
    void ExpectAllUsed() const;

    int ShowMessageBox(const ui::MessageBoxRequest &request) override;
    void DialogOpened(const ui::Window &window) override;
    ui::Input NextInput(const ui::Window &active,
                        std::optional<ui::Duration> untilNextTimer) override;
    void InputRejected(const ui::Window &active, const ui::Input &input,
                       const std::string &reason) override;
    void DialogClosed(const ui::Window &window, int result) override;

  private:
    TempDir m_dir;
    std::string m_transcript;
};

} // namespace testkit
