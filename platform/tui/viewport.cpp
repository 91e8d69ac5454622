#include "platform/tui/viewport.h"

#include <algorithm>

namespace tui {

View MakeView(int cols, int rows, const Rect &active, int wantX, int wantY) {
    View v;
    v.cols = cols;
    v.rows = rows;
    v.active = active;
    v.hint = active.h > rows || active.w > cols;
    v.pinned = active.h > v.ContentRows();
    const int content = v.ContentRows();
    // A window that fits is shown where it was placed, on the screen itself.
    if (v.pinned)
        v.y0 = std::clamp(wantY, active.y, active.Bottom() - content);
    else
        v.y0 = std::clamp(0, std::max(active.Bottom() - content, 0), active.y);
    if (active.w > cols)
        v.x0 = std::clamp(wantX, active.x, active.Right() - cols);
    else
        v.x0 = std::clamp(0, std::max(active.Right() - cols, 0), active.x);
    return v;
}

void Reveal(const View &view, const Rect &rect, int *wantX, int *wantY) {
    *wantY = view.y0;
    if (rect.Bottom() - 1 > view.LastRow())
        *wantY += rect.Bottom() - 1 - view.LastRow();
    const int first = view.FirstRow() + (*wantY - view.y0);
    if (rect.y < first)
        *wantY -= first - rect.y;
    *wantX = view.x0;
    if (rect.Right() > view.x0 + view.cols)
        *wantX = rect.Right() - view.cols;
    if (rect.x < *wantX)
        *wantX = rect.x;
}

std::string HintText(const View &view) {
    if (!view.hint)
        return {};
    const Rect &a = view.active;
    const int above = view.FirstRow() - (view.pinned ? a.y + 1 : a.y);
    const int below = a.Bottom() - 1 - view.LastRow();
    const int left = view.x0 - a.x;
    const int right = a.Right() - (view.x0 + view.cols);
    std::string text;
    auto add = [&text](int n, const char *what) {
        if (n <= 0)
            return;
        text += text.empty() ? " More: " : ", ";
        text += std::to_string(n) + " " + what;
    };
    add(above, above == 1 ? "row above" : "rows above");
    add(below, below == 1 ? "row below" : "rows below");
    add(left, left == 1 ? "column left" : "columns left");
    add(right, right == 1 ? "column right" : "columns right");
    if (text.empty())
        return {};
    if (above > 0 || below > 0)
        text += "  PgUp/PgDn";
    if (left > 0 || right > 0)
        text += "  Shift+Left/Right";
    return text + " ";
}

} // namespace tui
