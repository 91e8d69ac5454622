// The whole screen on terminals of several sizes: the tall sharing dialog in
// 80 x 24 scrolls with its caption kept and a hint of what is out of sight,
// a message box stays over the dialog below it, the system menu hangs from
// the caption, the key line keeps the bottom row to itself and names only
// keys that work, a dialog opens at its top and a dialog moved from the
// keyboard stays on the screen.
#include "platform/tui/dialog_nav.h"
#include "platform/tui/screen_view.h"
#include "tests/unit/tui/tui_fixture.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using tuitest::TemplateWindow;

struct SharingScreen {
    TemplateWindow made{IDD_SHARING_DIALOG};
    ui::Window &window = made.window;
    tui::DialogState state;
    tui::ScreenRequest request;

    SharingScreen(int cols, int rows) {
        window.title = "Quorvane File and Printer Sharing Selection";
        state.focus = tui::FirstFocus(window);
        request.cols = cols;
        request.rows = rows;
        request.dialogs.push_back({&window, &state});
    }
    tui::Screen Compose() const { return tui::ComposeScreen(request); }
};

std::string Row(const tui::Screen &screen, int y) {
    return screen.canvas.Rows()[static_cast<std::size_t>(y)];
}

TEST(Screen, TallDialogKeepsItsCaptionAndEveryRowCanBeScrolledTo) {
    SharingScreen s(80, 24);
    std::set<int> seen;
    for (int want = -40; want <= 40; ++want) {
        s.request.wantY = want;
        const tui::Screen screen = s.Compose();
        ASSERT_TRUE(screen.view.pinned);
        EXPECT_NE(Row(screen, 0).find("Quorvane File and Printer"), std::string::npos);
        EXPECT_NE(Row(screen, 22).find("PgUp/PgDn"), std::string::npos) << Row(screen, 22);
        EXPECT_EQ(Row(screen, 23).rfind(" Tab next", 0), 0u) << Row(screen, 23);
        for (int y = 0; y < screen.view.ContentRows(); ++y)
            seen.insert(screen.view.SceneY(y));
    }
    const tui::Rect frame = s.Compose().view.active;
    EXPECT_EQ(frame.h, 31);
    for (int y = frame.y; y < frame.Bottom(); ++y)
        EXPECT_TRUE(seen.count(y)) << "row " << y << " never shows";
}

TEST(Screen, FocusedControlIsScrolledIntoView) {
    SharingScreen s(80, 24);
    s.request.wantY = -1000;
    EXPECT_NE(tuitest::Text(s.Compose().canvas).find("You can share"), std::string::npos);
    EXPECT_EQ(tuitest::Text(s.Compose().canvas).find("> OK <"), std::string::npos);
    s.request.revealFocus = true; // the focus is on OK, at the bottom
    const tui::Screen screen = s.Compose();
    EXPECT_NE(tuitest::Text(screen.canvas).find("> OK <"), std::string::npos);
    EXPECT_NE(tui::HintText(screen.view).find("above"), std::string::npos);
}

// A dialog opens at its top, where its text begins, wherever the view was
// and although its focus (OK) is at the bottom; once the person moves the
// focus the view follows it.
TEST(Screen, TallDialogOpensAtItsTopAndFollowsTheFocusOnceMoved) {
    for (const tui::Size size : {tui::Size{100, 30}, tui::Size{80, 24}}) {
        SharingScreen s(size.w, size.h);
        s.state.showTop = true;
        s.request.revealFocus = true;
        s.request.wantY = 1000;
        std::string all = tuitest::Text(s.Compose().canvas);
        EXPECT_NE(all.find("You can share the information"), std::string::npos) << all;
        EXPECT_NE(all.find("rows below"), std::string::npos) << all;
        s.state.showTop = false;
        all = tuitest::Text(s.Compose().canvas);
        EXPECT_NE(all.find("> OK <"), std::string::npos) << all;
        EXPECT_EQ(all.find("You can share the information"), std::string::npos) << all;
    }
}

TEST(Screen, LargeTerminalShowsTheWholeDialogCentredWithoutHint) {
    SharingScreen s(100, 40);
    const tui::Screen screen = s.Compose();
    EXPECT_FALSE(screen.view.hint);
    EXPECT_EQ(screen.view.active.x, (100 - 64) / 2);
    EXPECT_EQ(screen.view.active.y, (40 - 31) / 2);
    const std::string all = tuitest::Text(screen.canvas);
    EXPECT_NE(all.find("You can share"), std::string::npos);
    EXPECT_NE(all.find("> OK <"), std::string::npos);
}

TEST(Screen, NarrowTerminalScrollsSideways) {
    SharingScreen s(50, 40);
    s.request.revealFocus = true;
    const tui::Screen screen = s.Compose();
    EXPECT_TRUE(screen.view.hint);
    EXPECT_FALSE(screen.view.pinned);
    EXPECT_NE(tuitest::Text(screen.canvas).find("OK"), std::string::npos);
    EXPECT_NE(tui::HintText(screen.view).find("Shift+Left/Right"), std::string::npos);
}

TEST(Screen, MessageBoxShowsOverTheDialogBelow) {
    SharingScreen s(80, 40);
    ui::MessageBoxRequest box;
    box.caption = "Reminder";
    box.text = "Please make sure your Quorvane Phoneline Network Card Installation CD-ROM is "
               "properly inserted in your CD-ROM Drive.  Click YES to continue or NO to abort.";
    box.style = MB_YESNO;
    s.request.box = &box;
    const tui::Screen screen = s.Compose();
    const std::string all = tuitest::Text(screen.canvas);
    EXPECT_NE(all.find("Reminder"), std::string::npos);
    EXPECT_NE(all.find("> Yes <"), std::string::npos);
    EXPECT_NE(all.find("No"), std::string::npos);
    EXPECT_NE(all.find("Quorvane File and Printer"), std::string::npos) << "the dialog below went";
    // The dialog below is no longer the active one.
    EXPECT_EQ(
        screen.canvas.At(screen.dialogFrames[0].frame.x + 5, screen.dialogFrames[0].frame.y).paint,
        tui::Paint::CaptionIdle);
}

TEST(Screen, SystemMenuHangsUnderThePinnedCaption) {
    SharingScreen s(80, 24);
    s.window.systemMenu = {
        {MF_STRING, SC_MOVE, "&Move", true}, {MF_STRING, SC_SIZE, "&Size", false},
        {MF_SEPARATOR, 0, "", true},         {MF_STRING, SC_CLOSE, "&Close\tAlt+F4", true},
        {MF_SEPARATOR, 0, "", true},         {MF_STRING, IDM_ABOUTBOX, "&About velpasto...", true}};
    s.request.menu = &s.window.systemMenu;
    s.request.menuSelected = 0;
    s.request.wantY = 1000; // scrolled to the bottom: the caption is pinned on row 0
    const tui::Screen screen = s.Compose();
    EXPECT_EQ(screen.menu.box.y, 1);
    EXPECT_EQ(screen.menu.box.h, 8);
    EXPECT_NE(Row(screen, 5).find("Alt+F4"), std::string::npos) << Row(screen, 5);
    EXPECT_NE(Row(screen, 7).find("About velpasto..."), std::string::npos);
    EXPECT_EQ(screen.canvas.At(screen.menu.box.x + 2, 3).paint, tui::Paint::MenuGrey);
    EXPECT_EQ(tui::MenuHit(screen.menu, s.window.systemMenu, screen.menu.box.x + 3, 7), 5);
    EXPECT_EQ(tui::MenuHit(screen.menu, s.window.systemMenu, screen.menu.box.x + 3, 4), -1);
}

TEST(Screen, MinimisedDialogIsItsCaptionOnTheBottomRow) {
    SharingScreen s(80, 24);
    s.window.iconic = true;
    const tui::Screen screen = s.Compose();
    EXPECT_FALSE(screen.view.hint);
    EXPECT_NE(Row(screen, 22).find("[-]"), std::string::npos) << Row(screen, 22);
    EXPECT_EQ(tuitest::Text(screen.canvas).find("You can share"), std::string::npos);
    EXPECT_EQ(Row(screen, 23).find_first_not_of(' '), std::string::npos) << "no keys to tell";
}

// The key line names the keys of what has the focus, on a row of its own in
// the terminal's colours.
TEST(Screen, KeyLineFollowsTheFocusAndLeavesTheWindowsAlone) {
    SharingScreen s(100, 40);
    auto keyLine = [&s] {
        const tui::Screen screen = s.Compose();
        for (int x = 0; x < 100; ++x)
            EXPECT_EQ(screen.canvas.At(x, 39).paint, tui::Paint::KeyLine) << "column " << x;
        EXPECT_LE(screen.view.active.Bottom(), 39);
        return Row(screen, 39);
    };
    EXPECT_EQ(keyLine().rfind(" Tab next  Space press  Enter OK  Esc cancel  Alt+Space menu"
                              "  Alt+F4 close ",
                              0),
              0u);
    s.state.focus = tuitest::IndexOf(s.window, IDC_LOCAL_DRIVES);
    EXPECT_EQ(keyLine().rfind(" Tab next  Up/Down select  Enter OK  Esc cancel", 0), 0u);

    const tui::MenuItems menu = {{MF_STRING, SC_MOVE, "&Move", true}};
    s.request.menu = &menu;
    EXPECT_EQ(keyLine().rfind(" Up/Down choose  Enter select  Esc close", 0), 0u);
    s.request.menu = nullptr;
    s.request.moving = true;
    EXPECT_EQ(keyLine().rfind(" Arrows move  Enter keep the place  Esc put it back", 0), 0u);
    s.request.moving = false;

    // A Yes/No box cannot be cancelled: Escape is not offered.
    ui::MessageBoxRequest box;
    box.caption = "Reminder";
    box.text = "Insert the CD.";
    box.style = MB_YESNO;
    s.request.box = &box;
    s.request.boxFocus = 1;
    EXPECT_EQ(keyLine().rfind(" Tab next  Enter No  Alt+Space menu ", 0), 0u);
    box.style = MB_OKCANCEL;
    s.request.boxFocus = 0;
    EXPECT_EQ(keyLine().rfind(" Tab next  Enter OK  Esc Cancel  Alt+Space menu ", 0), 0u);
}

// Keys that would do nothing are not offered: Tab where no other control
// takes the focus, Enter where no button would take it; the arrows are
// offered wherever they reach a radio button.
TEST(Screen, KeyLineNamesOnlyTheKeysThatDoSomething) {
    auto keyLine = [](const ui::Window &window, int focus) {
        tui::DialogState state;
        state.focus = focus;
        tui::ScreenRequest request;
        request.cols = 100;
        request.rows = 40;
        request.dialogs.push_back({&window, &state});
        return Row(tui::ComposeScreen(request), 39);
    };
    TemplateWindow notice(IDD_REBOOT_DIALOG); // a text and nothing to focus or press
    EXPECT_EQ(keyLine(notice.window, tui::FirstFocus(notice.window)),
              " Esc cancel  Alt+Space menu  Alt+F4 close" + std::string(59, ' '));
    TemplateWindow about(IDD_ABOUTBOX); // OK is the only tab stop
    EXPECT_EQ(
        keyLine(about.window, tui::FirstFocus(about.window)).rfind(" Space press  Enter OK", 0),
        0u);
    // OK is the role dialog's only tab stop, and the arrows go from it to the
    // radio buttons of its group.
    TemplateWindow role(IDD_ROLE_DIALOG);
    EXPECT_EQ(keyLine(role.window, tui::FirstFocus(role.window))
                  .rfind(" Up/Down choose  Space press  Enter OK  Esc cancel", 0),
              0u);
    TemplateWindow sharing(IDD_SHARING_DIALOG);
    tuitest::Control(sharing.window, IDOK).style |= WS_DISABLED;
    EXPECT_EQ(keyLine(sharing.window, tuitest::IndexOf(sharing.window, IDC_LOCAL_DRIVES))
                  .rfind(" Tab next  Up/Down select  Esc cancel", 0),
              0u);
}

TEST(Screen, MovedDialogGoesWhereItWasMovedAndStaysOnTheScreen) {
    SharingScreen s(100, 40);
    const tui::Rect placed = s.Compose().view.active;
    s.state.moveX = -5;
    s.state.moveY = 2;
    tui::Rect moved = s.Compose().view.active;
    EXPECT_EQ(moved.x, placed.x - 5);
    EXPECT_EQ(moved.y, placed.y + 2);
    EXPECT_NE(Row(s.Compose(), moved.y).find("Quorvane"), std::string::npos);
    s.state.moveX = 1000;
    s.state.moveY = -1000;
    moved = s.Compose().view.active;
    EXPECT_EQ(moved.Right(), 100);
    EXPECT_EQ(moved.y, 0);
    // A window taller than the rows above the key line cannot move up or down.
    SharingScreen tall(80, 24);
    tall.state.moveY = 3;
    EXPECT_EQ(tall.Compose().view.active.y, 0);
}

TEST(Screen, TooSmallTerminalSaysSo) {
    SharingScreen s(15, 4);
    EXPECT_NE(Row(s.Compose(), 0).find("Enlarge"), std::string::npos);
}

} // namespace
