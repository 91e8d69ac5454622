// A program run in a detached tmux session of its own (a private server),
// so a test can read the screen a person would see and type at it.
#pragma once

#include <string>
#include <vector>

#include "tests/testkit/testkit.h"

namespace tuitest {

class TmuxSession {
  public:
    // The path of tmux, or empty when it is not installed.
    static std::string Program();

    // Starts `command` (a shell command) in a cols x rows pane.
    TmuxSession(const std::string &command, int cols = 80, int rows = 24);
    ~TmuxSession();
    TmuxSession(const TmuxSession &) = delete;
    TmuxSession &operator=(const TmuxSession &) = delete;

    std::string Screen() const;
    // Waits until the screen shows text; false after timeoutMs.
    bool WaitFor(const std::string &text, int timeoutMs = 10000) const;
    // tmux key names: "Escape", "Tab", "Enter", "M-Space", ...
    void Keys(const std::vector<std::string> &keys) const;
    // A pane format such as "#{alternate_on}".
    std::string Pane(const std::string &format) const;

  private:
    std::string Tmux(std::vector<std::string> args) const;
    testkit::TempDir m_dir;
    std::string m_socket;
};

// Quotes a word for sh.
std::string ShellQuote(const std::string &word);

} // namespace tuitest
