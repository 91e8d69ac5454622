// The program's side of the link (platform/windows/script_link.h), as the
// DLL's code asks it about the program's open dialogs.
#pragma once

#include "platform/windows/script_link.h"

namespace win32 {

const ProgramLink &Program();

} // namespace win32
