// One thing the person at the terminal did: a key or a mouse action, as the
// terminal reads it, free of ncurses names.
#pragma once

namespace tui {

enum class Key {
    Char,    // ch: a printable character
    AltChar, // ch: Alt held with a character (ESC then the character)
    AltSpace,
    AltF4,
    Enter,
    Escape,
    Tab,
    BackTab,
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    PageUp,
    PageDown,
    ShiftPageUp,
    ShiftPageDown,
    ShiftLeft,
    ShiftRight,
    Redraw, // Ctrl+L
    Resize,
    Mouse,
    Lost, // the terminal is gone (end of input)
};

enum class MouseAction { Click, DoubleClick, WheelUp, WheelDown };

struct KeyEvent {
    Key key = Key::Char;
    char ch = 0;
    MouseAction mouse = MouseAction::Click;
    int x = 0, y = 0; // screen cell of a mouse action
};

} // namespace tui
