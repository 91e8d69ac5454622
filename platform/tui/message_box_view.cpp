#include "platform/tui/message_box_view.h"

#include "platform/tui/button_view.h"
#include "platform/tui/frame_view.h"
#include "platform/tui/text_layout.h"

#include <algorithm>

namespace tui {

namespace {

constexpr int kButtonWidth = 12; // about the 50 dialog units Windows gives them
constexpr int kButtonGap = 2;
constexpr int kMargin = 2;
constexpr int kIconWidth = 5; // "(X)" and two blanks
constexpr int kLongestLine = 60;

} // namespace

const char *ButtonLabel(int button) {
    switch (button) {
    case IDOK:
        return "OK";
    case IDCANCEL:
        return "Cancel";
    case IDABORT:
        return "&Abort";
    case IDRETRY:
        return "&Retry";
    case IDIGNORE:
        return "&Ignore";
    case IDYES:
        return "&Yes";
    case IDNO:
        return "&No";
    default:
        return "?";
    }
}

int MessageBoxCloseAnswer(const std::vector<int> &buttons) {
    if (std::find(buttons.begin(), buttons.end(), IDCANCEL) != buttons.end())
        return IDCANCEL;
    if (buttons.size() == 1 && buttons.front() == IDOK)
        return IDOK;
    return 0;
}

MessageBoxLayout LayoutMessageBox(const ui::MessageBoxRequest &request, int cols, int rows) {
    MessageBoxLayout layout;
    layout.hand = (request.style & MB_ICONMASK) == MB_ICONHAND;
    layout.buttons = ui::MessageBoxButtons(request.style);
    const int icon = layout.hand ? kIconWidth : 0;
    const int count = static_cast<int>(layout.buttons.size());
    const int buttonsWidth = count * kButtonWidth + std::max(count - 1, 0) * kButtonGap;

    // The text wraps at a comfortable width, narrower on a narrow terminal.
    const int wrap = std::clamp(cols - 2 - 2 * kMargin - icon, 10, kLongestLine);
    layout.lines = WrapText(request.text, wrap);
    int textWidth = 0;
    for (const std::string &line : layout.lines)
        textWidth = std::max(textWidth, static_cast<int>(line.size()));
    const int captionWidth = static_cast<int>(request.caption.size()) + 9; // boxes and blanks
    const int width = std::max({2 * kMargin + icon + textWidth, buttonsWidth + 2 * kMargin,
                                std::min(captionWidth, std::max(cols - 2, 0))});
    const int textRows = std::max(static_cast<int>(layout.lines.size()), layout.hand ? 1 : 0);
    const int height = 1 + textRows + 1 + 1 + 1; // margin, text, gap, buttons, margin
    layout.frame = PlaceWindow({width, height}, cols, rows);

    const Rect &client = layout.frame.client;
    int x = client.x + (client.w - buttonsWidth) / 2;
    const int y = client.y + textRows + 2;
    for (int i = 0; i < count; ++i) {
        layout.buttonCells.push_back({x, y, kButtonWidth, 1});
        x += kButtonWidth + kButtonGap;
    }
    return layout;
}

void DrawMessageBox(Canvas &canvas, const MessageBoxLayout &layout, const std::string &caption,
                    int focus) {
    const bool closable = MessageBoxCloseAnswer(layout.buttons) != 0;
    DrawFrame(canvas, layout.frame, caption, {true, true, closable});
    const Rect &client = layout.frame.client;
    canvas.SetClip(client);
    int textX = client.x + kMargin;
    if (layout.hand) {
        canvas.Text(textX, client.y + 1, "(X)", Paint::IconHand, 3, kBold);
        textX += kIconWidth;
    }
    for (std::size_t i = 0; i < layout.lines.size(); ++i)
        canvas.Text(textX, client.y + 1 + static_cast<int>(i), layout.lines[i], Paint::Face,
                    client.Right() - textX);
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        // The default button follows the focus, as in Windows.
        const bool focused = static_cast<int>(i) == focus;
        DrawButton(canvas, layout.buttonCells[i], ParseMnemonic(ButtonLabel(layout.buttons[i])),
                   focused ? Paint::Focus : Paint::Button, focused);
    }
    canvas.ClearClip();
}

} // namespace tui
