// The recording (VELTRIN_RECORD) on real windows: what a person or the
// response file did, seen in the messages the dialogs get, handed to the
// automation core (platform/script/recording.h).
#pragma once

#include "platform/api.h"

namespace win32::recording {

void Start();
// Every message of an open dialog, before the dialog acts on it.
void DialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void Answered(LPCSTR caption, int button);
void DialogShown(HWND dialog);
void DialogEnded(HWND dialog);

} // namespace win32::recording
