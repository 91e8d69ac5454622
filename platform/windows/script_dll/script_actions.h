// What a response file's action becomes on a real dialog: what Windows would
// deliver had a person done it.
#pragma once

#include "platform/api.h"
#include "platform/script/response_file.h"

namespace win32::script {

// Why an action does not fit the dialog. The longest text is the list's
// "list <id> has <count> entries, no entry <index>", three numbers of at
// most 11 characters each.
struct Misfit {
    char text[80] = "";
};

// Applies a click, a selection, a double click or a system-menu command to
// the dialog; false with *why set when it does not fit.
bool ApplyAction(HWND dialog, const ::script::Action &action, Misfit *why);

} // namespace win32::script
