// The whole screen: the open dialogs bottom to top, a message box over them,
// the system menu when it is open, and the hint line when the active window
// does not fit. Every window is centred on the terminal (a window larger
// than the terminal starts at its top or left edge and the view scrolls).
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
    int wantX = 0, wantY = 0;        // scroll position asked for
    bool revealFocus = false;        // scroll so that the focused control shows
    const MenuItems *menu = nullptr; // the open system menu of the active window
    int menuSelected = -1;
};

struct Screen {
    Canvas canvas{0, 0};
    View view;
    std::vector<WindowFrame> dialogFrames; // as the dialogs were given
    std::optional<MessageBoxLayout> box;
    MenuLayout menu; // where the menu shows (screen cells)
};

// The smallest terminal the windows are drawn on; a smaller one shows a note.
inline constexpr int kMinCols = 20, kMinRows = 5;

Screen ComposeScreen(const ScreenRequest &request);

} // namespace tui
