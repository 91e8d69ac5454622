// What a response file's action becomes on a real dialog: what Windows would
// deliver had a person done it.
#pragma once

#include "platform/script/response_file.h"
#include "platform/api.h"

#include <string>

namespace win32::script {

// Applies a click, a selection, a double click or a system-menu command to
// the dialog; returns why it does not fit (empty when applied).
std::string ApplyAction(HWND dialog, const ::script::Action &action);

} // namespace win32::script
