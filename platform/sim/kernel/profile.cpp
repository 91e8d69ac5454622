// GetPrivateProfileStringA over INI files on the machine's drives.
#include "platform/api.h"
#include "platform/registry_names.h"
#include "platform/sim/host/host_file.h"
#include "platform/sim/host/program_name.h"
#include "platform/sim/kernel/drive_path.h"
#include "platform/sim/machine/ini_text.h"
#include "platform/sim/machine/machine_config.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// A bare file name lives in the Windows directory, as on Windows.
std::optional<std::string> ReadProfile(LPCSTR fileName) {
    if (!fileName)
        return std::nullopt;
    std::string path = fileName;
    if (path.find_first_of(":\\/") == std::string::npos)
        path = sim::CurrentMachineConfig().windowsDirectory + "\\" + path;
    std::optional<std::string> host = sim::ResolveDrivePath(path);
    if (!host)
        return std::nullopt;
    std::string text, why;
    if (!sim::ReadRegularFile(*host, sim::kTextFileLimit, &text, &why)) {
        // Read as missing, as Windows does; what a person must mend is told.
        if (errno == EINVAL || errno == EFBIG)
            sim::PrintError(*host + ": cannot be read: " + why);
        return std::nullopt;
    }
    return text;
}

// Copies at most size - 1 characters and the NUL; returns the count copied.
DWORD CopyText(std::string_view text, LPSTR out, DWORD size) {
    size_t n = std::min<size_t>(text.size(), size - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<DWORD>(n);
}

// Names one after the other, each with its NUL, and a closing NUL. A list
// that does not fit is cut, closed with two NULs, and size - 2 is returned.
DWORD CopyList(const std::vector<std::string> &names, LPSTR out, DWORD size) {
    std::string list;
    for (const std::string &name : names) {
        list += name;
        list += '\0';
    }
    if (list.size() + 1 <= size) {
        std::memcpy(out, list.data(), list.size());
        out[list.size()] = '\0';
        return static_cast<DWORD>(list.empty() ? 0 : list.size() - 1);
    }
    if (size < 2) {
        out[0] = '\0';
        return 0;
    }
    std::memcpy(out, list.data(), size - 2);
    out[size - 2] = out[size - 1] = '\0';
    return size - 2;
}

std::vector<std::string> KeyNames(const sim::ini::Text &ini, std::string_view section) {
    std::vector<std::string> names;
    for (const auto &entry : ini.entries)
        if (vp::SameRegName(entry.section, section))
            names.push_back(entry.key);
    return names;
}

} // namespace

// A NULL section lists the section names, a NULL key the section's key names.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR returned,
                               DWORD size, LPCSTR fileName) {
    if (!returned || size == 0)
        return 0;
    std::optional<std::string> text = ReadProfile(fileName);
    if (text) {
        sim::ini::Text ini = sim::ini::Parse(*text);
        if (!section)
            return CopyList(ini.sections, returned, size);
        if (!key)
            return CopyList(KeyNames(ini, section), returned, size);
        if (const sim::ini::Entry *entry = sim::ini::Find(ini, section, key))
            return CopyText(entry->value, returned, size);
    } else if (!section || !key) {
        return CopyList({}, returned, size);
    }
    std::string_view fallback = defaultValue ? defaultValue : "";
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.remove_suffix(1);
    return CopyText(fallback, returned, size);
}
