// What the window manager asks of a user interface: the one person in front
// of the program. The modal loop of CDialog::DoModal and MessageBoxA are the
// only callers. Two drivers exist: the terminal renderer (platform/tui, real
// time) and the response-file driver (platform/script, virtual time).
//
// Calls, in the order a modal run makes them:
//   DialogOpened(w)          once, after WM_INITDIALOG has run (title, lists
//                            and checks are filled);
//   NextInput(w, untilTimer) each time the dialog waits; w is the active
//                            (topmost) window, OpenWindows() lists the others;
//   InputRejected(w, in, why) when the input does not fit the window (a click
//                            on a missing or disabled control, an entry past
//                            a list's end, a command not in the system menu);
//   DialogClosed(w, result)  once, when the modal loop has stopped, before
//                            WM_DESTROY; the window is still readable.
// ShowMessageBox may come at any time, also nested in a handler while a
// dialog is open (its owner is then usually that dialog) or with no dialog
// at all. A dialog opened from a handler nests the same way: DialogOpened of
// the inner window comes while the outer one waits, and NextInput is then
// asked for the inner window until it closes.
//
// Time. The modal loop owns the window timers and a clock of its own that
// moves only by the `elapsed` of the inputs it is given, at the resolution of
// the monotonic clock (Duration): nothing is rounded on the way, so a tick
// falls due exactly when its time has passed. untilNextTimer is the
// time until the next timer of any open window is due (none: no timer). The
// loop first moves its clock by input.elapsed, firing every timer that falls
// due on the way in order (a 900 ms timer fires 4 times in 3600 ms), then acts
// on the input. So:
//   - a driver in virtual time (script) returns TimePassed with the time the
//     script waits, and elapsed 0 with every other input;
//   - a driver in real time (terminal) blocks until a key comes or
//     untilNextTimer has passed, whichever is first (never less: a wait cut
//     short would return before the tick and be asked again at once), and
//     sets elapsed to the real time spent waiting on every input; when the
//     wait times out it returns TimePassed.
// Timers do not run while a message box is showing (ShowMessageBox returns
// only the answer).
//
// Keys are the driver's own affair: a terminal renderer turns Enter into
// Click(IDOK), Escape into Click(IDCANCEL), arrow keys into Select, and so on.
// Click(IDCANCEL) is always accepted: it is Escape or the close box, also
// without a Cancel button.
//
// The transcript (VELTRIN_TRANSCRIPT) is written by the window manager, not by
// the drivers, so it records terminal runs as well as scripted ones.
#pragma once

#include "platform/api.h"
#include "platform/framework/message_box_buttons.h"
#include "platform/user32/window.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// The modal loop's unit of time: the monotonic clock's own resolution.
using Duration = std::chrono::steady_clock::duration;

struct MessageBoxRequest {
    const Window *owner = nullptr; // the owner dialog's window, or none
    std::string caption;           // "Error" when the caller gave none
    std::string text;
    UINT style = MB_OK; // MB_OK, MB_OKCANCEL, MB_YESNO, ... | MB_ICONHAND

    int OwnerTemplateId() const { return owner ? owner->TemplateId() : 0; }
};

struct Input {
    enum class Kind {
        Click,       // id: a button, radio or check button; IDCANCEL also without a control
        Select,      // id, index: the user selects entry `index` (from 0) of list box `id`
        DoubleClick, // id, index: selects the entry, then double-clicks it
        SysCommand,  // command: a system-menu item's command (SC_CLOSE, IDM_... appended)
        TimePassed,  // only `elapsed` matters
    };
    Kind kind = Kind::TimePassed;
    int id = 0;
    int index = 0;
    UINT command = 0;
    Duration elapsed{0}; // time that passed before this input

    static Input Click(int control) { return {Kind::Click, control, 0, 0, {}}; }
    static Input Select(int list, int entry) { return {Kind::Select, list, entry, 0, {}}; }
    static Input DoubleClick(int list, int entry) {
        return {Kind::DoubleClick, list, entry, 0, {}};
    }
    static Input SysCommand(UINT cmd) { return {Kind::SysCommand, 0, 0, cmd, {}}; }
    static Input TimePassed(Duration time) { return {Kind::TimePassed, 0, 0, 0, time}; }
};

class Driver {
  public:
    virtual ~Driver() = default;
    // Shows a message box and returns the button chosen: one of
    // MessageBoxButtons(request.style).
    virtual int ShowMessageBox(const MessageBoxRequest &request) = 0;
    virtual void DialogOpened(const Window &window) = 0;
    virtual Input NextInput(const Window &active, std::optional<Duration> untilNextTimer) = 0;
    // The input was not applied; the loop asks again. A terminal beeps; the
    // script driver stops the program (a script error).
    virtual void InputRejected(const Window &active, const Input &input,
                               const std::string &reason) = 0;
    virtual void DialogClosed(const Window &window, int result) = 0;
};

// The driver of this process: chosen once by AfxWinMain (or by a test).
void SetDriver(std::unique_ptr<Driver> driver);
Driver &CurrentDriver();

// The terminal renderer registers its factory here (vp_ui does not link
// against it); AfxWinMain calls it when the terminal is to be used. The
// factory may return null when the terminal cannot be used.
using DriverFactory = std::unique_ptr<Driver> (*)();
void SetTerminalDriverFactory(DriverFactory factory);
DriverFactory TerminalDriverFactory();

} // namespace ui
