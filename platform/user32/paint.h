// What the dialog code drew on the simulated screen.
#pragma once

#include "platform/api.h"

#include <vector>

namespace ui {

struct IconDrawing {
    HWND window;
    int x, y;
    HICON icon;
};

// Every DrawIcon of the process, oldest first (tests may clear it).
std::vector<IconDrawing> &DrawnIcons();

} // namespace ui
