// The recording on Linux (VELTRIN_RECORD=<file>, /record <file>): what the
// person at the terminal or the response file chose, written as a response
// file (platform/script/recorder.h makes the lines). The modal loop and
// MessageBoxA report to it, so terminal runs are recorded as well as
// scripted ones.
//
// One file records the whole run: the first process empties it and writes
// the header, and sets VELTRIN_RECORDING to the file's absolute path for the
// programs it starts, which add to it.
#pragma once

#include "platform/user32/driver.h"
#include "platform/user32/window.h"

namespace ui::recording {

// Once, at the start of the process, after VELTRIN_RECORD has been made an
// absolute path.
void Start();
// Time that passed while the dialog waited.
void TimePassed(Duration elapsed);
// An input that fits the dialog, before the dialog acts on it.
void DialogInput(const Window &window, const Input &input);
void Answered(const MessageBoxRequest &request, int button);
void DialogEnded(const Window &window);

} // namespace ui::recording
