#include "tests/e2e/tui_tmux.h"

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include <unistd.h>

namespace tuitest {

std::string TmuxSession::Program() {
    const char *path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string candidate = folder + "/tmux";
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

TmuxSession::TmuxSession(const std::string &command, int cols, int rows)
    : m_socket(m_dir.Path() + "/tmux") {
    // No user configuration: the pane is as tmux makes it by default.
    Tmux({"-f", "/dev/null", "new-session", "-d", "-s", "test", "-x", std::to_string(cols), "-y",
          std::to_string(rows), command});
}

TmuxSession::~TmuxSession() {
    Tmux({"kill-server"});
}

std::string TmuxSession::Tmux(std::vector<std::string> args) const {
    args.insert(args.begin(), {Program(), "-S", m_socket});
    return testkit::Run(args, {}, 20).output;
}

std::string TmuxSession::Screen() const {
    return Tmux({"capture-pane", "-p", "-t", "test"});
}

bool TmuxSession::WaitFor(const std::string &text, int timeoutMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Screen().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

void TmuxSession::Keys(const std::vector<std::string> &keys) const {
    std::vector<std::string> args = {"send-keys", "-t", "test"};
    args.insert(args.end(), keys.begin(), keys.end());
    Tmux(args);
}

std::string TmuxSession::Pane(const std::string &format) const {
    std::string value = Tmux({"display-message", "-p", "-t", "test", format});
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r'))
        value.pop_back();
    return value;
}

std::string ShellQuote(const std::string &word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace tuitest
