// The keyboard of the dialogs and message boxes, as Windows reads it.
#include "platform/framework/message_box_buttons.h"
#include "platform/tui/dialog_keys.h"
#include "platform/tui/dialog_nav.h"
#include "platform/tui/menu_view.h"
#include "platform/tui/message_box_keys.h"
#include "platform/tui/message_box_view.h"
#include "tests/unit/tui/tui_fixture.h"

#include <gtest/gtest.h>

namespace {

using tui::Key;
using tuitest::IndexOf;
using tuitest::TemplateWindow;

tui::KeyEvent Press(Key key, char ch = 0) {
    return {key, ch};
}

void ExpectInput(const tui::KeyOutcome &out, ui::Input::Kind kind, int id, int index = 0) {
    ASSERT_TRUE(out.input.has_value());
    EXPECT_EQ(out.input->kind, kind);
    EXPECT_EQ(out.input->id, id);
    EXPECT_EQ(out.input->index, index);
}

TEST(DialogKeys, TabVisitsTheTabStopsInTemplateOrderBothWays) {
    TemplateWindow made(IDD_SHARING_DIALOG);
    const ui::Window &window = made.window;
    tui::DialogState state;
    state.focus = tui::FirstFocus(window);
    const int order[] = {IDOK,
                         IDC_SHARE_DRIVE,
                         IDC_UNSHARE_DRIVE,
                         IDC_LOCAL_DRIVES,
                         IDC_SHARED_DRIVES,
                         IDC_SHARE_PRINTER,
                         IDC_UNSHARE_PRINTER,
                         IDC_LOCAL_PRINTERS,
                         IDC_SHARED_PRINTERS};
    for (int id : order) {
        EXPECT_EQ(state.focus, IndexOf(window, id));
        EXPECT_FALSE(tui::HandleDialogKey(window, state, Press(Key::Tab)).input);
    }
    EXPECT_EQ(state.focus, IndexOf(window, IDOK)); // round again
    tui::HandleDialogKey(window, state, Press(Key::BackTab));
    EXPECT_EQ(state.focus, IndexOf(window, IDC_SHARED_PRINTERS));
}

TEST(DialogKeys, RoleDialogRadiosAreReachedByArrowsAndClickedOnArrival) {
    TemplateWindow made(IDD_ROLE_DIALOG);
    ui::Window &window = made.window;
    tuitest::Control(window, IDC_CLIENT).check = BST_CHECKED;
    tui::DialogState state;
    state.focus = tui::FirstFocus(window);
    ASSERT_EQ(state.focus, IndexOf(window, IDOK));

    tui::HandleDialogKey(window, state, Press(Key::Tab)); // OK is the only tab stop
    EXPECT_EQ(state.focus, IndexOf(window, IDOK));

    // Down from OK reaches Gateway/Server (next in the group) and clicks it.
    tui::KeyOutcome out = tui::HandleDialogKey(window, state, Press(Key::Down));
    EXPECT_EQ(state.focus, IndexOf(window, IDC_GATEWAY));
    ExpectInput(out, ui::Input::Kind::Click, IDC_GATEWAY);

    // Up from OK wraps to Client, which is checked already: no click.
    state.focus = IndexOf(window, IDOK);
    out = tui::HandleDialogKey(window, state, Press(Key::Up));
    EXPECT_EQ(state.focus, IndexOf(window, IDC_CLIENT));
    EXPECT_FALSE(out.input);

    // Space presses the focused radio button again.
    ExpectInput(tui::HandleDialogKey(window, state, Press(Key::Char, ' ')), ui::Input::Kind::Click,
                IDC_CLIENT);
}

TEST(DialogKeys, EnterEscapeAndAltSpaceWhereverTheFocusIs) {
    TemplateWindow made(IDD_SHARING_DIALOG);
    ui::Window &window = made.window;
    tui::DialogState state;
    state.focus = IndexOf(window, IDC_LOCAL_DRIVES);
    ExpectInput(tui::HandleDialogKey(window, state, Press(Key::Enter)), ui::Input::Kind::Click,
                IDOK); // a list's Enter is the default button's
    state.focus = IndexOf(window, IDC_SHARE_DRIVE);
    ExpectInput(tui::HandleDialogKey(window, state, Press(Key::Enter)), ui::Input::Kind::Click,
                IDC_SHARE_DRIVE); // a focused push button is the default one
    ExpectInput(tui::HandleDialogKey(window, state, Press(Key::Escape)), ui::Input::Kind::Click,
                IDCANCEL);
    window.hasSystemMenu = true;
    EXPECT_TRUE(tui::HandleDialogKey(window, state, Press(Key::AltSpace)).openMenu);

    // The restart notice has no button at all: Enter still means IDOK.
    TemplateWindow madeNotice(IDD_REBOOT_DIALOG);
    const ui::Window &notice = madeNotice.window;
    tui::DialogState none;
    none.focus = tui::FirstFocus(notice);
    EXPECT_EQ(none.focus, -1);
    ExpectInput(tui::HandleDialogKey(notice, none, Press(Key::Enter)), ui::Input::Kind::Click,
                IDOK);
}

TEST(DialogKeys, ArrowKeysInAListSelect) {
    TemplateWindow made(IDD_SHARING_DIALOG);
    ui::Window &window = made.window;
    ui::Control &list = tuitest::Control(window, IDC_LOCAL_DRIVES);
    list.items = {"[-A-DRIVE]", "[-C-DRIVE]", "[-D-DRIVE]"};
    tui::DialogState state;
    state.focus = IndexOf(window, IDC_LOCAL_DRIVES);

    // Nothing selected: the first move selects the entry with the focus mark.
    ExpectInput(tui::HandleDialogKey(window, state, Press(Key::Down)), ui::Input::Kind::Select,
                IDC_LOCAL_DRIVES, 0);
    list.selection = 0;
    ExpectInput(tui::HandleDialogKey(window, state, Press(Key::Down)), ui::Input::Kind::Select,
                IDC_LOCAL_DRIVES, 1);
    list.selection = 1;
    ExpectInput(tui::HandleDialogKey(window, state, Press(Key::End)), ui::Input::Kind::Select,
                IDC_LOCAL_DRIVES, 2);
    list.selection = 2;
    EXPECT_FALSE(tui::HandleDialogKey(window, state, Press(Key::Down)).input); // at the end
    EXPECT_FALSE(tui::HandleDialogKey(window, state, Press(Key::Char, 'x')).input);
    EXPECT_EQ(state.focus, IndexOf(window, IDC_LOCAL_DRIVES)); // arrows stay in the list
}

TEST(DialogKeys, ListKeyTargets) {
    struct Case {
        Key key;
        int from;
        bool selected;
        int count, page;
        int target;
    };
    const Case cases[] = {
        {Key::Up, 0, true, 5, 3, 0},        {Key::Down, 4, true, 5, 3, 4},
        {Key::PageDown, 0, true, 10, 5, 4}, {Key::PageUp, 9, true, 10, 5, 5},
        {Key::Home, 3, true, 5, 3, 0},      {Key::End, 0, false, 5, 3, 4},
        {Key::Up, 2, false, 5, 3, 2},       {Key::Down, 0, true, 0, 3, -1},
        {Key::Tab, 0, true, 5, 3, -1},      {Key::Right, 1, true, 5, 3, 2},
    };
    for (const Case &c : cases)
        EXPECT_EQ(tui::ListKeyTarget(c.key, c.from, c.selected, c.count, c.page), c.target)
            << static_cast<int>(c.key) << " from " << c.from;
}

TEST(DialogKeys, MnemonicsPressButtonsAndMenuItems) {
    TemplateWindow made(IDD_ROLE_DIALOG);
    ui::Window &window = made.window;
    tuitest::Control(window, IDC_GATEWAY).text = "&Gateway/Server";
    tui::DialogState state;
    state.focus = IndexOf(window, IDOK);
    const tui::KeyOutcome out = tui::HandleDialogKey(window, state, Press(Key::AltChar, 'G'));
    ExpectInput(out, ui::Input::Kind::Click, IDC_GATEWAY);
    EXPECT_EQ(state.focus, IndexOf(window, IDC_GATEWAY));
    EXPECT_TRUE(tui::HandleDialogKey(window, state, Press(Key::AltChar, 'q')).beep);

    const tui::MenuItems menu = {{MF_STRING, SC_RESTORE, "&Restore", false},
                                 {MF_SEPARATOR, 0, "", true},
                                 {MF_STRING, IDM_ABOUTBOX, "&About velpasto...", true}};
    EXPECT_EQ(tui::MenuMnemonic(menu, 'a'), 2);
    EXPECT_EQ(tui::NextMenuItem(menu, 0, false), 2); // over the separator
    EXPECT_EQ(tui::NextMenuItem(menu, 0, true), 2);  // wrapping
}

TEST(DialogKeys, AltF4ClosesAsTheCloseBoxDoes) {
    TemplateWindow made(IDD_REBOOT_DIALOG);
    ui::Window &window = made.window;
    tui::DialogState state;
    const tui::KeyOutcome out = tui::HandleDialogKey(window, state, Press(Key::AltF4));
    ASSERT_TRUE(out.input.has_value());
    EXPECT_EQ(out.input->kind, ui::Input::Kind::SysCommand);
    EXPECT_EQ(out.input->command, static_cast<UINT>(SC_CLOSE));
    // Without a system menu there is no SC_CLOSE to send: Cancel it is.
    window.hasSystemMenu = false;
    ExpectInput(tui::HandleDialogKey(window, state, Press(Key::AltF4)), ui::Input::Kind::Click,
                IDCANCEL);
}

// The menu of a dialog frame without minimise or maximise box, as Windows
// shows it: Move and Close.
TEST(DialogKeys, SystemMenuOffersMoveAndClose) {
    for (int id : {IDD_ABOUTBOX, IDD_SHARING_DIALOG, IDD_ROLE_DIALOG, IDD_REBOOT_DIALOG}) {
        TemplateWindow made(id);
        ASSERT_TRUE(made.window.hasSystemMenu) << id;
        ASSERT_EQ(made.window.systemMenu.size(), 2u) << id;
        EXPECT_EQ(made.window.systemMenu[0].id, static_cast<UINT_PTR>(SC_MOVE));
        EXPECT_EQ(made.window.systemMenu[1].id, static_cast<UINT_PTR>(SC_CLOSE));
        EXPECT_EQ(made.window.systemMenu[1].text, "&Close\tAlt+F4");
    }
}

TEST(MessageBox, ButtonsEscapeAndLayoutByStyle) {
    struct Case {
        UINT style;
        std::vector<int> buttons;
        int close;
    };
    const Case cases[] = {{MB_OK, {IDOK}, IDOK},
                          {MB_OKCANCEL, {IDOK, IDCANCEL}, IDCANCEL},
                          {MB_YESNO | MB_ICONHAND, {IDYES, IDNO}, 0}};
    for (const Case &c : cases) {
        ui::MessageBoxRequest request;
        request.caption = "Reminder";
        request.text = std::string(150, 'x').replace(70, 1, " ");
        request.style = c.style;
        const tui::MessageBoxLayout layout = tui::LayoutMessageBox(request, 80, 24);
        EXPECT_EQ(layout.buttons, c.buttons);
        EXPECT_EQ(tui::MessageBoxCloseAnswer(layout.buttons), c.close);
        EXPECT_EQ(layout.hand, (c.style & MB_ICONHAND) != 0);
        EXPECT_LE(layout.frame.frame.Right(), 80);
        EXPECT_LE(layout.frame.frame.Bottom(), 24);
        EXPECT_GT(layout.lines.size(), 1u);
        for (const tui::Rect &cell : layout.buttonCells)
            EXPECT_TRUE(layout.frame.client.Contains(cell.x, cell.y));
    }
}

TEST(MessageBox, KeysGoRoundTheButtonsAndChooseOne) {
    struct Case {
        UINT style;
        int focus;
        tui::KeyEvent event;
        int answer, focusAfter;
        bool beep;
    };
    const Case cases[] = {
        {MB_OKCANCEL, 0, Press(Key::Tab), 0, 1, false},
        {MB_OKCANCEL, 1, Press(Key::Down), 0, 0, false}, // round again
        {MB_OKCANCEL, 0, Press(Key::BackTab), 0, 1, false},
        {MB_OKCANCEL, 1, Press(Key::Left), 0, 0, false},
        {MB_OKCANCEL, 1, Press(Key::Enter), IDCANCEL, 1, false},
        {MB_OKCANCEL, 0, Press(Key::Char, ' '), IDOK, 0, false},
        {MB_OKCANCEL, 0, Press(Key::Escape), IDCANCEL, 0, false},
        {MB_OK, 0, Press(Key::AltF4), IDOK, 0, false},
        {MB_YESNO, 0, Press(Key::Escape), 0, 0, true}, // no Cancel to give
        {MB_YESNO, 0, Press(Key::Char, 'n'), IDNO, 0, false},
        {MB_YESNO, 1, Press(Key::AltChar, 'Y'), IDYES, 1, false},
        {MB_YESNO, 0, Press(Key::Char, 'c'), 0, 0, true},
        {MB_YESNO, 0, Press(Key::Home), 0, 0, false},
    };
    for (const Case &c : cases) {
        int focus = c.focus;
        const tui::BoxKeyOutcome out =
            tui::HandleMessageBoxKey(ui::MessageBoxButtons(c.style), &focus, c.event);
        const std::string what = "style " + std::to_string(c.style) + " key " +
                                 std::to_string(static_cast<int>(c.event.key));
        EXPECT_EQ(out.answer, c.answer) << what;
        EXPECT_EQ(focus, c.focusAfter) << what;
        EXPECT_EQ(out.beep, c.beep) << what;
        EXPECT_FALSE(out.openMenu) << what;
    }
    int focus = 0;
    EXPECT_TRUE(tui::HandleMessageBoxKey({IDYES, IDNO}, &focus, Press(Key::AltSpace)).openMenu);
}

} // namespace
