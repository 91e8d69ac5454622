#include "platform/sim/machine/machine_config.h"

#include "platform/api.h"
#include "platform/registry_names.h"
#include "platform/sim/host/host_file.h"
#include "platform/sim/host/program_name.h"
#include "platform/sim/machine/ini_text.h"
#include "platform/sim/machine/machine.h"

#include <bitset>
#include <mutex>

namespace sim {

namespace {

struct DriveWord {
    const char *word;
    unsigned type;
};
constexpr DriveWord kDriveWords[] = {{"removable", DRIVE_REMOVABLE},
                                     {"fixed", DRIVE_FIXED},
                                     {"remote", DRIVE_REMOTE},
                                     {"cdrom", DRIVE_CDROM},
                                     {"ramdisk", DRIVE_RAMDISK}};

int LetterIndex(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a';
    return -1;
}

// A letter listed twice keeps its first line, as Windows' profile reading
// finds the first key of a name.
void AddDrive(MachineConfig &config, const ini::Entry &entry, const std::string &prefix,
              std::bitset<26> &listed) {
    int index = entry.key.size() == 1 ? LetterIndex(entry.key[0]) : -1;
    if (index < 0) {
        config.errors.push_back(prefix + std::to_string(entry.line) + ": \"" + entry.key +
                                "\" is not a drive letter");
        return;
    }
    if (listed.test(static_cast<size_t>(index))) {
        config.errors.push_back(prefix + std::to_string(entry.line) + ": drive " + entry.key +
                                ": is listed again; its first line holds");
        return;
    }
    listed.set(static_cast<size_t>(index));
    for (const DriveWord &w : kDriveWords) {
        if (vp::SameRegName(entry.value, w.word)) {
            config.driveTypes[static_cast<size_t>(index)] = w.type;
            return;
        }
    }
    config.errors.push_back(prefix + std::to_string(entry.line) + ": unknown drive type \"" +
                            entry.value +
                            "\" (use removable, fixed, remote, cdrom or ramdisk); drive " +
                            entry.key + ": is left out");
}

// 0 or 1; anything else is told and counts as 0.
void SetRefuseRestart(MachineConfig &config, const ini::Entry &entry, const std::string &prefix) {
    if (entry.value == "0" || entry.value == "1") {
        config.refuseRestart = entry.value == "1";
        return;
    }
    config.errors.push_back(prefix + std::to_string(entry.line) + ": RefuseRestart is \"" +
                            entry.value + "\" (use 0 or 1); Windows restarts when asked");
}

} // namespace

MachineConfig ParseMachineConfig(std::string_view text, const std::string &fileName) {
    MachineConfig config;
    config.driveTypes.fill(DRIVE_NO_ROOT_DIR);
    std::string prefix = fileName + ":";
    ini::Text ini = ini::Parse(text);
    std::bitset<26> listed;
    for (const ini::Entry &entry : ini.entries)
        if (vp::SameRegName(entry.section, "Drives"))
            AddDrive(config, entry, prefix, listed);
    if (const ini::Entry *dir = ini::Find(ini, "System", "WindowsDirectory");
        dir && !dir->value.empty())
        config.windowsDirectory = dir->value;
    if (const ini::Entry *refuse = ini::Find(ini, "System", "RefuseRestart"))
        SetRefuseRestart(config, *refuse, prefix);
    return config;
}

// The file is a few lines long: reading it on every call is cheaper than any
// change detection that could miss two writes within one timestamp tick.
MachineConfig CurrentMachineConfig() {
    static std::mutex mutex;
    static std::string lastPath, lastText, lastUnreadable;
    static MachineConfig lastConfig = ParseMachineConfig("", "");

    std::string path = MachineDir() + "/machine.ini";
    // A missing file (a machine folder named wrongly), one that cannot be
    // read (no permission, a folder, a FIFO, a device) or is too large reads
    // as empty, *unreadable saying why.
    std::string text, unreadable;
    ReadRegularFile(path, kTextFileLimit, &text, &unreadable);
    std::lock_guard lock(mutex);
    if (path != lastPath || text != lastText || unreadable != lastUnreadable) {
        lastConfig = ParseMachineConfig(text, path);
        // Read as a machine without drives, which a person must mend.
        lastConfig.unreadable = !unreadable.empty();
        if (lastConfig.unreadable)
            lastConfig.errors.push_back(path + ": cannot be read: " + unreadable);
        for (const std::string &error : lastConfig.errors)
            PrintError(error);
        lastPath = path;
        lastText = text;
        lastUnreadable = unreadable;
    }
    return lastConfig;
}

bool MachineUsable() {
    return !CurrentMachineConfig().unreadable;
}

unsigned DriveTypeOf(char letter) {
    int index = LetterIndex(letter);
    return index < 0 ? DRIVE_NO_ROOT_DIR
                     : CurrentMachineConfig().driveTypes[static_cast<size_t>(index)];
}

} // namespace sim
