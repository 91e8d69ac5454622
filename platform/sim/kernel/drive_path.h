// Windows paths on the machine's drives ("E:\Tzr\Setup") and the host files
// behind them (<machine>/drives/E/...). This is the one place where a Windows
// path becomes a host path, and it never leads outside the drive's folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sim {

enum class PathStatus {
    Found,       // the file or directory exists
    FileMissing, // the folder exists, the last name does not (Windows error 2)
    PathMissing, // no such drive, folder or a path that is not allowed (error 3)
};

struct DrivePath {
    PathStatus status = PathStatus::PathMissing;
    // Found: the real host path. FileMissing: where a file of that name
    // would be made, when no folder entry (such as a link leading outside
    // the drive) stands in its way; else empty.
    std::string hostPath;
    // Found or FileMissing with a hostPath: the last name's own entry in
    // its folder, a final symbolic link not followed. Files are made,
    // replaced and deleted there, so that no link leads a write elsewhere.
    std::string entryPath;
};

// Resolves "X:\dir\name" ('/' also separates). Each name matches a folder
// entry case-insensitively, the exact case first. Refused, as not found: a
// drive machine.ini does not list, ".." above the root, a path without a drive
// letter, device names (CON, NUL, AUX, PRN, COM1-9, LPT1-9, with or without an
// extension), names with characters Windows forbids, and any name whose real
// host path (symbolic links followed) lies outside the drive's folder.
DrivePath LookupDrivePath(std::string_view windowsPath);

// The host path of an existing file or directory, or nothing.
std::optional<std::string> ResolveDrivePath(std::string_view windowsPath);

// <machine>/drives/<upper-case letter>
std::string DriveFolder(char letter);

} // namespace sim
