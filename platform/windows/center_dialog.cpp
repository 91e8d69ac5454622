#include "platform/windows/center_dialog.h"

namespace win32 {

namespace {

LONG Clamp(LONG value, LONG low, LONG high) {
    return value > high ? high : value < low ? low : value;
}

} // namespace

void CenterAfterInit(HWND dialog, const RECT &before) {
    RECT rect;
    GetWindowRect(dialog, &rect);
    // Shown or moved by its initialisation: the dialog placed itself.
    if (IsWindowVisible(dialog) || rect.left != before.left || rect.top != before.top)
        return;
    RECT area;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT center = area;
    const HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &center);
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    const LONG left =
        Clamp((center.left + center.right - width) / 2, area.left, area.right - width);
    const LONG top =
        Clamp((center.top + center.bottom - height) / 2, area.top, area.bottom - height);
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace win32
