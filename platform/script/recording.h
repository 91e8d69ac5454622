// The recording of a run (VELTRIN_RECORD=<file>, /record <file>): what the
// person or the response file chose, written as a response file
// (recorder.h makes the lines). Each build's adapter reports what showed
// and what was done: the modal loop and MessageBoxA on Linux, the dialog
// procedure and MessageBoxA in veltrin-script.dll.
//
// One file records the whole run: the first process empties it and writes
// the header, and sets VELTRIN_RECORDING to the file's path for the
// programs it starts, which add to it.
#pragma once

#include "platform/script/recorder.h"

#include <chrono>
#include <string_view>

namespace script::recording {

// Once, at the start of the process, after VELTRIN_RECORD has been made an
// absolute path; `program` names the program in the header.
void Start(std::string_view program);
bool Active();
// Time that passed while the dialog's timers ran.
void TimePassed(std::chrono::nanoseconds elapsed);
// An action that fits the dialog, before the dialog acts on it.
void Acted(const ShownDialog &dialog, const Action &action);
void Answered(const ShownMessageBox &box, int button);
void DialogEnded(const ShownDialog &dialog);

} // namespace script::recording
