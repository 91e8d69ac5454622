// The frame of a window: caption bar with the system-menu box and the close
// box, side borders, bottom border and the face of the client area.
#pragma once

#include "platform/tui/canvas.h"
#include "platform/tui/geometry.h"

#include <string_view>

namespace tui {

struct FrameLook {
    bool active = true;     // caption in the active colours
    bool systemMenu = true; // the menu box and the close box are shown
    bool closeEnabled = true;
};

void DrawFrame(Canvas &canvas, const WindowFrame &frame, std::string_view title,
               const FrameLook &look);

} // namespace tui
