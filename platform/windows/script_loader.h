// The programs' end of the link to veltrin-script.dll (script_link.h).
#pragma once

#include "platform/windows/script_link.h"

namespace win32 {

// Loads the DLL when the environment asks for a scripted, transcribed or
// recorded run. Without the DLL such a run never goes on live: it stops
// with a message box naming the DLL, exit status 3.
void LoadScriptLink();
// The DLL's side; null in a person's run that nothing writes down.
const ScriptLink *Automation();

} // namespace win32
