// The state of a dialog window of the in-process window manager: what the
// Win32 calls of the dialog code change and what a renderer draws. Renderers
// read it through const references; only the window manager changes it.
#pragma once

#include "platform/api.h"
#include "res/templates.h"

#include <cstddef>
#include <string>
#include <vector>

class CDialog;

namespace ui {

enum class ControlKind {
    PushButton,  // BS_PUSHBUTTON, BS_DEFPUSHBUTTON
    CheckBox,    // BS_CHECKBOX, BS_AUTOCHECKBOX
    RadioButton, // BS_RADIOBUTTON, BS_AUTORADIOBUTTON
    GroupBox,    // BS_GROUPBOX
    ListBox,
    Text, // STATIC other than an icon
    Icon, // STATIC with SS_ICON; its text is the icon's id
    Other,
};

struct Control {
    int id = 0;      // as in the template: 65535 (or -1) for controls nothing addresses
    std::string cls; // "BUTTON", "LISTBOX", "STATIC"
    std::uint32_t style = 0;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units, relative to the client area
    std::string text;
    std::vector<std::string> items; // list box entries in list order
    int selection = LB_ERR;         // list box: selected entry or LB_ERR
    UINT check = BST_UNCHECKED;     // check and radio buttons
    bool redraw = true;             // WM_SETREDRAW; a renderer may skip drawing while off
    HWND handle = nullptr;          // what GetDlgItem returns

    ControlKind Kind() const;
    bool Enabled() const { return (style & WS_DISABLED) == 0; }
    bool Visible() const { return (style & WS_VISIBLE) != 0; }
    // A check box or radio button: it has a check state.
    bool HasCheck() const;
    // WORD-sized id, so 65535 and -1 compare equal as they do on Windows.
    bool HasId(int wanted) const;
};

struct MenuItem {
    UINT flags = MF_STRING; // MF_STRING or MF_SEPARATOR
    UINT_PTR id = 0;        // the WM_SYSCOMMAND command of a string item
    std::string text;       // with '&' before the mnemonic, as Windows keeps it
    bool enabled = true;
};

struct Window {
    HWND handle = nullptr;
    res::DialogTemplate tmpl; // the template the window was made from
    CDialog *dialog = nullptr;
    HWND owner = nullptr;          // the parent given to the dialog, or none
    std::string title;             // starts as the template's caption
    std::vector<Control> controls; // template order

    bool hasSystemMenu = false; // the template has WS_SYSMENU
    HMENU systemMenuHandle = nullptr;
    std::vector<MenuItem> systemMenu; // the standard items, then those appended

    HICON bigIcon = nullptr; // WM_SETICON
    HICON smallIcon = nullptr;
    bool iconic = false;    // minimised through SC_MINIMIZE
    bool needsPaint = true; // WM_PAINT is due before the next input

    int TemplateId() const { return tmpl.id; }
    // EndDialog was called: the window still exists (its handler is running)
    // but is no longer shown.
    bool Hidden() const;
    const Control *FindControl(int id) const;
    Control *FindControl(int id);
};

// The control group of controls[index]: from the nearest control at or before
// it with WS_GROUP (or the first control) to the next control with WS_GROUP.
// Automatic radio buttons clear each other within a group; arrow keys move
// within it.
struct GroupBounds {
    std::size_t first;
    std::size_t end; // one past the last
};
GroupBounds ControlGroup(const Window &window, std::size_t index);

// Open dialog windows, bottom to top (the last one is the active one).
const std::vector<const Window *> &OpenWindows();

} // namespace ui
