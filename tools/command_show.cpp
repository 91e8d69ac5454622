// `show`: what a person setting up the card wants to see of a machine.
#include "tools/machine_tool.h"

#include "platform/quoted_text.h"

#include "common/undo_file.h"
#include "platform/sim/drive_path.h"
#include "platform/sim/machine.h"
#include "platform/api.h"
#include "platform/registry_keys.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

std::vector<std::string> Subkeys(const std::string &keyPath) {
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str(), &key) != ERROR_SUCCESS)
        return names;
    char name[1024];
    for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        names.emplace_back(name);
    RegCloseKey(key);
    return names;
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

void ShowShares() {
    const std::string lanman = kShareKeyPath;
    std::puts("Shares:");
    for (const std::string &name : Subkeys(lanman)) {
        const std::string key = lanman + "\\" + name;
        DWORD type = ReadDword(key, "Type");
        std::printf("  %-13s %-7s flags 0x%04x  %s\n", vp::VisibleText(name).c_str(),
                    type == 0 ? "disk" : "printer", static_cast<unsigned>(ReadDword(key, "Flags")),
                    vp::VisibleText(ReadString(key, "Path")).c_str());
    }
}

void ShowPrinters() {
    const std::string printers = "System\\CurrentControlSet\\control\\Print\\Printers";
    std::puts("Printers:");
    for (const std::string &name : Subkeys(printers)) {
        const std::string key = printers + "\\" + name;
        const bool shared = (ReadDword(key, "Attributes") & 0x8) != 0;
        std::printf("  %-28s %-16s %s%s\n", vp::VisibleText(name).c_str(),
                    vp::VisibleText(ReadString(key, "Port")).c_str(),
                    shared ? "shared as " : "not shared",
                    shared ? vp::VisibleText(ReadString(key, "Share Name")).c_str() : "");
    }
}

// The card's TCP/IP bindings and the address each driver key holds.
void ShowAddresses() {
    std::puts("TCP/IP of the card (VEN_1022&DEV_2001):");
    const std::string pci = "Enum\\PCI";
    for (const std::string &device : Subkeys(pci)) {
        if (device.compare(0, 17, "VEN_1022&DEV_2001") != 0)
            continue;
        const std::string deviceKey = pci + "\\" + device;
        for (const std::string &instance : Subkeys(deviceKey)) {
            for (const NamedValue &binding : Values(deviceKey + "\\" + instance + "\\Bindings")) {
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
}

void ShowRunOnce() {
    std::puts("RunOnce:");
    for (const NamedValue &value : Values(kRunOnceKeyPath))
        std::printf("  %s = %s\n", vp::VisibleText(value.name).c_str(),
                    vp::QuotedText(value.data).c_str());
}

// Whether "veltrin-sharing /undo" has something to put back, and how much.
void ShowUndoFile() {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string path = std::string(windows) + "\\" + kUndoFileName;
    const auto host = sim::ResolveDrivePath(path);
    if (!host) {
        std::printf("Undo file: none (%s), nothing to undo\n", path.c_str());
        return;
    }
    std::ifstream in(*host, std::ios::binary);
    size_t keys = 0;
    for (std::string line; std::getline(in, line);)
        keys += line.starts_with("[") ? 1 : 0;
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(*host, ec);
    std::printf("Undo file: %s, %ju bytes, %zu key sections: veltrin-sharing /undo puts them back\n",
                path.c_str(), static_cast<uintmax_t>(ec ? 0 : bytes), keys);
}

void ShowJournal() {
    std::ifstream in(sim::JournalPath());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const size_t shown = 12;
    std::printf("Journal (last %zu of %zu lines):\n", std::min(shown, lines.size()), lines.size());
    for (size_t i = lines.size() > shown ? lines.size() - shown : 0; i < lines.size(); ++i)
        std::printf("  %s\n", lines[i].c_str());
}

} // namespace

int CommandShow(const Args &args) {
    if (args.size() != 1) {
        std::fputs("usage: veltrin-machine show <dir>\n", stderr);
        return 2;
    }
    if (!OpenMachine(args[0]))
        return 1;
    std::printf("Machine %s\n", args[0].c_str());
    ShowDrives();
    ShowShares();
    ShowPrinters();
    ShowAddresses();
    ShowRunOnce();
    ShowUndoFile();
    ShowJournal();
    return 0;
}

} // namespace tool
