#include "platform/tui/restore.h"

#include <algorithm>
#include <csignal>
#include <cstring>

#include <termios.h>
#include <unistd.h>

namespace tui {

namespace {

int g_fd = -1;
termios g_modes{};
char g_sequence[256] = {};
std::size_t g_length = 0;
volatile std::sig_atomic_t g_armed = 0;

// Puts the terminal back, then lets the signal do what it would have done.
void OnSignal(int sig) {
    if (g_armed && g_fd >= 0) {
        g_armed = 0;
        ssize_t written = write(g_fd, g_sequence, g_length);
        (void)written;
        tcsetattr(g_fd, TCSANOW, &g_modes);
    }
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

} // namespace

void PrepareSignalRestore(int fd) {
    if (g_fd >= 0 || tcgetattr(fd, &g_modes) != 0)
        return;
    g_fd = fd;
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
        struct sigaction old {};
        if (sigaction(sig, nullptr, &old) != 0 || old.sa_handler != SIG_DFL)
            continue; // a handler of someone else's (a sanitizer's) stays
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        sigaction(sig, &action, nullptr);
    }
}

void SetRestoreSequence(const char *sequence) {
    g_length = std::min(std::strlen(sequence), sizeof g_sequence - 1);
    std::memcpy(g_sequence, sequence, g_length);
}

void SetRestoreArmed(bool armed) {
    g_armed = armed ? 1 : 0;
}

} // namespace tui
