// The driver of a run with neither a terminal nor a response file: it stops
// the program the first time the user would be asked anything.
#pragma once

#include "platform/user32/driver.h"
#include "platform/user32/linux_fail.h"

namespace ui {

class NoUserDriver : public Driver {
  public:
    explicit NoUserDriver(
        std::string why = "no terminal and no response file (set VELTRIN_UI=script:<file>)")
        : m_why(std::move(why)) {}
    int ShowMessageBox(const MessageBoxRequest &) override { Fail(m_why); }
    void DialogOpened(const Window &) override {}
    Input NextInput(const Window &, std::optional<ui::Duration>) override { Fail(m_why); }
    void InputRejected(const Window &, const Input &, const std::string &) override {}
    void DialogClosed(const Window &, int) override {}

  private:
    std::string m_why;
};

} // namespace ui
