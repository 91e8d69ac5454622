// Draws a dialog window as Windows would, in cells, and finds what a mouse
// click at a cell hits.
#pragma once

#include "platform/tui/canvas.h"
#include "platform/tui/dialog_state.h"
#include "platform/tui/geometry.h"
#include "platform/user32/window.h"

#include <string>
#include <vector>

namespace tui {

// Where a control shows, relative to its dialog's client area: the cells it
// covers and answers clicks in (a label wider than the control's rectangle
// widens it; a text wrapped to more rows than its rectangle lengthens it).
struct ControlBox {
    Rect area;
    int row = 0;                    // the text row of a button, check or radio button
    std::vector<std::string> lines; // a text's lines, from area.y down
};
// The boxes of all controls, in template order. A text that would start on a
// row an earlier text still fills (the terminal's fixed-width letters take
// more room than the dialog font) moves down below it, so none hides another.
std::vector<ControlBox> LayoutDialog(const ui::Window &window);

// The entry rows of a list box, relative to the client area.
Rect ListEntries(const ui::Control &control);
// The first entry shown, kept inside the list and, when the selection has
// changed since it was last drawn, moved so that the selection shows.
void SettleListTops(const ui::Window &window, DialogState &state);

void DrawDialog(Canvas &canvas, const ui::Window &window, const WindowFrame &frame,
                const DialogState &state, bool active);

struct DialogHit {
    enum class Part {
        None,
        MenuBox,
        CloseBox,
        Control,   // a button, check or radio button, or a list box's frame
        ListEntry, // entry of a list box
        ListUp,    // scroll arrows and track of a list box
        ListDown,
        ListPageUp,
        ListPageDown,
    };
    Part part = Part::None;
    int control = -1;
    int entry = -1;
};
DialogHit HitDialog(const ui::Window &window, const WindowFrame &frame, const DialogState &state,
                    int x, int y);

} // namespace tui
