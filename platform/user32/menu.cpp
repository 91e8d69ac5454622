// The system menu: its standard items, GetSystemMenu and AppendMenuA.
#include "platform/user32/window_manager.h"

namespace ui {

namespace {

// MF_GRAYED | MF_DISABLED: an item that cannot be chosen.
constexpr UINT kUnavailable = 0x0003;

void Enable(Window &window, UINT_PTR command, bool enabled) {
    for (MenuItem &item : window.systemMenu)
        if (item.flags == MF_STRING && item.id == command)
            item.enabled = enabled;
}

} // namespace

void ResetSystemMenu(Window &window) {
    // A dialog's menu, with Minimize offered so that the minimised painting
    // can be reached on every renderer.
    window.systemMenu = {
        {MF_STRING, SC_RESTORE, "&Restore", window.iconic},    {MF_STRING, SC_MOVE, "&Move", true},
        {MF_STRING, SC_MINIMIZE, "Mi&nimize", !window.iconic}, {MF_SEPARATOR, 0, "", true},
        {MF_STRING, SC_CLOSE, "&Close\tAlt+F4", true},
    };
}

void SetIconic(Window &window, bool iconic) {
    if (window.iconic == iconic)
        return;
    window.iconic = iconic;
    window.needsPaint = true;
    Enable(window, SC_RESTORE, iconic);
    Enable(window, SC_MINIMIZE, !iconic);
}

} // namespace ui

HMENU GetSystemMenu(HWND handle, BOOL revert) {
    ui::Window *window = ui::FindWindow(handle);
    if (!window || !window->hasSystemMenu)
        return nullptr;
    if (revert) {
        // Windows restores the standard menu and returns no menu.
        ui::ResetSystemMenu(*window);
        return nullptr;
    }
    return window->systemMenuHandle;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    ui::Window *window = ui::FindMenuWindow(menu);
    if (!window)
        return FALSE;
    if (flags & MF_SEPARATOR)
        window->systemMenu.push_back({MF_SEPARATOR, 0, "", true});
    else
        window->systemMenu.push_back(
            {MF_STRING, idNewItem, newItem ? newItem : "", (flags & ui::kUnavailable) == 0});
    return TRUE;
}
