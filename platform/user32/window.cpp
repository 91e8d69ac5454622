// Queries on the window state that renderers and the window manager share.
#include "platform/user32/window.h"

#include "platform/framework.h"

namespace ui {

ControlKind Control::Kind() const {
    if (cls == "LISTBOX")
        return ControlKind::ListBox;
    if (cls == "STATIC")
        return (style & SS_TYPEMASK) == SS_ICON ? ControlKind::Icon : ControlKind::Text;
    if (cls != "BUTTON")
        return ControlKind::Other;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return ControlKind::PushButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        return ControlKind::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return ControlKind::RadioButton;
    case BS_GROUPBOX:
        return ControlKind::GroupBox;
    default:
        return ControlKind::Other;
    }
}

bool Control::HasCheck() const {
    const ControlKind kind = Kind();
    return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

bool Control::HasId(int wanted) const {
    return static_cast<WORD>(id) == static_cast<WORD>(wanted);
}

bool Window::Hidden() const {
    return dialog && dialog->EndRequested();
}

const Control *Window::FindControl(int id) const {
    for (const Control &control : controls)
        if (control.HasId(id))
            return &control;
    return nullptr;
}

Control *Window::FindControl(int id) {
    return const_cast<Control *>(static_cast<const Window &>(*this).FindControl(id));
}

GroupBounds ControlGroup(const Window &window, std::size_t index) {
    const auto &controls = window.controls;
    std::size_t first = index;
    while (first > 0 && (controls[first].style & WS_GROUP) == 0)
        --first;
    std::size_t end = index + 1;
    while (end < controls.size() && (controls[end].style & WS_GROUP) == 0)
        ++end;
    return {first, end};
}

} // namespace ui
