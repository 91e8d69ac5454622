#include "platform/tui/dialog_nav.h"

#include "platform/tui/text_layout.h"

namespace tui {

namespace {

int Count(const ui::Window &window) {
    return static_cast<int>(window.controls.size());
}
const ui::Control &At(const ui::Window &window, int i) {
    return window.controls[static_cast<std::size_t>(i)];
}

bool IsButtonKind(ui::ControlKind kind) {
    return kind == ui::ControlKind::PushButton || kind == ui::ControlKind::CheckBox ||
           kind == ui::ControlKind::RadioButton;
}

} // namespace

bool CanFocus(const ui::Control &control) {
    return control.Visible() && control.Enabled() &&
           (IsButtonKind(control.Kind()) || control.Kind() == ui::ControlKind::ListBox);
}

bool CanPress(const ui::Control &control) {
    return CanFocus(control) && IsButtonKind(control.Kind());
}

int FirstFocus(const ui::Window &window) {
    int fallback = -1;
    for (int i = 0; i < Count(window); ++i) {
        const ui::Control &c = At(window, i);
        if (!CanFocus(c))
            continue;
        if (c.style & WS_TABSTOP)
            return i;
        if (fallback < 0)
            fallback = i;
    }
    return fallback;
}

int NextTabStop(const ui::Window &window, int from, bool backward) {
    const int n = Count(window);
    if (n == 0)
        return from;
    const int step = backward ? n - 1 : 1;
    int i = from < 0 ? (backward ? 0 : n - 1) : from;
    for (int k = 0; k < n; ++k) {
        i = (i + step) % n;
        if (CanFocus(At(window, i)) && (At(window, i).style & WS_TABSTOP))
            return i;
    }
    return from;
}

int TabTarget(const ui::Window &window, int from, bool backward) {
    return from < 0 ? FirstFocus(window) : NextTabStop(window, from, backward);
}

int NextInGroup(const ui::Window &window, int from, bool backward) {
    if (from < 0 || from >= Count(window))
        return from;
    const ui::GroupBounds group = ui::ControlGroup(window, static_cast<std::size_t>(from));
    const int start = static_cast<int>(group.first);
    const int size = static_cast<int>(group.end) - start;
    const int step = backward ? size - 1 : 1;
    int offset = from - start;
    for (int k = 1; k < size; ++k) {
        offset = (offset + step) % size;
        if (CanFocus(At(window, start + offset)))
            return start + offset;
    }
    return from;
}

int DefaultButton(const ui::Window &window, int focus) {
    if (focus >= 0 && focus < Count(window) &&
        At(window, focus).Kind() == ui::ControlKind::PushButton)
        return focus;
    for (int i = 0; i < Count(window); ++i) {
        const ui::Control &c = At(window, i);
        if (c.Kind() == ui::ControlKind::PushButton && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return i;
    }
    return -1;
}

int DefaultCommand(const ui::Window &window, int focus) {
    const int button = DefaultButton(window, focus);
    return button >= 0 ? At(window, button).id : IDOK;
}

int MnemonicControl(const ui::Window &window, char key) {
    for (int i = 0; i < Count(window); ++i) {
        const ui::Control &c = At(window, i);
        if (CanPress(c) && ParseMnemonic(c.text).key == key)
            return i;
    }
    return -1;
}

} // namespace tui
