// What a real dialog shows, read from its windows: for the recording, the
// transcript and the response file's entries by text.
#pragma once

#include "platform/api.h"
#include "platform/script/showing.h"

#include <string>
#include <vector>

namespace win32 {

std::vector<std::string> ListEntries(HWND list);
bool HasClass(HWND window, const char *wanted);
::script::ShownDialog ShownWindow(HWND dialog);

} // namespace win32
