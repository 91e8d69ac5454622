// The whole screen: the open dialogs bottom to top, a message box over them,
// the system menu when it is open, the hint line when the active window does
// not fit and, on the bottom row, the key line. Every window is centred on
// the rows above the key line (a window larger than them starts at their top
// or left edge and the view scrolls), then moved as the person moved it.
#pragma once

#include "platform/tui/canvas.h"
#include "platform/tui/dialog_state.h"
#include "platform/tui/geometry.h"
#include "platform/tui/menu_view.h"
#include "platform/tui/message_box_view.h"
#include "platform/tui/viewport.h"
#include "platform/user32/driver.h"

#include <optional>
#include <vector>

namespace tui {

struct ScreenRequest {
    int cols = 80, rows = 24;
    struct Dialog {
        const ui::Window *window = nullptr;
        const DialogState *state = nullptr;
    };
    std::vector<Dialog> dialogs;                // bottom to top
    const ui::MessageBoxRequest *box = nullptr; // shown over the dialogs
    int boxFocus = 0;
    int boxMoveX = 0, boxMoveY = 0;  // cells the person moved the box by
    int wantX = 0, wantY = 0;        // scroll position asked for
    bool revealFocus = false;        // scroll so that the focus (or the top) shows
    const MenuItems *menu = nullptr; // the open system menu of the active window
    int menuSelected = -1;
    bool moving = false; // the active dialog is being moved from the keyboard
};

struct Screen {
    Canvas canvas{0, 0};
    View view;                             // the rows above the key line
    std::vector<WindowFrame> dialogFrames; // as the dialogs were given
    std::optional<MessageBoxLayout> box;
    MenuLayout menu; // where the menu shows (screen cells)
};

// The smallest terminal the windows are drawn on; a smaller one shows a note.
inline constexpr int kMinCols = 20, kMinRows = 5;

Screen ComposeScreen(const ScreenRequest &request);

} // namespace tui
