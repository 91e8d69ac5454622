// Program start and waits as the setup code sees them. Each start is
// journalled with its result before the program can run.
#include "platform/api.h"
#include "platform/quoted_text.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/programs/process_start.h"

#include <chrono>
#include <thread>

// 33 when started (anything above 31 means success), else the error: 2, 3,
// 11, or 0 when out of resources.
UINT WinExec(LPCSTR cmdLine, UINT cmdShow) {
    std::string_view command = cmdLine ? cmdLine : "";
    UINT result = 0;
    sim::StartProgram(sim::SplitCommandLine(command), [&](const sim::StartOutcome &outcome) {
        result = outcome.process                            ? 33u
                 : outcome.error == ERROR_NOT_ENOUGH_MEMORY ? 0u
                                                            : static_cast<UINT>(outcome.error);
        sim::AppendJournal("WinExec " + vp::QuotedText(command) + " " + std::to_string(cmdShow) +
                           " -> " + std::to_string(result));
    });
    return result;
}

// The environment, current directory and start-up record are not used: a
// program of the machine always starts in its drive's root folder with the
// machine's environment.
BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine, LPSECURITY_ATTRIBUTES,
                    LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR, LPSTARTUPINFOA,
                    LPPROCESS_INFORMATION processInformation) {
    if ((!applicationName && !commandLine) || !processInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string_view line = commandLine ? commandLine : applicationName;
    sim::CommandLine command = sim::SplitCommandLine(line);
    if (applicationName)
        command.program = applicationName;
    sim::StartOutcome outcome = sim::StartProgram(command, [&](const sim::StartOutcome &started) {
        sim::AppendJournal("CreateProcess " + vp::QuotedText(line) + " -> " +
                           (started.process ? "ok" : "failed"));
    });
    if (!outcome.process) {
        SetLastError(outcome.error);
        return FALSE;
    }
    // The thread handle stands for the program's only thread: the process.
    processInformation->hProcess = sim::AddHandle(outcome.process);
    processInformation->hThread = sim::AddHandle(outcome.process);
    processInformation->dwProcessId = static_cast<DWORD>(outcome.process->pid);
    processInformation->dwThreadId = static_cast<DWORD>(outcome.process->pid);
    return TRUE;
}

// The machine's programs are console programs, which never wait for input
// in a message queue: Windows answers WAIT_FAILED at once for them.
DWORD WaitForInputIdle(HANDLE process, DWORD) {
    if (!sim::FindHandleOf<sim::Process>(process))
        SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    auto process = sim::FindHandleOf<sim::Process>(handle);
    if (!process) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return sim::WaitForProcess(*process, milliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

void Sleep(DWORD milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
