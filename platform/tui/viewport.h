// How the windows (laid out on a scene as large as they need) map to a
// terminal that may be smaller. When the active window fits, the screen
// shows it whole. When it is taller than the screen, its caption stays on
// the top row, the rows below scroll through the rest of it, and the bottom
// row says how much is out of sight; a wider window scrolls sideways.
#pragma once

#include "platform/tui/canvas.h"

#include <string>

namespace tui {

struct View {
    int cols = 0, rows = 0;
    Rect active;         // the active window's frame on the scene
    bool hint = false;   // the last screen row is the hint line
    bool pinned = false; // the first screen row holds the active caption
    int x0 = 0, y0 = 0;  // the scene cell at screen (0, 0), below a pinned caption

    int ContentRows() const { return rows - (hint ? 1 : 0); }
    int SceneX(int sx) const { return x0 + sx; }
    int SceneY(int sy) const { return pinned && sy == 0 ? active.y : y0 + sy; }
    // The scene rows that scroll into view (a pinned caption aside).
    int FirstRow() const { return pinned ? y0 + 1 : y0; }
    int LastRow() const { return y0 + ContentRows() - 1; }
};

// The view closest to the wanted scroll position that shows as much of the
// active window as the screen allows; a window that fits needs no scrolling
// and the wanted position is not used for it.
View MakeView(int cols, int rows, const Rect &active, int wantX, int wantY);
// Changes the wanted scroll position so that rect (on the scene) shows.
void Reveal(const View &view, const Rect &rect, int *wantX, int *wantY);
// The hint line: what is out of sight and which keys scroll; empty when
// nothing is.
std::string HintText(const View &view);

} // namespace tui
