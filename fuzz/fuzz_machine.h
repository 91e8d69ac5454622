// A simulated machine for the fuzz targets that read through the machine's
// files (profile strings, the registry): one folder per fuzzing process,
// made on first use and removed when the process ends.
#pragma once

#include <string>
#include <string_view>

namespace fuzz {

// The machine's folder, in use by this process: drive C: (fixed) with
// C:\WINDOWS, and no registry yet.
const std::string &Machine();

// Replaces a file of the machine (relative path) by rename, as the
// registry's own writers do, so that a reader never sees half of it.
void ReplaceFile(const std::string &relative, std::string_view text);

} // namespace fuzz
