#include "platform/tui/terminal.h"

#include "platform/tui/curses_style.h"
#include "platform/tui/restore.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <langinfo.h>
#include <term.h>
#include <unistd.h>

namespace tui::term {

namespace {

SCREEN *g_screen = nullptr;
bool g_active = false;
bool g_unicode = false;
FILE *g_in = nullptr;
FILE *g_out = nullptr;

// The program's own standard streams when they are the terminal, else the
// controlling terminal itself (output piped to a file, say).
bool OpenStreams() {
    if (g_in)
        return true;
    if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO)) {
        g_in = stdin;
        g_out = stdout;
        return true;
    }
    FILE *tty = std::fopen("/dev/tty", "r+");
    if (!tty)
        return false;
    g_in = g_out = tty;
    return true;
}

std::string Capability(const char *name) {
    const char *value = tigetstr(name);
    return value && value != reinterpret_cast<const char *>(-1) ? value : "";
}

// F4 with Alt held, as xterm and its kind report it (the 49th to 60th
// function keys are F1 to F12 with Alt).
constexpr int kAltF4 = KEY_F(52);

void Setup() {
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    curs_set(0);
    set_escdelay(25); // Escape alone, or the start of Alt+key: decided quickly
    // Terminals whose description lacks the key (tmux's, screen's) still send it.
    define_key("\033[1;3S", kAltF4);
    InitPalette();
    std::string restore = Capability("sgr0") + Capability("cnorm") + Capability("rmkx");
    if (mousemask(BUTTON1_CLICKED | BUTTON1_DOUBLE_CLICKED | BUTTON4_PRESSED | BUTTON5_PRESSED,
                  nullptr) != 0)
        restore += "\033[?1000l\033[?1002l\033[?1006l";
    restore += Capability("rmcup");
    SetRestoreSequence(restore.c_str());
}

void LeaveAtExit() {
    Leave();
}

std::optional<KeyEvent> MouseEvent() {
    MEVENT m{};
    if (getmouse(&m) != OK)
        return std::nullopt;
    KeyEvent e{Key::Mouse, 0, MouseAction::Click, m.x, m.y};
    if (m.bstate & BUTTON1_DOUBLE_CLICKED)
        e.mouse = MouseAction::DoubleClick;
    else if (m.bstate & BUTTON1_CLICKED)
        e.mouse = MouseAction::Click;
    else if (m.bstate & BUTTON4_PRESSED)
        e.mouse = MouseAction::WheelUp;
    else if (m.bstate & BUTTON5_PRESSED)
        e.mouse = MouseAction::WheelDown;
    else
        return std::nullopt;
    return e;
}

// After ESC: the key sent with it makes Alt+key; nothing makes Escape.
KeyEvent AfterEscape() {
    wtimeout(stdscr, 0);
    const int next = wgetch(stdscr);
    if (next == ' ')
        return {Key::AltSpace};
    if (next == KEY_F(4) || next == kAltF4)
        return {Key::AltF4};
    if (next > ' ' && next < 0x7F)
        return {Key::AltChar, static_cast<char>(next)};
    if (next != ERR)
        ungetch(next);
    return {Key::Escape};
}

std::optional<KeyEvent> Translate(int ch) {
    switch (ch) {
    case 27:
        return AfterEscape();
    case '\t':
        return KeyEvent{Key::Tab};
    case KEY_BTAB:
        return KeyEvent{Key::BackTab};
    case '\n':
    case '\r':
    case KEY_ENTER:
        return KeyEvent{Key::Enter};
    case KEY_UP:
        return KeyEvent{Key::Up};
    case KEY_DOWN:
        return KeyEvent{Key::Down};
    case KEY_LEFT:
        return KeyEvent{Key::Left};
    case KEY_RIGHT:
        return KeyEvent{Key::Right};
    case KEY_HOME:
        return KeyEvent{Key::Home};
    case KEY_END:
        return KeyEvent{Key::End};
    case KEY_PPAGE:
        return KeyEvent{Key::PageUp};
    case KEY_NPAGE:
        return KeyEvent{Key::PageDown};
    case KEY_SPREVIOUS:
        return KeyEvent{Key::ShiftPageUp};
    case KEY_SNEXT:
        return KeyEvent{Key::ShiftPageDown};
    case KEY_SLEFT:
        return KeyEvent{Key::ShiftLeft};
    case KEY_SRIGHT:
        return KeyEvent{Key::ShiftRight};
    case kAltF4:
        return KeyEvent{Key::AltF4};
    case 12: // Ctrl+L
        return KeyEvent{Key::Redraw};
    case KEY_RESIZE:
        return KeyEvent{Key::Resize};
    case KEY_MOUSE:
        return MouseEvent();
    default:
        if (ch >= ' ' && ch < 0x7F)
            return KeyEvent{Key::Char, static_cast<char>(ch)};
        return std::nullopt;
    }
}

} // namespace

bool Usable() {
    if (!OpenStreams())
        return false;
    const char *name = std::getenv("TERM");
    int error = 0;
    if (!name || !*name || setupterm(name, fileno(g_out), &error) != OK)
        return false;
    del_curterm(cur_term);
    return true;
}

bool Enter() {
    if (g_active)
        return true;
    if (!g_screen) {
        if (!OpenStreams())
            return false;
        // Only the character type: number formatting stays as the C runtime's.
        std::setlocale(LC_CTYPE, "");
        g_unicode = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
        // Before curses starts, so that its own handlers do not replace ours.
        PrepareSignalRestore(fileno(g_out));
        g_screen = newterm(nullptr, g_out, g_in);
        if (!g_screen)
            return false;
        set_term(g_screen);
        Setup();
        std::atexit(LeaveAtExit);
    } else {
        reset_prog_mode(); // back from Leave: the next refresh redraws all
        clearok(curscr, TRUE);
    }
    g_active = true;
    SetRestoreArmed(true);
    return true;
}

void Leave() {
    if (!g_active)
        return;
    SetRestoreArmed(false);
    g_active = false;
    endwin();
}

Size ScreenSize() {
    return {getmaxx(stdscr), getmaxy(stdscr)};
}

void Show(const Canvas &screen) {
    const Size size = ScreenSize();
    for (int y = 0; y < size.h && y < screen.Height(); ++y) {
        for (int x = 0; x < size.w && x < screen.Width(); ++x) {
            const Cell &cell = screen.At(x, y);
            const attr_t attrs = CellAttributes(cell);
            if (g_unicode) {
                const wchar_t text[2] = {static_cast<wchar_t>(cell.ch), L'\0'};
                cchar_t wide{};
                setcchar(&wide, text, attrs & ~A_COLOR, static_cast<short>(PAIR_NUMBER(attrs)),
                         nullptr);
                mvwadd_wch(stdscr, y, x, &wide);
            } else {
                mvwaddch(stdscr, y, x, NarrowGlyph(cell) | attrs);
            }
        }
    }
    wnoutrefresh(stdscr);
    doupdate();
}

std::optional<KeyEvent> Read(const Deadline &deadline) {
    using Clock = std::chrono::steady_clock;
    for (;;) {
        int wait = -1;
        if (deadline) {
            // Whole milliseconds, rounded up: a wait rounded down would wake
            // before the deadline, find no key and come back at once.
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
            wait = static_cast<int>(std::clamp<long long>(left.count(), 0, INT_MAX));
        }
        wtimeout(stdscr, wait);
        errno = 0;
        const int ch = wgetch(stdscr);
        if (ch == ERR) {
            if (deadline && Clock::now() >= *deadline)
                return std::nullopt;
            if (!deadline && errno != EINTR)
                return KeyEvent{Key::Lost}; // no wait and no key: the input has ended
            continue;                       // interrupted by a signal
        }
        if (auto event = Translate(ch))
            return event;
    }
}

void Repaint() {
    clearok(curscr, TRUE);
}

void Beep() {
    beep();
}

} // namespace tui::term
