// Files of the setup's own, read and written whole with the file calls that
// Windows 95 already has. Each call returns 0 or the Windows error code.
#pragma once

#include "platform/api.h"

#include <string>
#include <string_view>

// "<Windows directory>\<name>".
std::string WindowsDirectoryFile(std::string_view name);

// The whole file into *text (ERROR_FILE_NOT_FOUND when there is none,
// ERROR_FILE_TOO_LARGE, reading nothing, when it holds more than limit
// bytes).
DWORD ReadWholeFile(const std::string &path, DWORD limit, std::string *text);

// Writes text to path whole or not at all: into "<path without its
// extension>.tmp" first, which then replaces path. The MoveFileExA of
// Windows 95 and 98 answers ERROR_CALL_NOT_IMPLEMENTED; there the old file is
// deleted just before the rename.
DWORD ReplaceWholeFile(const std::string &path, std::string_view text);

// Adds text at the file's end in one write, making the file when missing;
// a write that fails part way is taken back, so the file gets all of the
// text or none of it.
DWORD AppendToFile(const std::string &path, std::string_view text);

// Deletes the file; a file that is not there is no error.
DWORD DeleteFileIfThere(const std::string &path);
