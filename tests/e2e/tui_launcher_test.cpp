// The launcher in a real terminal (tmux, 80 x 24): the Reminder prompt as a
// person sees it, answered from the keyboard and with the mouse, and the
// terminal given back as it was, also to the CD's program.
#include "tests/e2e/tui_tmux.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tuitest::ShellQuote;
using tuitest::TmuxSession;

// Runs the launcher on the machine, then says whether the terminal modes
// are those from before and what the exit code was; the pane stays open.
std::string LauncherCommand(const testkit::TempMachine &machine) {
    return "before=$(stty -g); VELTRIN_UI=tui VELTRIN_MACHINE=" + ShellQuote(machine.Dir()) + " " +
           ShellQuote(testkit::BuiltProgram("bin/veltrin")) +
           "; code=$?; [ \"$before\" = \"$(stty -g)\" ] && echo 'modes restored';"
           " echo \"exit code $code\"; exec sleep 600";
}

// Terminal cells taken by UTF-8 text (the frame's lines are several bytes).
int CellCount(const std::string &text) {
    int cells = 0;
    for (unsigned char c : text)
        cells += (c & 0xC0) != 0x80;
    return cells;
}

void ExpectReminder(const TmuxSession &tmux) {
    ASSERT_TRUE(tmux.WaitFor("Reminder")) << tmux.Screen();
    const std::string screen = tmux.Screen();
    for (const char *text : {"Please make sure your Quorvane Phoneline Network Card",
                             "Installation CD-ROM is properly inserted in your CD-ROM",
                             "Drive.  Click OK to continue or Cancel to abort.", "OK", "Cancel"})
        EXPECT_NE(screen.find(text), std::string::npos) << text << "\n" << screen;
    EXPECT_EQ(tmux.Pane("#{alternate_on}"), "1");
}

// The program has ended and left the terminal as it found it.
void ExpectRestored(const TmuxSession &tmux) {
    ASSERT_TRUE(tmux.WaitFor("exit code")) << tmux.Screen();
    const std::string screen = tmux.Screen();
    EXPECT_NE(screen.find("exit code 0"), std::string::npos) << screen;
    EXPECT_NE(screen.find("modes restored"), std::string::npos) << screen;
    EXPECT_EQ(screen.find("Reminder"), std::string::npos) << screen;
    EXPECT_EQ(tmux.Pane("#{alternate_on} #{cursor_flag} #{mouse_any_flag}"), "0 1 0");
}

class TerminalLauncher : public ::testing::Test {
  protected:
    void SetUp() override {
        if (TmuxSession::Program().empty())
            GTEST_SKIP() << "tmux is not installed";
    }
    testkit::TempMachine machine; // drive C only: no CD, so the prompt shows
};

TEST_F(TerminalLauncher, CancelChosenWithTabAndEnterEndsWithExitCodeZero) {
    TmuxSession tmux(LauncherCommand(machine));
    ExpectReminder(tmux);
    tmux.Keys({"Tab", "Enter"});
    ExpectRestored(tmux);
    EXPECT_EQ(machine.ReadJournal().find("autorun"), std::string::npos);
}

TEST_F(TerminalLauncher, EscapeCancelsAndAClickOnCancelDoesToo) {
    {
        TmuxSession tmux(LauncherCommand(machine));
        ExpectReminder(tmux);
        tmux.Keys({"Escape"});
        ExpectRestored(tmux);
    }
    TmuxSession tmux(LauncherCommand(machine));
    ExpectReminder(tmux);
    // A left click (press, release) on the Cancel button, as an xterm
    // mouse reports it: ESC [ M, button + 32, column + 33, row + 33.
    int column = -1, row = -1;
    const std::vector<std::string> rows = testkit::Lines(tmux.Screen());
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const std::size_t at = rows[y].find("[  Cancel  ]");
        if (at != std::string::npos) {
            row = static_cast<int>(y);
            column = CellCount(rows[y].substr(0, at)) + 4;
        }
    }
    ASSERT_GE(row, 0) << tmux.Screen();
    auto report = [&](int button) {
        return std::string("\033[M") + static_cast<char>(32 + button) +
               static_cast<char>(33 + column) + static_cast<char>(33 + row);
    };
    tmux.Keys({"-l", report(0) + report(3)});
    ExpectRestored(tmux);
}

TEST_F(TerminalLauncher, OkRetestsAndTheCdProgramGetsTheTerminalBack) {
    machine.SetDrives({{'C', "fixed"}, {'E', "cdrom"}});
    TmuxSession tmux(LauncherCommand(machine));
    ExpectReminder(tmux);
    // The CD goes in while the prompt shows; its autorun program records the
    // terminal modes it finds.
    machine.AddDir('E', "Tzr/Setup");
    machine.AddFile('E', "autorun.exe",
                    "#!/bin/sh\nstty -a > \"$VELTRIN_MACHINE/autorun-tty.txt\"\n", true);
    tmux.Keys({"Enter"});
    ExpectRestored(tmux);
    const std::string modes = testkit::ReadFile(machine.Dir() + "/autorun-tty.txt");
    EXPECT_NE(modes.find(" icanon"), std::string::npos) << modes;
    EXPECT_NE(modes.find(" echo "), std::string::npos) << modes;
    EXPECT_NE(machine.ReadJournal().find("autorun.exe"), std::string::npos)
        << machine.ReadJournal();
}

} // namespace

namespace {

// A terminal without TERM: the run ends with that named, not with "no
// terminal".
TEST_F(TerminalLauncher, AMissingTermIsNamed) {
    TmuxSession tmux("env -u TERM VELTRIN_MACHINE=" + ShellQuote(machine.Dir()) + " " +
                     ShellQuote(testkit::BuiltProgram("bin/veltrin")) +
                     "; echo \"exit code $?\"; exec sleep 600");
    ASSERT_TRUE(tmux.WaitFor("exit code")) << tmux.Screen();
    const std::string screen = tmux.Screen();
    EXPECT_NE(screen.find("TERM is not set, so the terminal cannot be used"), std::string::npos)
        << screen;
    EXPECT_EQ(screen.find("no terminal"), std::string::npos) << screen;
}

} // namespace
