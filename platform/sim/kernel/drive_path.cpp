#include "platform/sim/kernel/drive_path.h"

#include "platform/api.h"
#include "platform/registry_names.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/machine_config.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace sim {

namespace {

bool IsForbiddenChar(unsigned char c) {
    return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' ||
           c == '*';
}

// CON, NUL, AUX, PRN, COM1-9 and LPT1-9 name devices whatever follows the dot.
bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    for (const char *device : {"CON", "NUL", "AUX", "PRN"})
        if (vp::SameRegName(base, device))
            return true;
    if (base.size() == 4 && base[3] >= '1' && base[3] <= '9')
        return vp::SameRegName(base.substr(0, 3), "COM") ||
               vp::SameRegName(base.substr(0, 3), "LPT");
    return false;
}

// The names of the path after "X:", with "." dropped and ".." applied as
// Windows does before it looks at any folder. Nothing when the path climbs
// above the root or holds a name Windows does not allow.
std::optional<std::vector<std::string>> SplitNames(std::string_view rest) {
    std::vector<std::string> names;
    while (!rest.empty()) {
        size_t end = rest.find_first_of("\\/");
        std::string_view name = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (name.empty() || name == ".")
            continue;
        if (name == "..") {
            if (names.empty())
                return std::nullopt;
            names.pop_back();
            continue;
        }
        // Windows drops trailing blanks and dots from a name ("Setup.exe " is Setup.exe).
        while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
            name.remove_suffix(1);
        if (name.empty() || IsDeviceName(name))
            return std::nullopt;
        for (char c : name)
            if (IsForbiddenChar(static_cast<unsigned char>(c)))
                return std::nullopt;
        names.emplace_back(name);
    }
    return names;
}

std::optional<std::string> RealPath(const std::string &path) {
    std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    if (!real)
        return std::nullopt;
    return std::string(real.get());
}

bool Inside(const std::string &path, const std::string &root) {
    return path == root || (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
                            path[root.size()] == '/');
}

// The entry of folder whose name matches name: the exact case if present,
// else the first case-insensitive match in byte order (readdir's order is
// not stable).
std::optional<std::string> MatchEntry(const std::string &folder, const std::string &name) {
    struct stat st;
    if (lstat((folder + "/" + name).c_str(), &st) == 0)
        return name;
    struct CloseDir {
        void operator()(DIR *d) const { closedir(d); }
    };
    std::unique_ptr<DIR, CloseDir> dir(opendir(folder.c_str()));
    if (!dir)
        return std::nullopt;
    std::optional<std::string> best;
    while (const dirent *entry = readdir(dir.get())) {
        std::string_view candidate = entry->d_name;
        if (vp::SameRegName(candidate, name) && (!best || candidate < *best))
            best = std::string(candidate);
    }
    return best;
}

bool IsDirectory(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string DriveFolder(char letter) {
    char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 32) : letter;
    return MachineDir() + "/drives/" + std::string(1, upper);
}

DrivePath LookupDrivePath(std::string_view windowsPath) {
    DrivePath result;
    if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
        DriveTypeOf(windowsPath[0]) == DRIVE_NO_ROOT_DIR)
        return result;
    auto names = SplitNames(windowsPath.substr(2));
    std::optional<std::string> root = RealPath(DriveFolder(windowsPath[0]));
    if (!names || !root)
        return result;
    std::string current = *root;
    for (size_t i = 0; i < names->size(); ++i) {
        bool last = i + 1 == names->size();
        std::optional<std::string> entry = MatchEntry(current, (*names)[i]);
        std::optional<std::string> real;
        if (entry)
            real = RealPath(current + "/" + *entry);
        if (!real || !Inside(*real, *root) || (!last && !IsDirectory(*real))) {
            if (last) {
                result.status = PathStatus::FileMissing;
                if (!entry) // a name of its own: a file may be made there
                    result.hostPath = result.entryPath = current + "/" + (*names)[i];
            }
            return result;
        }
        if (last)
            result.entryPath = current + "/" + *entry;
        current = *real;
    }
    result.status = PathStatus::Found;
    result.hostPath = current;
    if (names->empty())
        result.entryPath = current; // the drive's root
    return result;
}

std::optional<std::string> ResolveDrivePath(std::string_view windowsPath) {
    DrivePath path = LookupDrivePath(windowsPath);
    if (path.status != PathStatus::Found)
        return std::nullopt;
    return path.hostPath;
}

} // namespace sim
