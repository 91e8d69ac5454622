// The keyboard of Windows in a real terminal (tmux): the system menu with
// Move and Close, moving a dialog and a message box from the keyboard, Alt+F4
// on both, the key line on the bottom row, and a tall dialog opening at its
// top.
#include "tests/e2e/tui_tmux.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using tuitest::ShellQuote;
using tuitest::TmuxSession;

std::vector<std::string> Rows(const std::string &screen) {
    std::vector<std::string> rows;
    std::istringstream in(screen);
    for (std::string row; std::getline(in, row);)
        rows.push_back(row);
    return rows;
}

struct Place {
    int row = -1;
    std::size_t column = std::string::npos;
    bool operator==(const Place &) const = default;
};

// Where text first shows on the screen (the column in bytes: the frame's
// lines before it are the same in every place compared).
Place Find(const std::string &screen, const std::string &text) {
    const std::vector<std::string> rows = Rows(screen);
    for (std::size_t y = 0; y < rows.size(); ++y)
        if (const auto x = rows[y].find(text); x != std::string::npos)
            return {static_cast<int>(y), x};
    return {};
}

// Runs a program on the machine; then says its exit code; the pane stays open.
std::string Command(const std::string &machine, const std::string &program) {
    const std::string bin = testkit::BuiltProgram("bin");
    return "VELTRIN_UI=tui VELTRIN_MACHINE=" + ShellQuote(machine) + " PATH=" + ShellQuote(bin) +
           ":\"$PATH\" " + ShellQuote(bin + "/" + program) +
           "; echo \"exit code $?\"; exec sleep 600";
}

// A fresh copy of the default machine, gone with the object.
struct DefaultMachine {
    DefaultMachine() {
        const auto made =
            testkit::Run({testkit::BuiltProgram("bin/veltrin-machine"), "new", path}, {});
        EXPECT_EQ(made.exitCode, 0) << made.output;
    }
    testkit::TempDir dir;
    std::string path = dir.Path() + "/pc";
};

class TerminalKeyboard : public ::testing::Test {
  protected:
    void SetUp() override {
        if (TmuxSession::Program().empty())
            GTEST_SKIP() << "tmux is not installed";
    }
};

TEST_F(TerminalKeyboard, MoveFromTheMenuThenAltF4Cancels) {
    const DefaultMachine pc;
    const std::string &machine = pc.path;
    TmuxSession tmux(Command(machine, "veltrin-sharing"), 100, 40);
    const std::string title = "Quorvane File and Printer Sharing Selection";
    ASSERT_TRUE(tmux.WaitFor(title)) << tmux.Screen();
    std::string screen = tmux.Screen();
    const Place placed = Find(screen, title);
    EXPECT_EQ(Rows(screen).back().rfind(" Tab next  Space press  Enter OK  Esc cancel", 0), 0u)
        << screen;

    tmux.Keys({"M-Space"});
    ASSERT_TRUE(tmux.WaitFor("About velpasto")) << tmux.Screen();
    screen = tmux.Screen();
    for (const char *item : {"Move", "Close", "Alt+F4"})
        EXPECT_NE(screen.find(item), std::string::npos) << item << "\n" << screen;
    for (const char *item : {"Restore", "Size", "Minimize", "Maximize"})
        EXPECT_EQ(screen.find(item), std::string::npos) << item << "\n" << screen;

    // Move: three columns left and two rows up, kept with Enter.
    tmux.Keys({"m"});
    ASSERT_TRUE(tmux.WaitFor("Arrows move")) << tmux.Screen();
    tmux.Keys({"Left", "Left", "Left", "Up", "Up", "Enter"});
    ASSERT_TRUE(tmux.WaitFor("Tab next")) << tmux.Screen();
    const Place moved = Find(tmux.Screen(), title);
    EXPECT_EQ(moved, (Place{placed.row - 2, placed.column - 3})) << tmux.Screen();

    // Moving again and giving up with Escape puts it back where it was.
    tmux.Keys({"M-Space", "m"});
    ASSERT_TRUE(tmux.WaitFor("Arrows move")) << tmux.Screen();
    tmux.Keys({"Right", "Down", "Escape"});
    ASSERT_TRUE(tmux.WaitFor("Tab next")) << tmux.Screen();
    EXPECT_EQ(Find(tmux.Screen(), title), moved) << tmux.Screen();
    // The Enter that kept the place pressed nothing: the dialog still waits.
    EXPECT_EQ(testkit::ReadFile(machine + "/journal.log").find("NetShare"), std::string::npos);

    // Alt+F4 is the close box: Cancel, nothing shared, no restart.
    tmux.Keys({"M-F4"});
    ASSERT_TRUE(tmux.WaitFor("exit code")) << tmux.Screen();
    EXPECT_NE(tmux.Screen().find("exit code 0"), std::string::npos) << tmux.Screen();
    const std::string journal = testkit::ReadFile(machine + "/journal.log");
    EXPECT_EQ(journal.find("NetShare"), std::string::npos) << journal;
    EXPECT_EQ(journal.find("ExitWindowsEx"), std::string::npos) << journal;
}

// The sharing dialog is taller than these terminals: it opens at its top,
// where its text begins, and the view goes to the focus once it moves.
TEST_F(TerminalKeyboard, TallDialogOpensAtItsTopAndTheViewFollowsTheFocusLater) {
    const DefaultMachine pc;
    const std::string &machine = pc.path;
    const std::string firstLine = "You can share the information";
    for (const auto &[cols, rows] : {std::pair{100, 30}, std::pair{80, 24}}) {
        TmuxSession tmux(Command(machine, "veltrin-sharing"), cols, rows);
        ASSERT_TRUE(tmux.WaitFor("Sharing Selection")) << tmux.Screen();
        std::string screen = tmux.Screen();
        EXPECT_NE(screen.find(firstLine), std::string::npos) << screen;
        EXPECT_NE(screen.find("rows below"), std::string::npos) << screen;
        // Round the tab stops and back to OK, at the bottom.
        tmux.Keys({"Tab", "BTab"});
        ASSERT_TRUE(tmux.WaitFor("> OK <")) << tmux.Screen();
        screen = tmux.Screen();
        EXPECT_EQ(screen.find(firstLine), std::string::npos) << screen;
        tmux.Keys({"Escape"});
        ASSERT_TRUE(tmux.WaitFor("exit code")) << tmux.Screen();
    }
}

TEST_F(TerminalKeyboard, ReminderMovesAndTakesAltF4AsItsCancel) {
    testkit::TempMachine machine; // drive C only: no CD, so the prompt shows
    TmuxSession tmux(Command(machine.Dir(), "veltrin"));
    ASSERT_TRUE(tmux.WaitFor("Reminder")) << tmux.Screen();
    EXPECT_NE(Rows(tmux.Screen()).back().find("Esc Cancel"), std::string::npos) << tmux.Screen();
    const Place placed = Find(tmux.Screen(), "Reminder");
    tmux.Keys({"M-Space", "m"});
    ASSERT_TRUE(tmux.WaitFor("Arrows move")) << tmux.Screen();
    tmux.Keys({"Left", "Left", "Down", "Enter"});
    ASSERT_TRUE(tmux.WaitFor("Tab next")) << tmux.Screen();
    EXPECT_EQ(Find(tmux.Screen(), "Reminder"), (Place{placed.row + 1, placed.column - 2}))
        << tmux.Screen();
    tmux.Keys({"M-F4"});
    ASSERT_TRUE(tmux.WaitFor("exit code")) << tmux.Screen();
    EXPECT_NE(tmux.Screen().find("exit code 0"), std::string::npos) << tmux.Screen();
    EXPECT_EQ(machine.ReadJournal().find("autorun"), std::string::npos);
}

} // namespace
