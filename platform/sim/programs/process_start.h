// Programs of the machine's drives started as host processes, and the wait
// for one to end (process_watch.h keeps the watch over them).
#pragma once

#include "platform/sim/kernel/kernel_handles.h"
#include "platform/sim/programs/start_command.h"

#include <functional>
#include <memory>
#include <string_view>

#include <sys/types.h>

namespace sim {

// One started program. Its handles share it; its reaper fills in the end.
struct Process : HandleObject {
    pid_t pid = 0;
    // Guarded by the watch's lock (process_watch.cpp).
    bool ended = false;
    int exitCode = 0; // 128 + signal when killed
};

struct StartOutcome {
    // 0 when started, else the Windows error: 2 no such file, 3 no such
    // path, 11 not a program, 8 out of resources.
    DWORD error = 0;
    std::shared_ptr<Process> process;
};

// Told the outcome of a start before the program can run.
using AnnounceStart = std::function<void(const StartOutcome &)>;

// Starts the program (a path on a simulated drive) when its host file is an
// executable program or "#!" script: without a shell, with the arguments, in
// its drive's root folder, with VELTRIN_MACHINE and (unless set) VELTRIN_BIN
// in its environment. `announce` hears the outcome first, whatever it is;
// the program runs only once it has returned. Every started program is
// reaped when it ends.
StartOutcome StartProgram(const CommandLine &command, const AnnounceStart &announce);

// Waits up to milliseconds (INFINITE: no limit) for the process to end;
// true when it has.
bool WaitForProcess(const Process &process, DWORD milliseconds);

} // namespace sim
