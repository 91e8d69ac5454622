// The response-file driver: the window manager's inputs from the answers of
// the run (platform/script/answers.h), in virtual time.
#pragma once

#include "platform/script/answers.h"
#include "platform/user32/driver.h"

#include <memory>
#include <string>

namespace ui {

class ScriptDriver : public Driver {
  public:
    // Reads the file and joins (or starts) the run's shared position; stops
    // the program with status 3 when the file cannot be read or has a wrong
    // line.
    explicit ScriptDriver(const std::string &path) : m_answers(path) {}

    int ShowMessageBox(const MessageBoxRequest &request) override;
    void DialogOpened(const Window &) override {}
    Input NextInput(const Window &active, std::optional<Duration> untilNextTimer) override;
    void InputRejected(const Window &active, const Input &input,
                       const std::string &reason) override;
    void DialogClosed(const Window &, int) override {}

  private:
    int EntryIndex(const Window &window, const script::Action &action) const;

    script::Answers m_answers;
};

} // namespace ui
