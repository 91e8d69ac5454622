#include "platform/tui/dialog_keys.h"

#include "platform/tui/dialog_nav.h"
#include "platform/tui/dialog_view.h"

#include <algorithm>
#include <cctype>

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
    KeyOutcome out;
    if (state.focus >= static_cast<int>(window.controls.size()))
        state.focus = -1;
    const ui::Control *focused =
        state.focus >= 0 ? &window.controls[static_cast<std::size_t>(state.focus)] : nullptr;
    const bool onList = focused && focused->Kind() == Kind::ListBox;
    auto moveFocus = [&](int to) {
        if (to >= 0 && to != state.focus) {
            state.focus = to;
            out.focusMoved = true;
        }
    };

    switch (event.key) {
    case Key::Tab:
    case Key::BackTab:
        moveFocus(state.focus < 0 ? FirstFocus(window)
                                  : NextTabStop(window, state.focus, event.key == Key::BackTab));
        return out;
    case Key::Enter:
        out.input = ui::Input::Click(DefaultCommand(window, state.focus));
        return out;
    case Key::Escape:
        out.input = ui::Input::Click(IDCANCEL);
        return out;
    case Key::AltF4:
        // WM_SYSCOMMAND SC_CLOSE, which ends in IDCANCEL.
        out.input = window.hasSystemMenu ? ui::Input::SysCommand(SC_CLOSE)
                                         : ui::Input::Click(IDCANCEL);
        return out;
    case Key::AltSpace:
        out.openMenu = window.hasSystemMenu;
        out.beep = !window.hasSystemMenu;
        return out;
    default:
        break;
    }

    if (event.key == Key::Char && event.ch == ' ') {
        if (onList) {
            const int caret = state.caret[state.focus];
            if (focused->selection == LB_ERR && !focused->items.empty())
                out.input = ui::Input::Select(focused->id, caret);
        } else if (focused) {
            out.input = ui::Input::Click(focused->id);
        }
        return out;
    }

    if (event.key == Key::Char || event.key == Key::AltChar) {
        if (onList && event.key == Key::Char)
            return out; // a list box takes the characters typed into it
        const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(event.ch)));
        const int target = MnemonicControl(window, key);
        if (target < 0) {
            out.beep = event.key == Key::AltChar;
            return out;
        }
        const ui::Control &c = window.controls[static_cast<std::size_t>(target)];
        if (c.Kind() != Kind::PushButton)
            moveFocus(target);
        out.input = ui::Input::Click(c.id);
        return out;
    }

    if (onList && IsListKey(event.key)) {
        int &caret = state.caret[state.focus];
        const bool selected = focused->selection != LB_ERR;
        const int page = std::max(ListEntries(*focused).h, 1);
        const int target = ListKeyTarget(event.key, selected ? focused->selection : caret, selected,
                                         static_cast<int>(focused->items.size()), page);
        if (target < 0)
            return out;
        caret = target;
        if (target != focused->selection)
            out.input = ui::Input::Select(focused->id, target);
        return out;
    }

    if (IsArrow(event.key) && focused) {
        const bool backward = event.key == Key::Up || event.key == Key::Left;
        const int next = NextInGroup(window, state.focus, backward);
        if (next == state.focus)
            return out;
        moveFocus(next);
        const ui::Control &c = window.controls[static_cast<std::size_t>(next)];
        if (IsAutoRadio(c) && c.check != BST_CHECKED)
            out.input = ui::Input::Click(c.id);
    }
    return out;
}

} // namespace tui
