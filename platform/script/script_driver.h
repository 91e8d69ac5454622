// The response-file driver: answers every dialog and message box from the
// response file (VELTRIN_UI=script:<file>), in virtual time. An action that
// does not fit what is showing, or a file that ends while something waits,
// stops the program with "veltrin: <file>:<line>: ..." on stderr and exit
// status 3 (script::kNoAnswerExitCode).
#pragma once

#include "platform/script/response_file.h"
#include "platform/script/shared_position.h"
#include "platform/user32/driver.h"

#include <memory>
#include <string>

namespace script {

// Reads the file and joins (or starts) the run's shared position; stops the
// program with status 3 when the file cannot be read or has a wrong line.
std::unique_ptr<ui::Driver> OpenScriptDriver(const std::string &path);

class ScriptDriver : public ui::Driver {
  public:
    ScriptDriver(ResponseFile file, SharedPosition position);

    int ShowMessageBox(const ui::MessageBoxRequest &request) override;
    void DialogOpened(const ui::Window &) override {}
    ui::Input NextInput(const ui::Window &active,
                        std::optional<ui::Duration> untilNextTimer) override;
    void InputRejected(const ui::Window &active, const ui::Input &input,
                       const std::string &reason) override;
    void DialogClosed(const ui::Window &, int) override {}

  private:
    const Action *Take(); // null at the end of the file
    // The entry the action names in its list: by its text, looked up in the
    // list as it stands (stops the run when the list has none such), or by
    // its number.
    int EntryIndex(const ui::Window &active, const Action &action) const;
    [[noreturn]] void Stop(int line, const std::string &problem, const std::string &showing) const;
    [[noreturn]] void StopAtEnd(const std::string &showing) const;

    ResponseFile file_;
    SharedPosition position_;
    const Action *last_ = nullptr; // the action being applied
};

} // namespace script
