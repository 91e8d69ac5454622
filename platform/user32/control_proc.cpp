// What a control does with the messages sent to it: list boxes, check and
// radio buttons, and the text of every control.
#include "platform/user32/text_copy.h"
#include "platform/user32/window_manager.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace ui {

namespace {

bool LessIgnoringCase(const std::string &a, const std::string &b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

LRESULT AddString(Control &list, const char *text) {
    std::string entry = text ? text : "";
    auto at = list.items.end();
    if (list.style & LBS_SORT)
        at = std::upper_bound(list.items.begin(), list.items.end(), entry, LessIgnoringCase);
    const auto index = static_cast<int>(at - list.items.begin());
    list.items.insert(at, std::move(entry));
    if (list.selection != LB_ERR && list.selection >= index)
        ++list.selection; // the selected entry moved down
    return index;
}

bool InRange(const Control &list, WPARAM index) {
    return index < list.items.size();
}

LRESULT ListBoxProc(Control &list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_ADDSTRING:
        return AddString(list, reinterpret_cast<const char *>(lParam));
    case LB_RESETCONTENT:
        list.items.clear();
        list.selection = LB_ERR;
        return 0;
    case LB_SETCURSEL:
        // -1 clears the selection and still answers LB_ERR, as Windows does.
        if (static_cast<int>(wParam) == -1)
            list.selection = LB_ERR;
        if (!InRange(list, wParam))
            return LB_ERR;
        list.selection = static_cast<int>(wParam);
        return list.selection;
    case LB_GETCURSEL:
        return list.selection;
    case LB_GETCOUNT:
        return static_cast<LRESULT>(list.items.size());
    case LB_GETTEXTLEN:
        return InRange(list, wParam) ? static_cast<LRESULT>(list.items[wParam].size()) : LB_ERR;
    case LB_GETTEXT: {
        // The caller's buffer holds LB_GETTEXTLEN + 1 characters.
        if (!InRange(list, wParam) || lParam == 0)
            return LB_ERR;
        const std::string &entry = list.items[wParam];
        std::memcpy(reinterpret_cast<char *>(lParam), entry.c_str(), entry.size() + 1);
        return static_cast<LRESULT>(entry.size());
    }
    default:
        return 0;
    }
}

} // namespace

LRESULT ControlProc(Control &control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; TextMessage(control.text, message, wParam, lParam, &result))
        return result;
    switch (message) {
    case WM_SETREDRAW:
        control.redraw = wParam != 0;
        return 0;
    case BM_GETCHECK:
        return control.HasCheck() ? control.check : BST_UNCHECKED;
    case BM_SETCHECK:
        if (control.HasCheck())
            control.check = wParam ? BST_CHECKED : BST_UNCHECKED;
        return 0;
    default:
        return control.Kind() == ControlKind::ListBox
                   ? ListBoxProc(control, message, wParam, lParam)
                   : 0;
    }
}

} // namespace ui
