#include "platform/windows/script_dll/shown_window.h"

#include "platform/windows/script_dll/program.h"

namespace win32 {

namespace {

std::string WindowText(HWND window) {
    char text[256] = "";
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

script::ShownControl::Kind KindOf(HWND control) {
    using Kind = script::ShownControl::Kind;
    if (HasClass(control, "ListBox"))
        return Kind::ListBox;
    if (HasClass(control, "Button") &&
        (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX)
        return Kind::Button;
    return Kind::Other;
}

// The string items of the window's system menu, in menu order.
std::vector<script::ShownMenuItem> SystemMenuOf(HWND dialog) {
    std::vector<script::ShownMenuItem> items;
    if ((GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU) == 0)
        return items;
    const HMENU menu = GetSystemMenu(dialog, FALSE);
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & (MF_SEPARATOR | MF_POPUP))
            continue;
        char text[128] = "";
        const int length =
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back({GetMenuItemID(menu, i),
                         std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0)});
    }
    return items;
}

} // namespace

bool HasClass(HWND window, const char *wanted) {
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    return lstrcmpiA(cls, wanted) == 0;
}

std::vector<std::string> ListEntries(HWND list) {
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string entry(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
        const LRESULT got = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                         reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        entries.push_back(std::move(entry));
    }
    return entries;
}

// Child windows come in the order of the template (creation order).
script::ShownDialog ShownWindow(HWND dialog) {
    script::ShownDialog shown;
    shown.templateId = static_cast<int>(Program().templateOf(dialog));
    shown.title = WindowText(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const script::ShownControl::Kind kind = KindOf(child);
        shown.controls.push_back({GetDlgCtrlID(child), kind, WindowText(child),
                                  kind == script::ShownControl::Kind::ListBox
                                      ? ListEntries(child)
                                      : std::vector<std::string>{}});
    }
    shown.systemMenu = SystemMenuOf(dialog);
    return shown;
}

} // namespace win32
