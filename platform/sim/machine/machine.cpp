#include "platform/sim/machine/machine.h"

#include "platform/sim/host/program_name.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sim {

namespace {

std::mutex machineMutex;
std::string machineDir;
bool machineChosen = false;

std::string Absolute(const std::string &dir) {
    std::error_code ec;
    fs::path path = fs::absolute(dir, ec);
    return ec ? dir : path.lexically_normal().string();
}

// The default machine is copied on first use; a copy made by a concurrent
// process counts as ours.
std::string PrepareDefaultMachine() {
    std::string dir = DefaultMachineDir();
    std::error_code ec;
    if (fs::exists(dir, ec))
        return dir;
    // Its folder's failure is the one to tell (a data folder without write
    // permission), not the copy's missing folder that follows from it.
    const fs::path parent = fs::path(dir).parent_path();
    std::string error;
    if (fs::create_directories(parent, ec); ec)
        error = parent.string() + ": " + ec.message();
    if (!error.empty() || (!CopyDefaultMachine(dir, &error) && !fs::exists(dir, ec)))
        PrintError("cannot create the default machine " + dir + ": " + error);
    return dir;
}

} // namespace

// $XDG_DATA_HOME/veltrin/machine, or ~/.local/share/veltrin/machine. A
// relative XDG_DATA_HOME is ignored, as the base directory rules ask.
std::string DefaultMachineDir() {
    const char *data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return std::string(data) + "/veltrin/machine";
    const char *home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd *user = getpwuid(getuid());
        home = user ? user->pw_dir : "/";
    }
    return std::string(home) + "/.local/share/veltrin/machine";
}

const std::string &MachineDir() {
    std::lock_guard lock(machineMutex);
    if (!machineChosen) {
        const char *env = std::getenv("VELTRIN_MACHINE");
        machineDir = (env && *env) ? Absolute(env) : PrepareDefaultMachine();
        machineChosen = true;
    }
    return machineDir;
}

void UseMachine(const std::string &dir) {
    std::lock_guard lock(machineMutex);
    machineDir = Absolute(dir);
    machineChosen = true;
}

std::string RegistryPath() {
    return MachineDir() + "/registry.reg";
}
std::string JournalPath() {
    return MachineDir() + "/journal.log";
}

} // namespace sim
