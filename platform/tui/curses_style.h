// How cells look on this terminal: colour pairs for the paints, attributes,
// and the stand-ins for box lines and symbols where the terminal cannot show
// Unicode. For the terminal code only: it includes curses.
#pragma once

#define NCURSES_NOMACROS 1
#include <curses.h>

#include "platform/tui/canvas.h"

namespace tui {

// Sets up the colour pairs; call once curses has started.
void InitPalette();
// The attributes (colour pair included) of a cell.
attr_t CellAttributes(const Cell &cell);
// The character of a cell on a terminal without Unicode: ACS lines and
// ASCII stand-ins.
chtype NarrowGlyph(const Cell &cell);

} // namespace tui
