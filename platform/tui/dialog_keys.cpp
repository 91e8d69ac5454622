#include "platform/tui/dialog_keys.h"

#include "platform/tui/dialog_nav.h"
#include "platform/tui/dialog_view.h"
#include "platform/tui/text_layout.h"

#include <algorithm>

namespace tui {

namespace {

using Kind = ui::ControlKind;

bool IsArrow(Key key) {
    return key == Key::Up || key == Key::Down || key == Key::Left || key == Key::Right;
}

bool IsListKey(Key key) {
    return IsArrow(key) || key == Key::Home || key == Key::End || key == Key::PageUp ||
           key == Key::PageDown;
}

bool IsAutoRadio(const ui::Control &c) {
    return c.Kind() == Kind::RadioButton && (c.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

void MoveFocus(DialogState &state, int to, KeyOutcome &out) {
    if (to >= 0 && to != state.focus) {
        state.focus = to;
        out.focusMoved = true;
    }
}

// The keys that mean the same wherever the focus is.
KeyOutcome WindowKey(const ui::Window &window, DialogState &state, Key key) {
    KeyOutcome out;
    switch (key) {
    case Key::Tab:
    case Key::BackTab:
        MoveFocus(state, TabTarget(window, state.focus, key == Key::BackTab), out);
        break;
    case Key::Enter:
        out.input = ui::Input::Click(DefaultCommand(window, state.focus));
        break;
    case Key::Escape:
        out.input = ui::Input::Click(IDCANCEL);
        break;
    case Key::AltF4:
        // WM_SYSCOMMAND SC_CLOSE, which ends in IDCANCEL.
        out.input =
            window.hasSystemMenu ? ui::Input::SysCommand(SC_CLOSE) : ui::Input::Click(IDCANCEL);
        break;
    case Key::AltSpace:
        out.openMenu = window.hasSystemMenu;
        out.beep = !window.hasSystemMenu;
        break;
    default:
        break;
    }
    return out;
}

// Space presses the focused button; in a list box it selects the entry with
// the focus mark when nothing is selected.
KeyOutcome SpaceKey(const ui::Control *focused, DialogState &state, bool onList) {
    KeyOutcome out;
    if (onList) {
        const int caret = state.caret[state.focus];
        if (focused->selection == LB_ERR && !focused->items.empty())
            out.input = ui::Input::Select(focused->id, caret);
    } else if (focused) {
        out.input = ui::Input::Click(focused->id);
    }
    return out;
}

// A letter (or Alt+letter) presses the button with that mnemonic; a check or
// radio button takes the focus too.
KeyOutcome MnemonicKey(const ui::Window &window, DialogState &state, const KeyEvent &event) {
    KeyOutcome out;
    const int target = MnemonicControl(window, LowerCase(event.ch));
    if (target < 0) {
        out.beep = event.key == Key::AltChar;
        return out;
    }
    const ui::Control &c = window.controls[static_cast<std::size_t>(target)];
    if (c.Kind() != Kind::PushButton)
        MoveFocus(state, target, out);
    out.input = ui::Input::Click(c.id);
    return out;
}

// Arrows, Home, End and the page keys in a list box move its selection.
KeyOutcome ListKey(const ui::Control &list, DialogState &state, Key key) {
    KeyOutcome out;
    int &caret = state.caret[state.focus];
    const bool selected = list.selection != LB_ERR;
    const int page = std::max(ListEntries(list).h, 1);
    const int target = ListKeyTarget(key, selected ? list.selection : caret, selected,
                                     static_cast<int>(list.items.size()), page);
    if (target < 0)
        return out;
    caret = target;
    if (target != list.selection)
        out.input = ui::Input::Select(list.id, target);
    return out;
}

// Elsewhere the arrows move through the control group; an automatic radio
// button reached so is clicked.
KeyOutcome GroupArrowKey(const ui::Window &window, DialogState &state, Key key) {
    KeyOutcome out;
    const int next = NextInGroup(window, state.focus, key == Key::Up || key == Key::Left);
    MoveFocus(state, next, out);
    if (!out.focusMoved)
        return out;
    const ui::Control &c = window.controls[static_cast<std::size_t>(next)];
    if (IsAutoRadio(c) && c.check != BST_CHECKED)
        out.input = ui::Input::Click(c.id);
    return out;
}

} // namespace

int ListKeyTarget(Key key, int from, bool selected, int count, int page) {
    if (count <= 0 || !IsListKey(key))
        return -1;
    const int step = std::max(page - 1, 1);
    const int last = count - 1;
    from = std::clamp(from, 0, last);
    switch (key) {
    case Key::Home:
        return 0;
    case Key::End:
        return last;
    default:
        break;
    }
    if (!selected)
        return from; // the first move selects the entry with the focus mark
    switch (key) {
    case Key::Up:
    case Key::Left:
        return std::max(from - 1, 0);
    case Key::Down:
    case Key::Right:
        return std::min(from + 1, last);
    case Key::PageUp:
        return std::max(from - step, 0);
    default: // Key::PageDown
        return std::min(from + step, last);
    }
}

KeyOutcome HandleDialogKey(const ui::Window &window, DialogState &state, const KeyEvent &event) {
    if (state.focus >= static_cast<int>(window.controls.size()))
        state.focus = -1;
    const ui::Control *focused =
        state.focus >= 0 ? &window.controls[static_cast<std::size_t>(state.focus)] : nullptr;
    const bool onList = focused && focused->Kind() == Kind::ListBox;
    if (event.key == Key::Char && event.ch == ' ')
        return SpaceKey(focused, state, onList);
    if (event.key == Key::Char && onList)
        return {}; // a list box takes the characters typed into it
    if (event.key == Key::Char || event.key == Key::AltChar)
        return MnemonicKey(window, state, event);
    if (onList && IsListKey(event.key))
        return ListKey(*focused, state, event.key);
    if (IsArrow(event.key) && focused)
        return GroupArrowKey(window, state, event.key);
    return WindowKey(window, state, event.key);
}

} // namespace tui
