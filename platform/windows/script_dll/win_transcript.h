// The transcript (VELTRIN_TRANSCRIPT=<file>) of the Windows build, read from
// the real windows: titles, list box entries and button checks as Windows
// holds them. The lines are those of every build (transcript_lines.h).
#pragma once

#include "platform/api.h"

namespace win32::transcript {

void MessageBoxShown(HWND owner, LPCSTR caption, LPCSTR text, UINT style);
void Answered(int button);
void DialogOpened(HWND dialog);
void DialogWaits(HWND dialog); // the list and check lines
void DialogEnded(HWND dialog, int result);

} // namespace win32::transcript
