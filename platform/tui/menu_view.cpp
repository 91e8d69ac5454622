#include "platform/tui/menu_view.h"

#include "platform/tui/text_layout.h"

#include <algorithm>
#include <string_view>

namespace tui {

namespace {

bool IsSeparator(const ui::MenuItem &item) {
    return (item.flags & MF_SEPARATOR) != 0;
}

// "&Close\tAlt+F4": the label and the accelerator shown at the right.
struct ItemText {
    Label label;
    std::string accelerator;
};

ItemText Split(const ui::MenuItem &item) {
    const std::string_view text = item.text;
    const std::size_t tab = text.find('\t');
    if (tab == std::string_view::npos)
        return {ParseMnemonic(text), {}};
    return {ParseMnemonic(text.substr(0, tab)), std::string(text.substr(tab + 1))};
}

int Count(const MenuItems &items) {
    return static_cast<int>(items.size());
}

} // namespace

MenuLayout LayoutMenu(const MenuItems &items, int x, int y, int cols, int rows) {
    int inner = 8;
    for (const ui::MenuItem &item : items) {
        if (IsSeparator(item))
            continue;
        const ItemText t = Split(item);
        const int accel = t.accelerator.empty() ? 0 : 3 + static_cast<int>(t.accelerator.size());
        inner = std::max(inner, static_cast<int>(t.label.text.size()) + accel);
    }
    const int w = inner + 4, h = Count(items) + 2;
    x = std::max(std::min(x, cols - w), 0);
    y = std::max(std::min(y, rows - h), 0);
    return {{x, y, w, h}};
}

void DrawMenu(Canvas &canvas, const MenuLayout &layout, const MenuItems &items, int selected) {
    const Rect &box = layout.box;
    canvas.Fill(box, Paint::Menu);
    canvas.Box(box, Paint::Menu);
    for (int i = 0; i < Count(items); ++i) {
        const ui::MenuItem &item = items[static_cast<std::size_t>(i)];
        const int y = box.y + 1 + i;
        if (IsSeparator(item)) {
            canvas.HLine(box.x, y, box.w, Paint::Menu);
            continue;
        }
        const bool on = i == selected;
        const Paint paint = item.enabled ? (on ? Paint::MenuSelected : Paint::Menu)
                                         : (on ? Paint::MenuGreySelected : Paint::MenuGrey);
        canvas.Fill({box.x + 1, y, box.w - 2, 1}, paint);
        const ItemText t = Split(item);
        canvas.Text(box.x + 2, y, t.label.text, paint, box.w - 4);
        if (t.label.underline >= 0)
            canvas.AddAttrs(box.x + 2 + t.label.underline, y, kUnderline);
        const int accelWidth = static_cast<int>(t.accelerator.size());
        canvas.Text(box.Right() - 2 - accelWidth, y, t.accelerator, paint, accelWidth);
    }
}

int MenuHit(const MenuLayout &layout, const MenuItems &items, int x, int y) {
    const Rect &box = layout.box;
    if (x <= box.x || x >= box.Right() - 1)
        return -1;
    const int i = y - box.y - 1;
    if (i < 0 || i >= Count(items) || IsSeparator(items[static_cast<std::size_t>(i)]))
        return -1;
    return i;
}

int NextMenuItem(const MenuItems &items, int from, bool backward) {
    const int n = Count(items);
    int i = from < 0 ? (backward ? 0 : n - 1) : from;
    for (int k = 0; k < n; ++k) {
        i = (i + (backward ? n - 1 : 1)) % n;
        if (!IsSeparator(items[static_cast<std::size_t>(i)]))
            return i;
    }
    return -1;
}

int MenuMnemonic(const MenuItems &items, char key) {
    for (int i = 0; i < Count(items); ++i) {
        const ui::MenuItem &item = items[static_cast<std::size_t>(i)];
        if (!IsSeparator(item) && Split(item).label.key == key)
            return i;
    }
    return -1;
}

} // namespace tui
