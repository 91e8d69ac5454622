// The system menu: its standard items, GetSystemMenu and AppendMenuA.
#include "platform/user32/window_manager.h"

namespace ui {

namespace {

// MF_GRAYED | MF_DISABLED: an item that cannot be chosen.
constexpr UINT kUnavailable = 0x0003;

} // namespace

void ResetSystemMenu(Window &window) {
    // The menu of a dialog frame without minimise, maximise or sizing boxes,
    // as Windows gives it: Restore, Size, Minimize and Maximize are left out.
    window.systemMenu = {
        {MF_STRING, SC_MOVE, "&Move", true},
        {MF_STRING, SC_CLOSE, "&Close\tAlt+F4", true},
    };
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
