// The terminal user interface: draws the program's dialogs and message boxes
// with curses and turns keys and mouse actions into the inputs the window
// manager applies. Timers run in real time.
#pragma once

#include "platform/tui/dialog_state.h"
#include "platform/tui/key_event.h"
#include "platform/tui/screen_view.h"
#include "platform/tui/terminal.h"
#include "platform/user32/driver.h"

#include <chrono>
#include <map>
#include <memory>
#include <optional>

namespace tui {

class TerminalDriver final : public ui::Driver {
  public:
    ~TerminalDriver() override;

    int ShowMessageBox(const ui::MessageBoxRequest &request) override;
    void DialogOpened(const ui::Window &window) override;
    ui::Input NextInput(const ui::Window &active,
                        std::optional<ui::Duration> untilNextTimer) override;
    void InputRejected(const ui::Window &active, const ui::Input &input,
                       const std::string &reason) override;
    void DialogClosed(const ui::Window &window, int result) override;

  private:
    using Clock = std::chrono::steady_clock;
    using Deadline = term::Deadline;

    void Render();
    std::optional<KeyEvent> Read(const Deadline &deadline);
    // Keys every window shares: scrolling the view, redrawing. True when used.
    bool ScrollKey(const KeyEvent &event);
    std::optional<ui::Input> DialogEvent(const ui::Window &window, const KeyEvent &event,
                                         const Deadline &deadline);
    std::optional<ui::Input> DialogMouse(const ui::Window &window, const KeyEvent &event,
                                         const Deadline &deadline);
    std::optional<ui::Input> SystemMenu(const ui::Window &window, const Deadline &deadline);
    // Moves the active window (the message box, else the active dialog) from
    // the keyboard, as Windows' Move does: the arrows move it by *moveX and
    // *moveY, Enter keeps the place, Escape puts it back. False when a timer
    // fell due first (the place reached is kept).
    bool MoveWindow(int *moveX, int *moveY, const Deadline &deadline);
    // An arrow key moves the window one cell, as far as the screen goes;
    // false for the other keys.
    bool MoveByArrow(Key key, int *moveX, int *moveY) const;
    // Runs a popup menu; the item chosen, or -1 (closed, or the time ran out:
    // *timedOut then says so).
    int RunMenu(const MenuItems &items, const Deadline &deadline, bool *timedOut);
    struct MenuChoice {
        int pick = -1; // the item a key or click chose
        bool close = false;
    };
    // A key in the open menu: moves its selection, picks an item or closes it.
    MenuChoice MenuKey(const MenuItems &items, const KeyEvent &event);
    // The button a key or mouse action chooses in the message box; 0 for none.
    int MessageBoxEvent(const KeyEvent &event);
    int BoxMouse(const KeyEvent &event);
    // The message box's system menu: Move, or Close (the close answer).
    int BoxMenu();
    // Leaves curses mode when no window shows any more (except `closing`).
    void LeaveWhenNoWindow(const ui::Window *closing);

    std::map<HWND, DialogState> m_states;
    const ui::MessageBoxRequest *m_box = nullptr;
    int m_boxFocus = 0;
    int m_boxMoveX = 0, m_boxMoveY = 0;
    const MenuItems *m_menu = nullptr;
    int m_menuSelected = -1;
    bool m_moving = false;
    int m_wantX = 0, m_wantY = 0;
    bool m_revealFocus = false;
    Screen m_screen; // as last shown: for the mouse
};

// The terminal driver, or null when there is no terminal to use.
std::unique_ptr<ui::Driver> MakeTerminalDriver();

} // namespace tui
