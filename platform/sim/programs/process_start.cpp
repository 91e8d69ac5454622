#include "platform/sim/programs/process_start.h"

#include "platform/sim/kernel/drive_path.h"
#include "platform/sim/machine/machine.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

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

// Waits for the child and records its end; one per started program, so no
// child is ever left a zombie and no one has to poll.
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

std::string ProgramFolder() {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

// The caller's environment with the machine's two variables.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> env;
    bool hasBin = false;
    for (char **e = environ; e && *e; ++e) {
        std::string_view entry = *e;
        if (entry.starts_with("VELTRIN_MACHINE="))
            continue;
        hasBin = hasBin || entry.starts_with("VELTRIN_BIN=");
        env.emplace_back(entry);
    }
    env.push_back("VELTRIN_MACHINE=" + MachineDir());
    if (!hasBin)
        env.push_back("VELTRIN_BIN=" + ProgramFolder());
    return env;
}

std::vector<char *> Pointers(std::vector<std::string> &strings) {
    std::vector<char *> pointers;
    for (std::string &s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

DWORD StartError(int error) {
    return (error == ENOMEM || error == EAGAIN) ? ERROR_NOT_ENOUGH_MEMORY : ERROR_BAD_FORMAT;
}

// A file the system runs: a native program, or a script whose "#!" line
// names an interpreter that can be run.
bool IsProgram(const std::string &hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    std::string head;
    std::getline(in, head);
    if (head.starts_with("\x7f" "ELF"))
        return true;
    if (!head.starts_with("#!"))
        return false;
    const std::size_t from = head.find_first_not_of(" \t", 2);
    if (from == std::string::npos)
        return false;
    const std::string interpreter = head.substr(from, head.find_first_of(" \t\r", from) - from);
    return access(interpreter.c_str(), X_OK) == 0;
}

// In the new process, between fork and exec: only async-signal-safe calls.
// It waits until the gate closes (the start has been told), then becomes
// the program; a program the system refuses after all ends at once with 127,
// as a shell's would.
[[noreturn]] void BecomeProgram(int gate, const char *folder, const char *program,
                                char *const argv[], char *const envp[]) {
    char byte;
    while (read(gate, &byte, 1) < 0 && errno == EINTR) {
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (chdir(folder) == 0)
        execve(program, argv, envp);
    _exit(127);
}

} // namespace

StartOutcome StartProgram(const CommandLine &command, const AnnounceStart &announce) {
    StartOutcome outcome;
    auto fail = [&](DWORD error) {
        outcome.error = error;
        announce(outcome);
        return outcome;
    };
    DrivePath path = LookupDrivePath(command.program);
    if (path.status != PathStatus::Found)
        return fail(path.status == PathStatus::FileMissing ? ERROR_FILE_NOT_FOUND
                                                           : ERROR_PATH_NOT_FOUND);
    struct stat st;
    if (stat(path.hostPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        access(path.hostPath.c_str(), X_OK) != 0 || !IsProgram(path.hostPath))
        return fail(ERROR_BAD_FORMAT);

    std::vector<std::string> argv{path.hostPath};
    argv.insert(argv.end(), command.args.begin(), command.args.end());
    std::vector<std::string> env = ChildEnvironment();
    const std::string folder = DriveFolder(command.program[0]);
    std::vector<char *> argvPointers = Pointers(argv), envPointers = Pointers(env);

    // The program starts held at a gate, so that its start is told (in the
    // journal) before it can write anything of its own.
    int gate[2];
    if (pipe2(gate, O_CLOEXEC) != 0)
        return fail(StartError(errno));
    const pid_t pid = fork();
    if (pid == 0) {
        close(gate[1]);
        BecomeProgram(gate[0], folder.c_str(), path.hostPath.c_str(), argvPointers.data(),
                      envPointers.data());
    }
    const int forkError = errno;
    close(gate[0]);
    if (pid < 0) {
        close(gate[1]);
        return fail(StartError(forkError));
    }
    auto process = std::make_shared<Process>();
    process->pid = pid;

    Watch &w = TheWatch();
    {
        std::lock_guard lock(w.mutex);
        ++w.running;
        w.pids.push_back(process->pid);
    }
    outcome.process = process;
    announce(outcome);
    close(gate[1]); // the gate opens: the program runs
    try {
        std::thread(Reap, process).detach();
    } catch (const std::system_error &) {
        Reap(process); // no thread to spare: wait here rather than leave a zombie
    }
    return outcome;
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
