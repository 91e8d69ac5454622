#include "platform/tui/key_line.h"

#include "platform/tui/dialog_nav.h"
#include "platform/tui/text_layout.h"

namespace tui {

namespace {

using Kind = ui::ControlKind;

void Add(std::string &line, const std::string &keys, const std::string &what) {
    line += (line.empty() ? " " : "  ") + keys + " " + what;
}

std::string Label(const std::string &text) {
    return ParseMnemonic(text).text;
}

// The arrows choose a radio button: the focused one's neighbours, or one
// that an arrow reaches from another control of its group.
bool ArrowsChoose(const ui::Window &window, int focus) {
    auto isRadio = [&window](int i) {
        return window.controls[static_cast<std::size_t>(i)].Kind() == Kind::RadioButton;
    };
    return isRadio(focus) || isRadio(NextInGroup(window, focus, false)) ||
           isRadio(NextInGroup(window, focus, true));
}

std::string MessageBoxKeys(const ScreenRequest &request) {
    const std::vector<int> buttons = ui::MessageBoxButtons(request.box->style);
    std::string line;
    if (buttons.size() > 1)
        Add(line, "Tab", "next");
    const auto focus = static_cast<std::size_t>(request.boxFocus);
    if (focus < buttons.size())
        Add(line, "Enter", Label(ButtonLabel(buttons[focus])));
    if (const int close = MessageBoxCloseAnswer(buttons))
        Add(line, "Esc", Label(ButtonLabel(close)));
    Add(line, "Alt+Space", "menu");
    return line;
}

std::string DialogKeys(const ScreenRequest::Dialog &dialog) {
    const ui::Window &window = *dialog.window;
    const bool inRange = dialog.state->focus < static_cast<int>(window.controls.size());
    const int focus = inRange ? dialog.state->focus : -1;
    const ui::Control *focused =
        focus >= 0 ? &window.controls[static_cast<std::size_t>(focus)] : nullptr;
    std::string line;
    if (TabTarget(window, focus, false) != focus)
        Add(line, "Tab", "next");
    if (focused && focused->Kind() == Kind::ListBox) {
        Add(line, "Up/Down", "select");
    } else if (focused) {
        if (ArrowsChoose(window, focus))
            Add(line, "Up/Down", "choose");
        Add(line, "Space", "press");
    }
    const ui::Control *enter = window.FindControl(DefaultCommand(window, focus));
    if (enter && CanPress(*enter)) // else Enter's IDOK has no button to press
        Add(line, "Enter", Label(enter->text));
    Add(line, "Esc", "cancel");
    if (window.hasSystemMenu)
        Add(line, "Alt+Space", "menu");
    Add(line, "Alt+F4", "close");
    return line;
}

} // namespace

std::string KeyLine(const ScreenRequest &request) {
    if (request.moving)
        return " Arrows move  Enter keep the place  Esc put it back";
    if (request.menu)
        return " Up/Down choose  Enter select  Esc close";
    if (request.box)
        return MessageBoxKeys(request);
    if (request.dialogs.empty() || request.dialogs.back().window->iconic)
        return {};
    return DialogKeys(request.dialogs.back());
}

} // namespace tui
