#include "platform/tui/frame_view.h"

namespace tui {

namespace {

void DrawCaption(Canvas &canvas, const WindowFrame &frame, std::string_view title,
                 const FrameLook &look, Paint bar) {
    const Rect &f = frame.frame;
    int titleX = f.x + 1;
    int titleEnd = f.Right() - 1;
    if (look.systemMenu) {
        const Rect menu = frame.MenuBox(), close = frame.CloseBox();
        canvas.Put(menu.x, menu.y, U'[', bar);
        canvas.Put(menu.x + 1, menu.y, U'-', bar, kBold);
        canvas.Put(menu.x + 2, menu.y, U']', bar);
        const Paint closePaint = look.closeEnabled ? bar : Paint::CaptionIdle;
        canvas.Put(close.x, close.y, U'[', closePaint);
        canvas.Put(close.x + 1, close.y, kTimes, closePaint, look.closeEnabled ? kBold : 0);
        canvas.Put(close.x + 2, close.y, U']', closePaint);
        titleX = menu.Right() + 1;
        titleEnd = close.x - 1;
    }
    const int room = titleEnd - titleX;
    if (room > 0) {
        const bool cut = static_cast<int>(title.size()) > room;
        const int used = canvas.Text(titleX, f.y, title, bar, cut ? room - 1 : room, kBold);
        if (cut)
            canvas.Put(titleX + used, f.y, kEllipsis, bar, kBold);
    }
}

} // namespace

void DrawFrame(Canvas &canvas, const WindowFrame &frame, std::string_view title,
               const FrameLook &look) {
    const Rect &f = frame.frame;
    const Paint bar = look.active ? Paint::Caption : Paint::CaptionIdle;
    canvas.Fill(f, Paint::Face); // covers what lies below: its lines must not join ours
    canvas.Fill({f.x, f.y, f.w, 1}, bar);
    DrawCaption(canvas, frame, title, look, bar);
    if (f.h < 2)
        return; // minimised: the caption alone

    const int bottom = f.Bottom() - 1;
    for (int y = f.y + 1; y < bottom; ++y) {
        canvas.AddLines(f.x, y, kUp | kDown, Paint::Face);
        canvas.AddLines(f.Right() - 1, y, kUp | kDown, Paint::Face);
    }
    canvas.AddLines(f.x, bottom, kUp | kRight, Paint::Face);
    canvas.AddLines(f.Right() - 1, bottom, kUp | kLeft, Paint::Face);
    for (int x = f.x + 1; x < f.Right() - 1; ++x)
        canvas.AddLines(x, bottom, kLeft | kRight, Paint::Face);
}

} // namespace tui
