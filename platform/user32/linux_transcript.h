// Writes the transcript (VELTRIN_TRANSCRIPT=<file>, see transcript_lines.h):
// what a person saw and answered, appended by every process of a run.
// Written by the window manager, so terminal runs are recorded as well as
// scripted ones.
#pragma once

#include "platform/framework/transcript_lines.h"
#include "platform/user32/driver.h"
#include "platform/user32/window.h"

namespace ui::transcript {

void MessageBoxShown(const MessageBoxRequest &request);
void Answered(int button);
void DialogOpened(const Window &window);
void DialogWaits(const Window &window); // the list and check lines
void DialogEnded(const Window &window, int result);

} // namespace ui::transcript
