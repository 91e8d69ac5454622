#include "platform/tui/geometry.h"

#include <algorithm>

namespace tui {

namespace {

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int CeilDiv(int a, int b) {
    return -FloorDiv(-a, b);
}

} // namespace

Rect UnitsToCells(int x, int y, int cx, int cy) {
    const int left = FloorDiv(x, 4), top = FloorDiv(y, 8);
    const int right = CeilDiv(x + std::max(cx, 0), 4), bottom = CeilDiv(y + std::max(cy, 0), 8);
    return {left, top, std::max(right - left, 1), std::max(bottom - top, 1)};
}

Rect ControlCells(const ui::Control &control) {
    return UnitsToCells(control.x, control.y, control.cx, control.cy);
}

int ControlTextRow(const ui::Control &control) {
    const Rect r = ControlCells(control);
    return std::clamp(FloorDiv(control.y + control.cy / 2, 8), r.y, r.Bottom() - 1);
}

Size ClientCells(const res::DialogTemplate &tmpl) {
    return {std::max(CeilDiv(tmpl.cx, 4), 1), std::max(CeilDiv(tmpl.cy, 8), 1)};
}

WindowFrame PlaceWindow(Size client, int cols, int rows) {
    const int w = client.w + 2, h = client.h + 2;
    const int x = w <= cols ? (cols - w) / 2 : 0;
    const int y = h <= rows ? (rows - h) / 2 : 0;
    return {{x, y, w, h}, {x + 1, y + 1, client.w, client.h}};
}

WindowFrame MinimizedFrame(int n, int cols, int rows) {
    constexpr int kWidth = 30;
    const int w = std::min(kWidth, cols);
    const int x = std::min(n * kWidth, std::max(cols - w, 0));
    return {{x, rows - 1, w, 1}, {x + 1, rows, 0, 0}};
}

} // namespace tui
