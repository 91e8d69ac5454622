// FindFirstFileA / FindClose over the machine's drives. The setup code only
// tests exact names; '*' and '?' in the last name give the first match in
// byte order (there is no FindNextFileA to ask for more).
#include "platform/api.h"
#include "platform/registry_names.h"
#include "platform/sim/kernel/drive_path.h"
#include "platform/sim/kernel/kernel_handles.h"
#include "platform/sim/machine/machine_config.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include <sys/stat.h>

namespace {

struct FindObject : sim::HandleObject {};

bool SameLetter(char a, char b) {
    return vp::FoldAscii(a) == vp::FoldAscii(b);
}

// '*' any run of characters, '?' one character; "*.*" matches every name.
bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*")
        pattern = "*";
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || SameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

FILETIME ToFileTime(const timespec &t) {
    // 100 ns ticks since 1601-01-01.
    constexpr std::uint64_t kEpochDifference = 11644473600ULL;
    std::uint64_t ticks = (static_cast<std::uint64_t>(t.tv_sec) + kEpochDifference) * 10000000ULL +
                          static_cast<std::uint64_t>(t.tv_nsec) / 100;
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

bool FillFindData(const std::string &hostPath, bool readOnlyDrive, WIN32_FIND_DATAA *data) {
    struct stat st;
    if (stat(hostPath.c_str(), &st) != 0)
        return false;
    std::memset(data, 0, sizeof *data);
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (readOnlyDrive || !(st.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    data->dwFileAttributes = attributes;
    data->ftCreationTime = data->ftLastAccessTime = data->ftLastWriteTime = ToFileTime(st.st_mtim);
    if (!S_ISDIR(st.st_mode)) {
        auto size = static_cast<std::uint64_t>(st.st_size);
        data->nFileSizeLow = static_cast<DWORD>(size);
        data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    }
    std::string name = std::filesystem::path(hostPath).filename().string();
    std::strncpy(data->cFileName, name.c_str(), MAX_PATH - 1);
    return true;
}

// The first entry of the folder, in byte order, that matches the pattern and
// that the drive path rules let through.
sim::DrivePath FindWildcard(std::string_view folder, std::string_view pattern) {
    sim::DrivePath dir = sim::LookupDrivePath(folder);
    if (dir.status != sim::PathStatus::Found)
        return {sim::PathStatus::PathMissing, {}, {}};
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(dir.hostPath, ec)) {
        std::string name = entry.path().filename().string();
        if (WildcardMatch(pattern, name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    for (const std::string &name : names) {
        sim::DrivePath found = sim::LookupDrivePath(std::string(folder) + "\\" + name);
        if (found.status == sim::PathStatus::Found)
            return found;
    }
    return {sim::PathStatus::FileMissing, {}, {}};
}

} // namespace

HANDLE FindFirstFileA(LPCSTR fileName, LPWIN32_FIND_DATAA findData) {
    if (!fileName || !findData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string_view path = fileName;
    size_t slash = path.find_last_of("\\/");
    std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (last.empty()) { // a folder named with a trailing '\' (or a root) is not found
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    sim::DrivePath found =
        last.find_first_of("*?") == std::string_view::npos
            ? sim::LookupDrivePath(path)
            : FindWildcard(path.substr(0, slash == std::string_view::npos ? 0 : slash), last);
    bool readOnly = sim::DriveTypeOf(path.empty() ? '\0' : path[0]) == DRIVE_CDROM;
    if (found.status != sim::PathStatus::Found ||
        !FillFindData(found.hostPath, readOnly, findData)) {
        SetLastError(found.status == sim::PathStatus::PathMissing ? ERROR_PATH_NOT_FOUND
                                                                  : ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return sim::AddHandle(std::make_shared<FindObject>());
}

BOOL FindClose(HANDLE find) {
    if (!sim::FindHandleOf<FindObject>(find)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    sim::RemoveHandle(find);
    return TRUE;
}
