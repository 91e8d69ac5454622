// Which Windows the program runs on: it decides where the share calls go and
// whether the restart needs a privilege first.
#pragma once

#include "platform/api.h"

namespace win32 {

// Windows 95, 98 or Me (GetVersion's high bit). Wine set to a 9x version
// reports this too.
bool IsWindows9x();
// Wine, whatever version it reports: its ntdll exports wine_get_version.
bool IsWine();

// An export of a module loaded at run time, as the function type the caller
// knows it to have; null when the module or the export is missing.
template <typename Function> Function ProcAddress(HMODULE module, const char *name) {
    if (!module)
        return nullptr;
    // Through the generic function pointer type, which converts to any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace win32
