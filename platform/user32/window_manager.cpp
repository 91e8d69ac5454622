// Window creation, handles and destruction.
#include "platform/user32/window_manager.h"

#include "platform/framework.h"
#include "platform/user32/timers.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace ui {

namespace {

struct ControlSlot {
    Window *window;
    std::size_t index;
};

struct Registry {
    std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows;
    std::unordered_map<std::uintptr_t, ControlSlot> controls;
    std::unordered_map<std::uintptr_t, Window *> menus;
    std::vector<const Window *> open;
    // Handles are never reused, so IsWindow is false for a destroyed window.
    std::uintptr_t next = 0x10010;

    std::uintptr_t NewHandle() { return next += 4; }
};

Registry &Windows() {
    static Registry registry;
    return registry;
}

std::uintptr_t Key(const void *handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

Control MakeControl(const res::ControlTemplate &tmpl, HWND handle) {
    Control control;
    control.id = tmpl.id;
    control.cls = tmpl.cls;
    control.style = tmpl.style;
    control.x = tmpl.x;
    control.y = tmpl.y;
    control.cx = tmpl.cx;
    control.cy = tmpl.cy;
    control.text = tmpl.text;
    control.handle = handle;
    return control;
}

} // namespace

const std::vector<const Window *> &OpenWindows() {
    return Windows().open;
}

Window &CreateDialogWindow(const res::DialogTemplate &tmpl, CDialog &dialog, HWND owner) {
    Registry &registry = Windows();
    auto window = std::make_unique<Window>();
    window->handle = reinterpret_cast<HWND>(registry.NewHandle());
    window->tmpl = tmpl;
    window->dialog = &dialog;
    window->owner = owner;
    window->title = tmpl.caption;
    window->controls.reserve(tmpl.controls.size());
    for (const res::ControlTemplate &control : tmpl.controls) {
        auto handle = registry.NewHandle();
        registry.controls[handle] = {window.get(), window->controls.size()};
        window->controls.push_back(MakeControl(control, reinterpret_cast<HWND>(handle)));
    }
    window->hasSystemMenu = (tmpl.style & WS_SYSMENU) != 0;
    if (window->hasSystemMenu) {
        auto menu = registry.NewHandle();
        window->systemMenuHandle = reinterpret_cast<HMENU>(menu);
        registry.menus[menu] = window.get();
        ResetSystemMenu(*window);
    }
    Window &made = *window;
    registry.open.push_back(&made);
    registry.windows[Key(made.handle)] = std::move(window);
    return made;
}

void DestroyDialogWindow(Window &window) {
    Registry &registry = Windows();
    KillWindowTimers(window.handle);
    for (const Control &control : window.controls)
        registry.controls.erase(Key(control.handle));
    registry.menus.erase(Key(window.systemMenuHandle));
    std::erase(registry.open, &window);
    registry.windows.erase(Key(window.handle)); // last: frees the window
}

Window *FindWindow(HWND handle) {
    auto &windows = Windows().windows;
    auto found = windows.find(Key(handle));
    return found == windows.end() ? nullptr : found->second.get();
}

ControlRef FindControlWindow(HWND handle) {
    auto &controls = Windows().controls;
    auto found = controls.find(Key(handle));
    if (found == controls.end())
        return {};
    return {found->second.window, &found->second.window->controls[found->second.index]};
}

Window *FindMenuWindow(HMENU menu) {
    auto &menus = Windows().menus;
    auto found = menus.find(Key(menu));
    return found == menus.end() ? nullptr : found->second;
}

LRESULT SendToDialog(Window &window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    LRESULT result = window.dialog->DispatchFromBackend(message, wParam, lParam, &handled);
    return handled ? result : DefaultDialogProc(window, message, wParam, lParam);
}

RECT ClientRect(const Window &window) {
    // MulDiv rounding, as MapDialogRect.
    auto scale = [](int units, int base, int per) {
        return static_cast<LONG>((units * base * 2 + per) / (per * 2));
    };
    return {0, 0, scale(window.tmpl.cx, 6, 4), scale(window.tmpl.cy, 13, 8)};
}

} // namespace ui
