// A popup menu (the system menu): a framed column of items, greyed items
// and separators included, and its keyboard and mouse behaviour.
#pragma once

#include "platform/tui/canvas.h"
#include "platform/user32/window.h"

#include <vector>

namespace tui {

using MenuItems = std::vector<ui::MenuItem>;

struct MenuLayout {
    Rect box; // item i shows on row box.y + 1 + i
};

// The menu wants its top-left corner at (x, y); it is moved in to fit a
// screen of cols x rows.
MenuLayout LayoutMenu(const MenuItems &items, int x, int y, int cols, int rows);
void DrawMenu(Canvas &canvas, const MenuLayout &layout, const MenuItems &items, int selected);
// The item at a cell (separators excluded), or -1.
int MenuHit(const MenuLayout &layout, const MenuItems &items, int x, int y);
// The next (or previous) item that is not a separator, wrapping; greyed items
// are passed over as Windows does when the highlight moves. -1 when none.
int NextMenuItem(const MenuItems &items, int from, bool backward);
// The item whose mnemonic is key (lower case), or -1.
int MenuMnemonic(const MenuItems &items, char key);

} // namespace tui
