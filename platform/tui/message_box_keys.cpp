#include "platform/tui/message_box_keys.h"

#include "platform/tui/message_box_view.h"
#include "platform/tui/text_layout.h"

namespace tui {

namespace {

// How far Tab and the arrow keys move the focus; 0 for the other keys.
int FocusStep(Key key) {
    switch (key) {
    case Key::Tab:
    case Key::Right:
    case Key::Down:
        return 1;
    case Key::BackTab:
    case Key::Left:
    case Key::Up:
        return -1;
    default:
        return 0;
    }
}

// The first button whose label starts with the letter; 0 when none does.
int ButtonByLetter(const std::vector<int> &buttons, char ch) {
    for (int button : buttons)
        if (LowerCase(ParseMnemonic(ButtonLabel(button)).text[0]) == LowerCase(ch))
            return button;
    return 0;
}

} // namespace

BoxKeyOutcome HandleMessageBoxKey(const std::vector<int> &buttons, int *focus,
                                  const KeyEvent &event) {
    BoxKeyOutcome out;
    const int count = static_cast<int>(buttons.size());
    if (const int step = FocusStep(event.key)) {
        *focus = (*focus + count + step) % count;
        return out;
    }
    const int focused = buttons[static_cast<std::size_t>(*focus)];
    switch (event.key) {
    case Key::Enter:
        out.answer = focused;
        break;
    case Key::Escape:
    case Key::AltF4:
        out.answer = MessageBoxCloseAnswer(buttons);
        out.beep = out.answer == 0; // Yes/No: there is no Cancel to give
        break;
    case Key::AltSpace:
        out.openMenu = true;
        break;
    case Key::Char:
    case Key::AltChar:
        out.answer = event.ch == ' ' ? focused : ButtonByLetter(buttons, event.ch);
        out.beep = out.answer == 0;
        break;
    default:
        break;
    }
    return out;
}

} // namespace tui
