#include "platform/sim/programs/process_start.h"

#include "platform/sim/kernel/drive_path.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/programs/process_watch.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

extern char **environ;

namespace sim {

namespace {

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
    if (head.starts_with("\x7f"
                         "ELF"))
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

// ERROR_SUCCESS with the host file of a program the system can run, else
// the Windows error of the start.
DWORD FindProgram(const std::string &program, std::string *hostPath) {
    DrivePath path = LookupDrivePath(program);
    if (path.status != PathStatus::Found)
        return path.status == PathStatus::FileMissing ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    struct stat st;
    if (stat(path.hostPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        access(path.hostPath.c_str(), X_OK) != 0 || !IsProgram(path.hostPath))
        return ERROR_BAD_FORMAT;
    *hostPath = path.hostPath;
    return ERROR_SUCCESS;
}

// A program forked and held at its gate (the write end): it runs once the
// gate closes.
struct HeldProgram {
    std::shared_ptr<Process> process; // null when it could not be forked
    int gate = -1;
    DWORD error = 0;
};

// The program starts held at a gate, so that its start is told (in the
// journal) before it can write anything of its own.
HeldProgram ForkHeld(const CommandLine &command, const std::string &hostPath) {
    std::vector<std::string> argv{hostPath};
    argv.insert(argv.end(), command.args.begin(), command.args.end());
    std::vector<std::string> env = ChildEnvironment();
    const std::string folder = DriveFolder(command.program[0]);
    std::vector<char *> argvPointers = Pointers(argv), envPointers = Pointers(env);
    int gate[2];
    if (pipe2(gate, O_CLOEXEC) != 0)
        return {nullptr, -1, StartError(errno)};
    const pid_t pid = fork();
    if (pid == 0) {
        close(gate[1]);
        BecomeProgram(gate[0], folder.c_str(), hostPath.c_str(), argvPointers.data(),
                      envPointers.data());
    }
    const int forkError = errno;
    close(gate[0]);
    if (pid < 0) {
        close(gate[1]);
        return {nullptr, -1, StartError(forkError)};
    }
    return {Watched(pid), gate[1], ERROR_SUCCESS};
}

} // namespace

StartOutcome StartProgram(const CommandLine &command, const AnnounceStart &announce) {
    StartOutcome outcome;
    std::string hostPath;
    HeldProgram held;
    outcome.error = FindProgram(command.program, &hostPath);
    if (outcome.error == 0) {
        held = ForkHeld(command, hostPath);
        outcome.error = held.error;
        outcome.process = held.process;
    }
    announce(outcome);
    if (outcome.process) {
        close(held.gate); // the gate opens: the program runs
        ReapWhenEnded(held.process);
    }
    return outcome;
}

} // namespace sim
