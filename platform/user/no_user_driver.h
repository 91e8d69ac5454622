// The driver of a run with neither a terminal nor a response file: it stops
// the program the first time the user would be asked anything.
#pragma once

#include "platform/user/driver.h"

namespace ui {

// Exit status of a run that could not get the user's answer (also every
// response-file error).
constexpr int kNoAnswerExitCode = 3;

// Writes "veltrin: <message>" to stderr and ends the process with `status`.
[[noreturn]] void Fail(const std::string &message, int status = kNoAnswerExitCode);

class NoUserDriver : public Driver {
  public:
    explicit NoUserDriver(
        std::string why = "no terminal and no response file (set VELTRIN_UI=script:<file>)")
        : why_(std::move(why)) {}
    int ShowMessageBox(const MessageBoxRequest &) override { Fail(why_); }
    void DialogOpened(const Window &) override {}
    Input NextInput(const Window &, std::optional<ui::Duration>) override {
        Fail(why_);
    }
    void InputRejected(const Window &, const Input &, const std::string &) override {}
    void DialogClosed(const Window &, int) override {}

  private:
    std::string why_;
};

} // namespace ui
