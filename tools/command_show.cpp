// `show`: what a person setting up the card wants to see of a machine.
#include "tools/machine_tool.h"

#include "platform/quoted_text.h"

#include "platform/api.h"
#include "platform/registry_keys.h"
#include "platform/sim/host/host_file.h"
#include "platform/sim/kernel/drive_path.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/registry/store.h"
#include "wayback/undo_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace tool {
namespace {

const char *DriveTypeName(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE:
        return "removable";
    case DRIVE_FIXED:
        return "fixed";
    case DRIVE_REMOTE:
        return "remote";
    case DRIVE_CDROM:
        return "cdrom";
    case DRIVE_RAMDISK:
        return "ramdisk";
    default:
        return "unknown";
    }
}

// A key that is not there lists nothing; any other failure is told.
bool Listed(LONG code, const std::string &keyPath) {
    if (code == ERROR_SUCCESS || code == ERROR_FILE_NOT_FOUND)
        return true;
    std::fprintf(stderr, "veltrin-machine: cannot read HKEY_LOCAL_MACHINE\\%s (error %ld)\n",
                 keyPath.c_str(), static_cast<long>(code));
    return false;
}

DWORD ReadDword(const std::string &keyPath, const char *name) {
    HKEY key;
    DWORD value = 0;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str(), &key) != ERROR_SUCCESS)
        return value;
    DWORD size = sizeof value;
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size);
    RegCloseKey(key);
    return value;
}

void ShowDrives() {
    std::puts("Drives:");
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i)))
            continue;
        char root[4] = {static_cast<char>('A' + i), ':', '\\', '\0'};
        std::printf("  %s  %s\n", root, DriveTypeName(GetDriveTypeA(root)));
    }
}

bool ShowShares() {
    const std::string lanman = kShareKeyPath;
    std::puts("Shares:");
    std::vector<std::string> names;
    const LONG code = Subkeys(lanman, &names);
    for (const std::string &name : names) {
        const std::string key = lanman + "\\" + name;
        DWORD type = ReadDword(key, "Type");
        std::printf("  %-13s %-7s flags 0x%04x  %s\n", vp::VisibleText(name).c_str(),
                    type == 0 ? "disk" : "printer", static_cast<unsigned>(ReadDword(key, "Flags")),
                    vp::VisibleText(ReadString(key, "Path")).c_str());
    }
    return Listed(code, lanman);
}

bool ShowPrinters() {
    const std::string printers = "System\\CurrentControlSet\\control\\Print\\Printers";
    std::puts("Printers:");
    std::vector<std::string> names;
    const LONG code = Subkeys(printers, &names);
    for (const std::string &name : names) {
        const std::string key = printers + "\\" + name;
        const bool shared = (ReadDword(key, "Attributes") & 0x8) != 0;
        std::printf("  %-28s %-16s %s%s\n", vp::VisibleText(name).c_str(),
                    vp::VisibleText(ReadString(key, "Port")).c_str(),
                    shared ? "shared as " : "not shared",
                    shared ? vp::VisibleText(ReadString(key, "Share Name")).c_str() : "");
    }
    return Listed(code, printers);
}

// The card's TCP/IP bindings and the address each driver key holds.
bool ShowAddresses() {
    std::puts("TCP/IP of the card (VEN_1022&DEV_2001):");
    const std::string pci = "Enum\\PCI";
    std::vector<std::string> devices, instances;
    std::vector<NamedValue> bindings;
    bool ok = Listed(Subkeys(pci, &devices), pci);
    for (const std::string &device : devices) {
        if (device.compare(0, 17, "VEN_1022&DEV_2001") != 0)
            continue;
        const std::string deviceKey = pci + "\\" + device;
        ok = Listed(Subkeys(deviceKey, &instances), deviceKey) && ok;
        for (const std::string &instance : instances) {
            const std::string bindingsKey = deviceKey + "\\" + instance + "\\Bindings";
            ok = Listed(Values(bindingsKey, &bindings), bindingsKey) && ok;
            for (const NamedValue &binding : bindings) {
                if (binding.name.compare(0, 6, "MSTCP\\") != 0)
                    continue;
                const std::string driver =
                    ReadString("Enum\\Network\\MSTCP\\" + binding.name.substr(6), "Driver");
                const std::string classKey =
                    "System\\CurrentControlSet\\Services\\Class\\" + driver;
                std::printf("  %s\\%s -> %s  IPAddress %s  IPMask %s\n",
                            vp::VisibleText(device).c_str(), vp::VisibleText(instance).c_str(),
                            vp::VisibleText(driver).c_str(),
                            vp::VisibleText(ReadString(classKey, "IPAddress")).c_str(),
                            vp::VisibleText(ReadString(classKey, "IPMask")).c_str());
            }
        }
    }
    return ok;
}

bool ShowRunOnce() {
    std::puts("RunOnce:");
    std::vector<NamedValue> values;
    const LONG code = Values(kRunOnceKeyPath, &values);
    for (const NamedValue &value : values)
        std::printf("  %s = %s\n", vp::VisibleText(value.name).c_str(),
                    vp::QuotedText(value.data).c_str());
    return Listed(code, kRunOnceKeyPath);
}

// Whether "veltrin-sharing /undo" has something to put back, and how much.
void ShowUndoFile() {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string path = std::string(windows) + "\\" + kUndoFileName;
    const auto host = sim::ResolveDrivePath(path);
    std::string text, why;
    if (!host) {
        std::printf("Undo file: none (%s), nothing to undo\n", vp::VisibleText(path).c_str());
        return;
    }
    if (!sim::ReadRegularFile(*host, sim::kRegistryFileLimit, &text, &why)) {
        std::printf("Undo file: %s cannot be read: %s\n", vp::VisibleText(path).c_str(),
                    why.c_str());
        return;
    }
    std::size_t keys = text.starts_with("[") ? 1 : 0;
    for (std::size_t at = text.find("\n["); at != std::string::npos; at = text.find("\n[", at + 1))
        ++keys;
    std::printf(
        "Undo file: %s, %zu bytes, %zu key sections: veltrin-sharing /undo puts them back\n",
        vp::VisibleText(path).c_str(), text.size(), keys);
}

// The journal's last lines, read as it goes: it only grows. CD programs
// write to it too, so its lines are shown as the other texts are, control
// bytes escaped, and a very long line is cut.
bool ShowJournal() {
    const std::size_t shown = 12, longestShown = 4096;
    std::deque<std::string> last;
    std::size_t count = 0;
    std::string why;
    const int fd = sim::OpenRegularFile(sim::JournalPath(), SIZE_MAX, true, &why);
    if (fd < 0 && errno != ENOENT) {
        std::fprintf(stderr, "veltrin-machine: %s: cannot be read: %s\n",
                     sim::JournalPath().c_str(), why.c_str());
        return false;
    }
    bool lineOpen = false; // the last line read has not ended yet
    char buffer[16384];
    ssize_t got = 0;
    while (fd >= 0 &&
           ((got = read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))) {
        std::string_view rest(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
        while (!rest.empty()) {
            if (!lineOpen) {
                if (last.size() == shown)
                    last.pop_front();
                last.emplace_back();
                ++count;
            }
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            std::string &line = last.back();
            line.append(
                rest.substr(0, std::min(end, longestShown - std::min(longestShown, line.size()))));
            lineOpen = end == rest.size();
            rest.remove_prefix(lineOpen ? end : end + 1);
        }
    }
    if (fd >= 0)
        close(fd);
    std::printf("Journal (last %zu of %zu lines):\n", last.size(), count);
    for (const std::string &line : last)
        std::printf("  %s\n", vp::VisibleText(line).c_str());
    return got == 0;
}

} // namespace

int CommandShow(const Args &args) {
    std::string dir;
    if (!MachineArgument(args, &dir)) {
        std::fputs("usage: veltrin-machine show [dir]\n", stderr);
        return 2;
    }
    if (!OpenMachine(dir))
        return 1;
    if (!RegistryReadable())
        return 1;
    std::printf("Machine %s\n", dir.empty() ? sim::MachineDir().c_str() : dir.c_str());
    if (sim::reg::MachineRegistry().CutChangeLeftOut())
        std::puts("Registry: the last change appended to registry.reg is cut short (a program "
                  "stopped while writing it, a full disk, or a hand edit) and was left out");
    ShowDrives();
    bool ok = ShowShares();
    ok = ShowPrinters() && ok;
    ok = ShowAddresses() && ok;
    ok = ShowRunOnce() && ok;
    ShowUndoFile();
    ok = ShowJournal() && ok;
    return ok ? 0 : 1;
}

} // namespace tool
