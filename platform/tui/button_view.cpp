#include "platform/tui/button_view.h"

namespace tui {

void DrawButton(Canvas &canvas, const Rect &span, const Label &label, Paint labelPaint,
                bool isDefault) {
    const int len = static_cast<int>(label.text.size());
    canvas.Fill(span, Paint::Button);
    canvas.Put(span.x, span.y, U'[', Paint::Button);
    canvas.Put(span.Right() - 1, span.y, U']', Paint::Button);
    const int lx = span.x + (span.w - len) / 2;
    canvas.Text(lx, span.y, label.text, labelPaint, len, isDefault ? kBold : 0);
    if (label.underline >= 0)
        canvas.AddAttrs(lx + label.underline, span.y, kUnderline);
    if (!isDefault)
        return;
    for (int gap : {2, 1}) {
        if (lx - gap > span.x && lx + len + gap - 1 < span.Right() - 1) {
            canvas.Put(lx - gap, span.y, U'>', Paint::Button, kBold);
            canvas.Put(lx + len + gap - 1, span.y, U'<', Paint::Button, kBold);
            return;
        }
    }
}

} // namespace tui
