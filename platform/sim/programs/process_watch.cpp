#include "platform/sim/programs/process_watch.h"
#include "platform/sim/programs/started_programs.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include <sys/wait.h>

namespace sim {

namespace {

// What this process knows of the programs it started. Never destroyed: a
// reaper may still report while the program exits.
struct Watch {
    std::mutex mutex;
    std::condition_variable changed;
    int running = 0;
    std::vector<pid_t> pids; // of the programs still running, not yet reaped
};

// How long a program gets to end after being asked to.
constexpr std::chrono::seconds kEndGrace{3};

Watch &TheWatch() {
    static auto *watch = new Watch;
    return *watch;
}

// Waits for the child and records its end.
void Reap(const std::shared_ptr<Process> &process) {
    // Waited for first and reaped under the lock: a pid in the list is never
    // one the system has handed to another process meanwhile.
    siginfo_t info;
    while (waitid(P_PID, static_cast<id_t>(process->pid), &info, WEXITED | WNOWAIT) < 0 &&
           errno == EINTR) {
    }
    Watch &w = TheWatch();
    std::lock_guard lock(w.mutex);
    int status = 0;
    while (waitpid(process->pid, &status, 0) < 0 && errno == EINTR) {
    }
    std::erase(w.pids, process->pid);
    process->ended = true;
    process->exitCode = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    --w.running;
    w.changed.notify_all();
}

} // namespace

std::shared_ptr<Process> Watched(pid_t pid) {
    auto process = std::make_shared<Process>();
    process->pid = pid;
    Watch &w = TheWatch();
    std::lock_guard lock(w.mutex);
    ++w.running;
    w.pids.push_back(pid);
    return process;
}

void ReapWhenEnded(const std::shared_ptr<Process> &process) {
    try {
        std::thread(Reap, process).detach();
    } catch (const std::system_error &) {
        Reap(process); // no thread to spare: wait here rather than leave a zombie
    }
}

bool WaitForProcess(const Process &process, DWORD milliseconds) {
    Watch &w = TheWatch();
    std::unique_lock lock(w.mutex);
    if (milliseconds == INFINITE) {
        w.changed.wait(lock, [&] { return process.ended; });
        return true;
    }
    return w.changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                              [&] { return process.ended; });
}

void WaitForStartedPrograms() {
    Watch &w = TheWatch();
    std::unique_lock lock(w.mutex);
    w.changed.wait(lock, [&] { return w.running == 0; });
}

void EndStartedPrograms() {
    Watch &w = TheWatch();
    std::unique_lock lock(w.mutex);
    for (pid_t pid : w.pids)
        kill(pid, SIGTERM);
    if (w.changed.wait_for(lock, kEndGrace, [&] { return w.running == 0; }))
        return;
    for (pid_t pid : w.pids)
        kill(pid, SIGKILL);
}

} // namespace sim
