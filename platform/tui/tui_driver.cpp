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
        DialogState &state = m_states[window->handle];
        SettleListTops(*window, state);
        request.dialogs.push_back({window, &state});
    }
    request.box = m_box;
    request.boxFocus = m_boxFocus;
    request.boxMoveX = m_boxMoveX;
    request.boxMoveY = m_boxMoveY;
    request.wantX = m_wantX;
    request.wantY = m_wantY;
    request.revealFocus = m_revealFocus;
    request.menu = m_menu;
    request.menuSelected = m_menuSelected;
    request.moving = m_moving;
    m_screen = ComposeScreen(request);
    if (m_screen.view.cols > 0) { // the windows were drawn, not the size note
        m_wantX = m_screen.view.x0;
        m_wantY = m_screen.view.y0;
        m_revealFocus = false;
    }
    term::Show(m_screen.canvas);
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
    const View &view = m_screen.view;
    const int page = std::max(view.ContentRows() - 2, 1);
    switch (event.key) {
    case Key::PageUp:
    case Key::PageDown:
        if (!view.hint)
            return false; // the whole window shows: the key is the focused list's
        [[fallthrough]];
    case Key::ShiftPageUp:
    case Key::ShiftPageDown:
        m_wantY += (event.key == Key::PageUp || event.key == Key::ShiftPageUp) ? -page : page;
        return true;
    case Key::ShiftLeft:
    case Key::ShiftRight:
        m_wantX += (event.key == Key::ShiftLeft ? -1 : 1) * std::max(view.cols / 2, 1);
        return true;
    case Key::Redraw:
        term::Repaint();
        return true;
    case Key::Resize:
        m_revealFocus = true;
        return true;
    case Key::Mouse:
        if (view.hint && event.y == view.rows - 1 && IsClick(event)) {
            m_wantY += event.x < view.cols / 2 ? -page : page; // the hint line's halves
            return true;
        }
        return false;
    default:
        return false;
    }
}

ui::Input TerminalDriver::NextInput(const ui::Window &active,
                                    std::optional<ui::Duration> untilNextTimer) {
    m_states.try_emplace(active.handle, FreshState(active));
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
    const KeyOutcome out = HandleDialogKey(window, m_states[window.handle], event);
    if (out.beep)
        term::Beep();
    if (out.focusMoved) {
        m_states[window.handle].showTop = false;
        m_revealFocus = true;
    }
    if (out.openMenu)
        return SystemMenu(window, deadline);
    return out.input;
}

std::optional<ui::Input> TerminalDriver::DialogMouse(const ui::Window &window,
                                                     const KeyEvent &event,
                                                     const Deadline &deadline) {
    if (m_screen.dialogFrames.empty())
        return std::nullopt;
    DialogState &state = m_states[window.handle];
    const View &view = m_screen.view;
    const DialogHit hit = HitDialog(window, m_screen.dialogFrames.back(), state,
                                    view.SceneX(event.x), view.SceneY(event.y));
    const ui::Control *control =
        hit.control >= 0 ? &window.controls[static_cast<std::size_t>(hit.control)] : nullptr;
    if (IsWheel(event)) {
        // A list box under the pointer scrolls, else the view does.
        if (control && control->Kind() == ui::ControlKind::ListBox)
            state.listTop[hit.control] += WheelRows(event);
        else
            m_wantY += WheelRows(event);
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
    DialogState &state = m_states[window.handle];
    if (!MoveWindow(&state.moveX, &state.moveY, deadline))
        return ui::Input::TimePassed({});
    return ui::Input::SysCommand(SC_MOVE);
}

bool TerminalDriver::MoveWindow(int *moveX, int *moveY, const Deadline &deadline) {
    const int fromX = *moveX, fromY = *moveY;
    m_moving = true;
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
    m_moving = false;
    return onTime;
}

bool TerminalDriver::MoveByArrow(Key key, int *moveX, int *moveY) const {
    const Rect frame = m_screen.box                    ? m_screen.box->frame.frame
                       : m_screen.dialogFrames.empty() ? Rect{}
                                                       : m_screen.dialogFrames.back().frame;
    const View &view = m_screen.view;
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
    m_menu = &items;
    m_menuSelected = NextMenuItem(items, -1, false);
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
        m_menuSelected = choice.pick;
        term::Beep();
    }
    m_menu = nullptr;
    m_menuSelected = -1;
    return result;
}

TerminalDriver::MenuChoice TerminalDriver::MenuKey(const MenuItems &items, const KeyEvent &event) {
    MenuChoice choice;
    switch (event.key) {
    case Key::Up:
    case Key::Down:
        m_menuSelected = NextMenuItem(items, m_menuSelected, event.key == Key::Up);
        break;
    case Key::Home:
    case Key::End:
        m_menuSelected = NextMenuItem(items, -1, event.key == Key::End);
        break;
    case Key::Escape:
    case Key::AltSpace:
        choice.close = true;
        break;
    case Key::Enter:
        choice.pick = m_menuSelected;
        break;
    case Key::Char:
    case Key::AltChar:
        choice.pick = MenuMnemonic(items, LowerCase(event.ch));
        if (choice.pick < 0)
            term::Beep();
        break;
    case Key::Mouse:
        if (IsClick(event)) {
            choice.pick = MenuHit(m_screen.menu, items, event.x, event.y);
            choice.close = choice.pick < 0 && !m_screen.menu.box.Contains(event.x, event.y);
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
    m_box = &request;
    m_boxFocus = 0;
    m_boxMoveX = m_boxMoveY = 0;
    m_revealFocus = true;
    int answer = 0;
    while (answer == 0) {
        Render();
        if (const std::optional<KeyEvent> event = Read(std::nullopt))
            answer = MessageBoxEvent(*event);
    }
    m_box = nullptr;
    m_revealFocus = true;
    LeaveWhenNoWindow(nullptr);
    return answer;
}

int TerminalDriver::MessageBoxEvent(const KeyEvent &event) {
    if (ScrollKey(event) || !m_screen.box)
        return 0;
    if (event.key == Key::Mouse)
        return BoxMouse(event);
    const BoxKeyOutcome out = HandleMessageBoxKey(m_screen.box->buttons, &m_boxFocus, event);
    if (out.beep)
        term::Beep();
    return out.openMenu ? BoxMenu() : out.answer;
}

int TerminalDriver::BoxMouse(const KeyEvent &event) {
    if (IsWheel(event)) {
        m_wantY += WheelRows(event);
        return 0;
    }
    const MessageBoxLayout &box = *m_screen.box;
    const int x = m_screen.view.SceneX(event.x), y = m_screen.view.SceneY(event.y);
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
    const int closeAnswer = MessageBoxCloseAnswer(m_screen.box->buttons);
    const MenuItems items = {{MF_STRING, SC_MOVE, "&Move", true},
                             {MF_STRING, SC_CLOSE, "&Close\tAlt+F4", closeAnswer != 0}};
    bool timedOut = false;
    switch (RunMenu(items, std::nullopt, &timedOut)) {
    case 0:
        MoveWindow(&m_boxMoveX, &m_boxMoveY, std::nullopt);
        return 0;
    case 1:
        return closeAnswer;
    default:
        return 0;
    }
}

void TerminalDriver::DialogOpened(const ui::Window &window) {
    m_states[window.handle] = FreshState(window);
    m_wantX = 0;
    m_wantY = kTop;
    m_revealFocus = true;
}

void TerminalDriver::InputRejected(const ui::Window &, const ui::Input &, const std::string &) {
    term::Beep();
}

void TerminalDriver::DialogClosed(const ui::Window &window, int) {
    m_states.erase(window.handle);
    m_revealFocus = true;
    LeaveWhenNoWindow(&window);
}

void TerminalDriver::LeaveWhenNoWindow(const ui::Window *closing) {
    if (m_box)
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
