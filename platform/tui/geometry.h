// Dialog units to character cells: 4 horizontal units a column and 8
// vertical units a row, the size of the dialog font's average character.
// A window is its client area framed by a caption row above, one border
// column on each side and a border row below.
#pragma once

#include "platform/tui/canvas.h"
#include "platform/user32/window.h"

namespace tui {

struct Size {
    int w = 0, h = 0;
};

// The cells a rectangle in dialog units covers: every cell it touches.
Rect UnitsToCells(int x, int y, int cx, int cy);
Rect ControlCells(const ui::Control &control);
// The row of a one-line control (button, radio): the row of its middle.
int ControlTextRow(const ui::Control &control);
// A dialog's client area: 245 x 229 units is 62 x 29 cells.
Size ClientCells(const res::DialogTemplate &tmpl);

struct WindowFrame {
    Rect frame;  // whole window: caption row, borders
    Rect client; // inside the frame, under the caption
    // The caption's system-menu box and close box.
    Rect MenuBox() const { return {frame.x, frame.y, 3, 1}; }
    Rect CloseBox() const { return {frame.Right() - 3, frame.y, 3, 1}; }
};

// Frames a client area and centres it on a terminal of cols x rows; a frame
// larger than the terminal starts at its top (or left) edge instead.
WindowFrame PlaceWindow(Size client, int cols, int rows);
// A minimised window: its caption alone, on the bottom row, the n-th from
// the left.
WindowFrame MinimizedFrame(int n, int cols, int rows);

} // namespace tui
