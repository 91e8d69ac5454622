// Environment variables through KERNEL32, which every Windows has.
#pragma once

#include <string>

namespace win32 {

// The value, or empty when the variable is not set.
std::string EnvironmentValue(const char *name);
void SetEnvironmentValue(const char *name, const std::string &value);
// The absolute form of a path (relative to the current folder).
std::string FullPath(const char *path);

} // namespace win32
