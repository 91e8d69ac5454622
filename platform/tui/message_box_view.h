// A message box laid out and drawn as Windows shows one: caption, icon,
// wrapped text, and a row of buttons with the first one as the default.
#pragma once

#include "platform/tui/canvas.h"
#include "platform/tui/geometry.h"
#include "platform/user32/driver.h"

#include <string>
#include <vector>

namespace tui {

struct MessageBoxLayout {
    WindowFrame frame;
    bool hand = false;              // MB_ICONHAND: the stop mark
    std::vector<std::string> lines; // the text, wrapped
    std::vector<int> buttons;       // IDOK, IDCANCEL, ... left to right
    std::vector<Rect> buttonCells;  // where each button shows
};

// The label of a message box button ("OK", "Cancel", "&Yes", ...).
const char *ButtonLabel(int button);

MessageBoxLayout LayoutMessageBox(const ui::MessageBoxRequest &request, int cols, int rows);

// What Escape and the close box give: IDCANCEL when there is a Cancel
// button, IDOK for a lone OK, 0 when the box cannot be closed (Yes/No).
int MessageBoxCloseAnswer(const std::vector<int> &buttons);

void DrawMessageBox(Canvas &canvas, const MessageBoxLayout &layout, const std::string &caption,
                    int focus);

} // namespace tui
