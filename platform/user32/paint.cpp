// Painting on the simulated screen: nothing is drawn, but what the dialog
// code draws is recorded so that tests can see it.
#include "platform/user32/paint.h"

#include "platform/user32/window_manager.h"

#include <cstring>

namespace ui {

std::vector<IconDrawing> &DrawnIcons() {
    static std::vector<IconDrawing> drawn;
    return drawn;
}

} // namespace ui

HDC BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
    ui::Window *window = ui::FindWindow(handle);
    if (!window || !paint)
        return nullptr;
    window->needsPaint = false;
    std::memset(paint, 0, sizeof *paint);
    // The window's device context: its handle, so DrawIcon knows the window.
    paint->hdc = reinterpret_cast<HDC>(handle);
    paint->rcPaint = ui::ClientRect(*window);
    return paint->hdc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT *) {
    return ui::FindWindow(handle) ? TRUE : FALSE;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    default:
        return 0;
    }
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    if (!dc || !icon)
        return FALSE;
    ui::DrawnIcons().push_back({reinterpret_cast<HWND>(dc), x, y, icon});
    return TRUE;
}
