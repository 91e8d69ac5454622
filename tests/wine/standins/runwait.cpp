// Runs a program and waits until it and every program it started, and the
// programs those started, have ended (a job object); exits with the first
// program's exit code. Lets the tests wait for a whole run without stopping
// the Wine server. Usage: runwait <command line>
#include <windows.h>

#include <cstdio>

int main() {
    // The command line after our own name.
    const char *command = GetCommandLineA();
    const bool quoted = *command == '"';
    for (++command; *command && (quoted ? *command != '"' : *command != ' '); ++command) {
    }
    if (quoted && *command)
        ++command;
    while (*command == ' ')
        ++command;
    char line[32768];
    lstrcpynA(line, command, sizeof line);

    const HANDLE job = CreateJobObjectA(nullptr, nullptr);
    const HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {job, port};
    if (!job || !port ||
        !SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &association,
                                 sizeof association)) {
        std::fprintf(stderr, "runwait: no job object (error %lu)\n", GetLastError());
        return 125;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "runwait: cannot start %s (error %lu)\n", line, GetLastError());
        return 126;
    }
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    DWORD message = 0;
    ULONG_PTR key = 0;
    LPOVERLAPPED overlapped = nullptr;
    while (GetQueuedCompletionStatus(port, &message, &key, &overlapped, INFINITE) &&
           message != JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) {
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
}
