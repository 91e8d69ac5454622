// A push button in one row: "[ label ]", the label centred; the default
// button carries marks beside its label, where Windows draws a thick frame.
#pragma once

#include "platform/tui/canvas.h"
#include "platform/tui/text_layout.h"

namespace tui {

void DrawButton(Canvas &canvas, const Rect &span, const Label &label, Paint labelPaint,
                bool isDefault);

} // namespace tui
