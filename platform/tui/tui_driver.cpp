#include "platform/tui/tui_driver.h"

#include "platform/tui/dialog_keys.h"
#include "platform/tui/dialog_nav.h"
#include "platform/tui/dialog_view.h"
#include "platform/tui/terminal.h"
#include "platform/tui/text_layout.h"
#include "platform/user32/linux_fail.h"

#include <algorithm>
#include <cctype>

namespace tui {

namespace {

constexpr int kTop = -1000000; // a scroll position above any window: the top
constexpr int kWheelRows = 3;

bool IsClick(const KeyEvent &e) {
    return e.key == Key::Mouse &&
           (e.mouse == MouseAction::Click || e.mouse == MouseAction::DoubleClick);
}

bool IsWheel(const KeyEvent &e) {
    return e.key == Key::Mouse &&
           (e.mouse == MouseAction::WheelUp || e.mouse == MouseAction::WheelDown);
}

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// A dialog starts with the focus on its first tab stop, as after an
// OnInitDialog that returns TRUE.
DialogState FreshState(const ui::Window &window) {
    DialogState state;
    state.focus = FirstFocus(window);
    return state;
}

} // namespace

TerminalDriver::~TerminalDriver() {
    term::Leave();
}

void TerminalDriver::Render() {
    if (!term::Enter())
        ui::Fail("the terminal cannot be set up");
    const Size size = term::ScreenSize();
    ScreenRequest request;
    request.cols = size.w;
    request.rows = size.h;
    for (const ui::Window *window : ui::OpenWindows()) {
        if (window->Hidden())
            continue;
        DialogState &state = states_[window->handle];
        SettleListTops(*window, state);
        request.dialogs.push_back({window, &state});
    }
    request.box = box_;
    request.boxFocus = boxFocus_;
    request.boxMoveX = boxMoveX_;
    request.boxMoveY = boxMoveY_;
    request.wantX = wantX_;
    request.wantY = wantY_;
    request.revealFocus = revealFocus_;
    request.menu = menu_;
    request.menuSelected = menuSelected_;
    request.moving = moving_;
    screen_ = ComposeScreen(request);
    if (screen_.view.cols > 0) { // the windows were drawn, not the size note
        wantX_ = screen_.view.x0;
        wantY_ = screen_.view.y0;
        revealFocus_ = false;
    }
    term::Show(screen_.canvas);
}

std::optional<KeyEvent> TerminalDriver::Read(const Deadline &deadline) {
    std::optional<KeyEvent> event = term::Read(deadline);
    if (event && event->key == Key::Lost) {
        term::Leave();
        ui::Fail("the terminal was closed");
    }
    return event;
}

bool TerminalDriver::ScrollKey(const KeyEvent &event) {
    const View &view = screen_.view;
    const int page = std::max(view.ContentRows() - 2, 1);
    switch (event.key) {
    case Key::PageUp:
    case Key::PageDown:
        if (!view.hint)
            return false; // the whole window shows: the key is the focused list's
        [[fallthrough]];
    case Key::ShiftPageUp:
    case Key::ShiftPageDown:
        wantY_ += (event.key == Key::PageUp || event.key == Key::ShiftPageUp) ? -page : page;
        return true;
    case Key::ShiftLeft:
    case Key::ShiftRight:
        wantX_ += (event.key == Key::ShiftLeft ? -1 : 1) * std::max(view.cols / 2, 1);
        return true;
    case Key::Redraw:
        term::Repaint();
        return true;
    case Key::Resize:
        revealFocus_ = true;
        return true;
    case Key::Mouse:
        if (view.hint && event.y == view.rows - 1 && IsClick(event)) {
            wantY_ += event.x < view.cols / 2 ? -page : page; // the hint line's halves
            return true;
        }
        return false;
    default:
        return false;
    }
}

ui::Input TerminalDriver::NextInput(const ui::Window &active,
                                    std::optional<ui::Duration> untilNextTimer) {
    states_.try_emplace(active.handle, FreshState(active));
    const auto start = Clock::now();
    Deadline deadline;
    if (untilNextTimer)
        deadline = start + *untilNextTimer;
    for (;;) {
        Render();
        const std::optional<KeyEvent> event = Read(deadline);
        std::optional<ui::Input> input =
            event ? DialogEvent(active, *event, deadline) : ui::Input::TimePassed({});
        if (input) {
            input->elapsed = Clock::now() - start;
            return *input;
        }
    }
}

std::optional<ui::Input> TerminalDriver::DialogEvent(const ui::Window &window,
                                                     const KeyEvent &event,
                                                     const Deadline &deadline) {
    if (ScrollKey(event))
        return std::nullopt;
    if (event.key == Key::Mouse)
        return DialogMouse(window, event, deadline);
    const KeyOutcome out = HandleDialogKey(window, states_[window.handle], event);
    if (out.beep)
        term::Beep();
    if (out.focusMoved)
        revealFocus_ = true;
    if (out.openMenu)
        return SystemMenu(window, deadline);
    return out.input;
}

std::optional<ui::Input> TerminalDriver::DialogMouse(const ui::Window &window,
                                                     const KeyEvent &event,
                                                     const Deadline &deadline) {
    if (screen_.dialogFrames.empty())
        return std::nullopt;
    using Part = DialogHit::Part;
    DialogState &state = states_[window.handle];
    const View &view = screen_.view;
    const DialogHit hit = HitDialog(window, screen_.dialogFrames.back(), state,
                                    view.SceneX(event.x), view.SceneY(event.y));
    const bool onList =
        hit.control >= 0 &&
        window.controls[static_cast<std::size_t>(hit.control)].Kind() == ui::ControlKind::ListBox;
    if (IsWheel(event)) {
        // A list box under the pointer scrolls, else the view does.
        const int rows = event.mouse == MouseAction::WheelUp ? -kWheelRows : kWheelRows;
        if (onList)
            state.listTop[hit.control] += rows;
        else
            wantY_ += rows;
        return std::nullopt;
    }
    switch (hit.part) {
    case Part::None:
        return std::nullopt;
    case Part::MenuBox:
        return SystemMenu(window, deadline);
    case Part::CloseBox:
        return ui::Input::SysCommand(SC_CLOSE);
    case Part::ListUp:
    case Part::ListDown:
    case Part::ListPageUp:
    case Part::ListPageDown: {
        const ui::Control &c = window.controls[static_cast<std::size_t>(hit.control)];
        const int page = std::max(ListEntries(c).h - 1, 1);
        const int step = hit.part == Part::ListUp       ? -1
                         : hit.part == Part::ListDown   ? 1
                         : hit.part == Part::ListPageUp ? -page
                                                        : page;
        state.listTop[hit.control] += step;
        return std::nullopt;
    }
    default:
        break;
    }
    const ui::Control &c = window.controls[static_cast<std::size_t>(hit.control)];
    state.focus = hit.control;
    if (hit.part == Part::ListEntry) {
        state.caret[hit.control] = hit.entry;
        if (event.mouse == MouseAction::DoubleClick)
            return ui::Input::DoubleClick(c.id, hit.entry);
        if (hit.entry != c.selection)
            return ui::Input::Select(c.id, hit.entry);
        return std::nullopt;
    }
    if (onList)
        return std::nullopt; // the list's frame or its empty rows: the focus only
    return ui::Input::Click(c.id);
}

std::optional<ui::Input> TerminalDriver::SystemMenu(const ui::Window &window,
                                                    const Deadline &deadline) {
    if (!window.hasSystemMenu || window.systemMenu.empty()) {
        term::Beep();
        return std::nullopt;
    }
    bool timedOut = false;
    const int chosen = RunMenu(window.systemMenu, deadline, &timedOut);
    if (timedOut)
        return ui::Input::TimePassed({});
    if (chosen < 0)
        return std::nullopt;
    const auto command = static_cast<UINT>(window.systemMenu[static_cast<std::size_t>(chosen)].id);
    if (command != SC_MOVE)
        return ui::Input::SysCommand(command);
    DialogState &state = states_[window.handle];
    if (!MoveWindow(&state.moveX, &state.moveY, deadline))
        return ui::Input::TimePassed({});
    return ui::Input::SysCommand(SC_MOVE);
}

bool TerminalDriver::MoveWindow(int *moveX, int *moveY, const Deadline &deadline) {
    const int fromX = *moveX, fromY = *moveY;
    moving_ = true;
    bool onTime = true;
    for (bool done = false; !done;) {
        Render();
        const std::optional<KeyEvent> event = Read(deadline);
        if (!event) {
            onTime = false;
            break;
        }
        // One cell a key, as far as the screen goes.
        const Rect frame = screen_.box                     ? screen_.box->frame.frame
                           : screen_.dialogFrames.empty() ? Rect{}
                                                          : screen_.dialogFrames.back().frame;
        const View &view = screen_.view;
        switch (event->key) {
        case Key::Left:
            *moveX -= frame.x > 0;
            break;
        case Key::Right:
            *moveX += frame.Right() < view.cols;
            break;
        case Key::Up:
            *moveY -= frame.y > 0;
            break;
        case Key::Down:
            *moveY += frame.Bottom() < view.rows;
            break;
        case Key::Enter:
            done = true;
            break;
        case Key::Escape:
            *moveX = fromX;
            *moveY = fromY;
            done = true;
            break;
        default:
            ScrollKey(*event);
            break;
        }
    }
    moving_ = false;
    return onTime;
}

int TerminalDriver::RunMenu(const MenuItems &items, const Deadline &deadline, bool *timedOut) {
    menu_ = &items;
    menuSelected_ = NextMenuItem(items, -1, false);
    int result = -1;
    for (;;) {
        Render();
        const std::optional<KeyEvent> event = Read(deadline);
        if (!event) {
            *timedOut = true; // a timer is due: Windows would run it under the menu
            break;
        }
        if (event->key == Key::Resize || event->key == Key::Redraw) {
            ScrollKey(*event);
            continue;
        }
        int pick = -1;
        bool close = false;
        switch (event->key) {
        case Key::Up:
        case Key::Down:
            menuSelected_ = NextMenuItem(items, menuSelected_, event->key == Key::Up);
            break;
        case Key::Home:
        case Key::End:
            menuSelected_ = NextMenuItem(items, -1, event->key == Key::End);
            break;
        case Key::Escape:
        case Key::AltSpace:
            close = true;
            break;
        case Key::Enter:
            pick = menuSelected_;
            break;
        case Key::Char:
        case Key::AltChar:
            pick = MenuMnemonic(items, Lower(event->ch));
            if (pick < 0)
                term::Beep();
            break;
        case Key::Mouse:
            if (IsClick(*event)) {
                pick = MenuHit(screen_.menu, items, event->x, event->y);
                close = pick < 0 && !screen_.menu.box.Contains(event->x, event->y);
            }
            break;
        default:
            break;
        }
        if (close)
            break;
        if (pick >= 0) {
            if (items[static_cast<std::size_t>(pick)].enabled) {
                result = pick;
                break;
            }
            menuSelected_ = pick;
            term::Beep();
        }
    }
    menu_ = nullptr;
    menuSelected_ = -1;
    return result;
}

int TerminalDriver::ShowMessageBox(const ui::MessageBoxRequest &request) {
    box_ = &request;
    boxFocus_ = 0;
    boxMoveX_ = boxMoveY_ = 0;
    revealFocus_ = true;
    int answer = 0;
    while (answer == 0) {
        Render();
        if (const std::optional<KeyEvent> event = Read(std::nullopt))
            answer = MessageBoxEvent(*event);
    }
    box_ = nullptr;
    revealFocus_ = true;
    LeaveWhenNoWindow(nullptr);
    return answer;
}

int TerminalDriver::MessageBoxEvent(const KeyEvent &event) {
    if (ScrollKey(event) || !screen_.box)
        return 0;
    const std::vector<int> &buttons = screen_.box->buttons;
    const int count = static_cast<int>(buttons.size());
    const int closeAnswer = MessageBoxCloseAnswer(buttons);
    auto close = [closeAnswer]() {
        if (closeAnswer == 0)
            term::Beep(); // Yes/No: there is no Cancel to give
        return closeAnswer;
    };
    auto menu = [&]() {
        const MenuItems items = {{MF_STRING, SC_MOVE, "&Move", true},
                                 {MF_STRING, SC_CLOSE, "&Close\tAlt+F4", closeAnswer != 0}};
        bool timedOut = false;
        switch (RunMenu(items, std::nullopt, &timedOut)) {
        case 0:
            MoveWindow(&boxMoveX_, &boxMoveY_, std::nullopt);
            return 0;
        case 1:
            return closeAnswer;
        default:
            return 0;
        }
    };
    switch (event.key) {
    case Key::Tab:
    case Key::Right:
    case Key::Down:
        boxFocus_ = (boxFocus_ + 1) % count;
        return 0;
    case Key::BackTab:
    case Key::Left:
    case Key::Up:
        boxFocus_ = (boxFocus_ + count - 1) % count;
        return 0;
    case Key::Enter:
        return buttons[static_cast<std::size_t>(boxFocus_)];
    case Key::Escape:
    case Key::AltF4:
        return close();
    case Key::AltSpace:
        return menu();
    case Key::Char:
    case Key::AltChar:
        if (event.ch == ' ')
            return buttons[static_cast<std::size_t>(boxFocus_)];
        // The first letter of a button's label chooses it.
        for (int button : buttons)
            if (Lower(ParseMnemonic(ButtonLabel(button)).text[0]) == Lower(event.ch))
                return button;
        term::Beep();
        return 0;
    case Key::Mouse: {
        const View &view = screen_.view;
        const int x = view.SceneX(event.x), y = view.SceneY(event.y);
        if (IsWheel(event)) {
            wantY_ += event.mouse == MouseAction::WheelUp ? -kWheelRows : kWheelRows;
            return 0;
        }
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (screen_.box->buttonCells[i].Contains(x, y))
                return buttons[i];
        if (screen_.box->frame.CloseBox().Contains(x, y))
            return close();
        if (screen_.box->frame.MenuBox().Contains(x, y))
            return menu();
        return 0;
    }
    default:
        return 0;
    }
}

void TerminalDriver::DialogOpened(const ui::Window &window) {
    states_[window.handle] = FreshState(window);
    wantX_ = 0;
    wantY_ = kTop;
    revealFocus_ = true;
}

void TerminalDriver::InputRejected(const ui::Window &, const ui::Input &, const std::string &) {
    term::Beep();
}

void TerminalDriver::DialogClosed(const ui::Window &window, int) {
    states_.erase(window.handle);
    revealFocus_ = true;
    LeaveWhenNoWindow(&window);
}

void TerminalDriver::LeaveWhenNoWindow(const ui::Window *closing) {
    if (box_)
        return;
    for (const ui::Window *window : ui::OpenWindows())
        if (window != closing && !window->Hidden())
            return;
    term::Leave();
}

std::unique_ptr<ui::Driver> MakeTerminalDriver() {
    if (!term::Usable())
        return nullptr;
    return std::make_unique<TerminalDriver>();
}

} // namespace tui
