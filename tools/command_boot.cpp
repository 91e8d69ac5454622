// `boot`: plays a restart of the machine. As Windows does at start-up, each
// RunOnce entry is removed and its command run, one after the other.
#include "tools/machine_tool.h"

#include "platform/quoted_text.h"

#include "platform/api.h"
#include "platform/registry_keys.h"
#include "platform/sim/machine/machine.h"

#include <cstdio>
#include <string>
#include <vector>

namespace tool {
namespace {

// A program that never ends does not hold up the start forever.
const DWORD kProgramTimeoutMs = 10 * 60 * 1000;

void RunAndWait(std::string command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "veltrin-machine: could not start %s (error %u)\n",
                     vp::VisibleText(command).c_str(), static_cast<unsigned>(GetLastError()));
        return;
    }
    if (WaitForSingleObject(process.hProcess, kProgramTimeoutMs) == WAIT_TIMEOUT)
        std::fprintf(stderr, "veltrin-machine: %s still runs; going on\n",
                     vp::VisibleText(command).c_str());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace

int CommandBoot(const Args &args) {
    std::string dir;
    if (!MachineArgument(args, &dir)) {
        std::fputs("usage: veltrin-machine boot [dir]\n", stderr);
        return 2;
    }
    // A registry that cannot be read is told, and no restart is recorded:
    // its RunOnce entries could not be played.
    if (!OpenMachine(dir) || !RegistryReadable())
        return 1;
    HKEY key;
    LONG code = RegOpenKeyA(HKEY_LOCAL_MACHINE, kRunOnceKeyPath, &key);
    std::vector<NamedValue> entries;
    if (code == ERROR_SUCCESS && (code = Values(kRunOnceKeyPath, &entries)) != ERROR_SUCCESS)
        RegCloseKey(key);
    if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND) {
        std::fprintf(stderr, "veltrin-machine: cannot read the RunOnce entries (error %ld)\n",
                     static_cast<long>(code));
        return 1;
    }
    sim::AppendJournal("Boot");
    if (code == ERROR_FILE_NOT_FOUND) {
        std::puts("restarted; no RunOnce entries");
        return 0;
    }
    std::erase_if(entries,
                  [](const NamedValue &v) { return v.type != REG_SZ && v.type != REG_EXPAND_SZ; });
    std::size_t run = 0;
    for (const auto &[name, type, command] : entries) {
        // Removed before it runs, so a program that restarts the machine
        // itself does not run again.
        if (RegDeleteValueA(key, name.c_str()) != ERROR_SUCCESS) {
            std::fprintf(stderr, "veltrin-machine: cannot remove RunOnce value %s; not run\n",
                         vp::VisibleText(name).c_str());
            continue;
        }
        ++run;
        std::printf("RunOnce %s: %s\n", vp::VisibleText(name).c_str(),
                    vp::VisibleText(command).c_str());
        RunAndWait(command);
    }
    RegCloseKey(key);
    std::printf("restarted; %zu RunOnce entr%s run\n", run, run == 1 ? "y" : "ies");
    return run == entries.size() ? 0 : 1;
}

} // namespace tool
