// What the terminal keeps about a dialog beside the window manager's state:
// which control has the focus, how far each list box is scrolled, how far
// the person moved the window and whether the view follows the focus yet.
#pragma once

#include <map>

namespace tui {

struct DialogState {
    int focus = -1;               // index into Window::controls, -1 for none
    std::map<int, int> listTop;   // list control index -> first entry shown
    std::map<int, int> caret;     // list control index -> entry with the focus mark
    std::map<int, int> lastShown; // list control index -> selection last drawn
    int moveX = 0, moveY = 0;     // cells the window was moved by from its place
    bool showTop = false;         // the view keeps the window's top in sight, not the focus
};

} // namespace tui
