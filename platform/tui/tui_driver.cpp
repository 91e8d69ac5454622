#include "platform/tui/tui_driver.h"

#include "platform/tui/dialog_keys.h"
#include "platform/tui/dialog_nav.h"
#include "platform/tui/dialog_view.h"
#include "platform/tui/message_box_keys.h"
#include "platform/tui/terminal.h"
#include "platform/tui/text_layout.h"
#include "platform/user32/linux_fail.h"

#include <algorithm>

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

// The rows a turn of the wheel scrolls by.
int WheelRows(const KeyEvent &e) {
    return e.mouse == MouseAction::WheelUp ? -kWheelRows : kWheelRows;
}

// A dialog starts with the focus on its first tab stop, as after an
// OnInitDialog that returns TRUE, and shows its top, where its text begins,
// until the person moves the focus.
DialogState FreshState(const ui::Window &window) {
    DialogState state;
    state.focus = FirstFocus(window);
    state.showTop = true;
    return state;
}

// The rows a click on a list box's scroll arrows or track scrolls it by; 0
// for the other parts.
int ListScrollRows(DialogHit::Part part, const ui::Control &list) {
    const int page = std::max(ListEntries(list).h - 1, 1);
    switch (part) {
    case DialogHit::Part::ListUp:
        return -1;
    case DialogHit::Part::ListDown:
        return 1;
    case DialogHit::Part::ListPageUp:
        return -page;
    case DialogHit::Part::ListPageDown:
        return page;
    default:
        return 0;
    }
}

// A click on a control gives it the focus and presses it; on a list entry
// it selects the entry (a double click is sent even for the selected one);
// on a list box's frame or empty rows it only moves the focus.
std::optional<ui::Input> ClickControl(const ui::Control &c, const DialogHit &hit,
                                      MouseAction action, DialogState &state) {
    state.focus = hit.control;
    state.showTop = false;
    if (hit.part == DialogHit::Part::ListEntry) {
        state.caret[hit.control] = hit.entry;
        if (action == MouseAction::DoubleClick)
            return ui::Input::DoubleClick(c.id, hit.entry);
        if (hit.entry != c.selection)
            return ui::Input::Select(c.id, hit.entry);
        return std::nullopt;
    }
    if (c.Kind() == ui::ControlKind::ListBox)
        return std::nullopt;
    return ui::Input::Click(c.id);
}

// What the close box gives a message box; a Yes/No box has no Cancel to
// give and beeps.
int CloseBoxAnswer(const std::vector<int> &buttons) {
    const int answer = MessageBoxCloseAnswer(buttons);
    if (answer == 0)
        term::Beep();
    return answer;
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
    if (out.focusMoved) {
        states_[window.handle].showTop = false;
        revealFocus_ = true;
    }
    if (out.openMenu)
        return SystemMenu(window, deadline);
    return out.input;
}

std::optional<ui::Input> TerminalDriver::DialogMouse(const ui::Window &window,
                                                     const KeyEvent &event,
                                                     const Deadline &deadline) {
    if (screen_.dialogFrames.empty())
        return std::nullopt;
    DialogState &state = states_[window.handle];
    const View &view = screen_.view;
    const DialogHit hit = HitDialog(window, screen_.dialogFrames.back(), state,
                                    view.SceneX(event.x), view.SceneY(event.y));
    const ui::Control *control =
        hit.control >= 0 ? &window.controls[static_cast<std::size_t>(hit.control)] : nullptr;
    if (IsWheel(event)) {
        // A list box under the pointer scrolls, else the view does.
        if (control && control->Kind() == ui::ControlKind::ListBox)
            state.listTop[hit.control] += WheelRows(event);
        else
            wantY_ += WheelRows(event);
        return std::nullopt;
    }
    switch (hit.part) {
    case DialogHit::Part::None:
        return std::nullopt;
    case DialogHit::Part::MenuBox:
        return SystemMenu(window, deadline);
    case DialogHit::Part::CloseBox:
        return ui::Input::SysCommand(SC_CLOSE);
    default:
        break;
    }
    if (const int rows = ListScrollRows(hit.part, *control)) {
        state.listTop[hit.control] += rows;
        return std::nullopt;
    }
    return ClickControl(*control, hit, event.mouse, state);
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
        if (event->key == Key::Escape) {
            *moveX = fromX;
            *moveY = fromY;
        }
        done = event->key == Key::Enter || event->key == Key::Escape;
        if (!done && !MoveByArrow(event->key, moveX, moveY))
            ScrollKey(*event);
    }
    moving_ = false;
    return onTime;
}

bool TerminalDriver::MoveByArrow(Key key, int *moveX, int *moveY) const {
    const Rect frame = screen_.box                     ? screen_.box->frame.frame
                       : screen_.dialogFrames.empty() ? Rect{}
                                                      : screen_.dialogFrames.back().frame;
    const View &view = screen_.view;
    switch (key) {
    case Key::Left:
        *moveX -= frame.x > 0;
        return true;
    case Key::Right:
        *moveX += frame.Right() < view.cols;
        return true;
    case Key::Up:
        *moveY -= frame.y > 0;
        return true;
    case Key::Down:
        *moveY += frame.Bottom() < view.rows;
        return true;
    default:
        return false;
    }
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
        const MenuChoice choice = MenuKey(items, *event);
        if (choice.close)
            break;
        if (choice.pick < 0)
            continue;
        if (items[static_cast<std::size_t>(choice.pick)].enabled) {
            result = choice.pick;
            break;
        }
        menuSelected_ = choice.pick;
        term::Beep();
    }
    menu_ = nullptr;
    menuSelected_ = -1;
    return result;
}

TerminalDriver::MenuChoice TerminalDriver::MenuKey(const MenuItems &items, const KeyEvent &event) {
    MenuChoice choice;
    switch (event.key) {
    case Key::Up:
    case Key::Down:
        menuSelected_ = NextMenuItem(items, menuSelected_, event.key == Key::Up);
        break;
    case Key::Home:
    case Key::End:
        menuSelected_ = NextMenuItem(items, -1, event.key == Key::End);
        break;
    case Key::Escape:
    case Key::AltSpace:
        choice.close = true;
        break;
    case Key::Enter:
        choice.pick = menuSelected_;
        break;
    case Key::Char:
    case Key::AltChar:
        choice.pick = MenuMnemonic(items, LowerCase(event.ch));
        if (choice.pick < 0)
            term::Beep();
        break;
    case Key::Mouse:
        if (IsClick(event)) {
            choice.pick = MenuHit(screen_.menu, items, event.x, event.y);
            choice.close = choice.pick < 0 && !screen_.menu.box.Contains(event.x, event.y);
        }
        break;
    case Key::Resize:
    case Key::Redraw:
        ScrollKey(event);
        break;
    default:
        break;
    }
    return choice;
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
    if (event.key == Key::Mouse)
        return BoxMouse(event);
    const BoxKeyOutcome out = HandleMessageBoxKey(screen_.box->buttons, &boxFocus_, event);
    if (out.beep)
        term::Beep();
    return out.openMenu ? BoxMenu() : out.answer;
}

int TerminalDriver::BoxMouse(const KeyEvent &event) {
    if (IsWheel(event)) {
        wantY_ += WheelRows(event);
        return 0;
    }
    const MessageBoxLayout &box = *screen_.box;
    const int x = screen_.view.SceneX(event.x), y = screen_.view.SceneY(event.y);
    for (std::size_t i = 0; i < box.buttons.size(); ++i)
        if (box.buttonCells[i].Contains(x, y))
            return box.buttons[i];
    if (box.frame.CloseBox().Contains(x, y))
        return CloseBoxAnswer(box.buttons);
    if (box.frame.MenuBox().Contains(x, y))
        return BoxMenu();
    return 0;
}

int TerminalDriver::BoxMenu() {
    const int closeAnswer = MessageBoxCloseAnswer(screen_.box->buttons);
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
