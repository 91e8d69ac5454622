// The recording's lines: what a person did, written as the response file
// that replays it. A line written differently here would replay another
// setup on the next PC, so each form is checked as the grammar reads it.
#include "platform/script/recorder.h"

#include "platform/api.h"
#include "platform/script/list_entry.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;
using script::Action;
using Kind = script::ShownControl::Kind;

const script::ShownDialog kSharing = {
    132,
    "Quorvane File and Printer Sharing Selection",
    {
        {1011, Kind::ListBox, "", {"[-A-DRIVE]", "[-E-DRIVE]"}},
        {1013, Kind::ListBox, "", {"Inkjet (Color)", "Say \"cheese\"\\", "Tab\there"}},
        {1002, Kind::Button, ">>", {}},
        {1, Kind::Button, "OK", {}},
        {65535, Kind::Other, "Local Drives", {}},
    },
    {{0xF010, "&Move"}, {0xF060, "&Close\tAlt+F4"}, {0x10, "&About velpasto..."}},
};

const script::ShownDialog kRole = {
    133,
    "Server-Client selection",
    {{1030, Kind::Button, "&Gateway/Server", {}},
     {1031, Kind::Button, "Client && &Peer", {}},
     {1, Kind::Button, "OK", {}}},
    {},
};

Action Verb(Action::Verb verb, int id = 0, int index = 0, unsigned command = 0) {
    Action action;
    action.verb = verb;
    action.id = id;
    action.index = index;
    action.command = command;
    return action;
}

TEST(Recorder, EachActionIsWrittenByWhatThePersonSaw) {
    const struct {
        const char *what;
        const script::ShownDialog &dialog;
        Action action;
        const char *line;
    } cases[] = {
        {"an entry by its text", kSharing, Verb(Action::Verb::Select, 1011, 1),
         "select 1011 \"[-E-DRIVE]\""},
        {"a double click", kSharing, Verb(Action::Verb::DoubleClick, 1013, 0),
         "dblclick 1013 \"Inkjet (Color)\""},
        {"quotes and backslashes escaped", kSharing, Verb(Action::Verb::Select, 1013, 1),
         "select 1013 \"Say \\\"cheese\\\"\\\\\""},
        {"an entry the list lacks keeps its number", kSharing, Verb(Action::Verb::Select, 1011, 5),
         "select 1011 5"},
        {"a button with its text", kSharing, Verb(Action::Verb::Click, 1002), "click 1002   # >>"},
        {"the mnemonic's & left out", kRole, Verb(Action::Verb::Click, 1030),
         "click 1030   # Gateway/Server"},
        {"&& is one &", kRole, Verb(Action::Verb::Click, 1031), "click 1031   # Client & Peer"},
        {"Escape without a Cancel button", kRole, Verb(Action::Verb::Click, IDCANCEL), "click 2"},
        {"a text is no button", kSharing, Verb(Action::Verb::Click, 65535), "click 65535"},
        {"an appended menu item", kSharing, Verb(Action::Verb::SysMenu, 0, 0, 0x10),
         "sysmenu 0x10   # About velpasto..."},
        {"a standard item without its key", kSharing, Verb(Action::Verb::SysMenu, 0, 0, 0xF060),
         "sysmenu 0xF060   # Close"},
        {"a command sent from outside the menu", kSharing,
         Verb(Action::Verb::SysMenu, 0, 0, 0xF020), "sysmenu 0xF020"},
    };
    // Moving the window is no choice of the setup's.
    EXPECT_EQ(script::Recorder().Acted(kSharing, Verb(Action::Verb::SysMenu, 0, 0, SC_MOVE)), "");
    for (const auto &c : cases) {
        script::Recorder recorder;
        const std::string heading =
            c.dialog.templateId == 132
                ? "# dialog 132 \"Quorvane File and Printer Sharing Selection\"\n"
                : "# dialog 133 \"Server-Client selection\"\n";
        EXPECT_EQ(recorder.Acted(c.dialog, c.action), heading + c.line + "\n") << c.what;
    }
}

// What the replay reads from the recording is what was done: the same
// control, the same command, and an entry found by its text again.
TEST(Recorder, TheRecordingReadsBackAsTheActionsTaken) {
    const Action taken[] = {
        Verb(Action::Verb::Select, 1013, 1), Verb(Action::Verb::Select, 1013, 2),
        Verb(Action::Verb::DoubleClick, 1011, 1), Verb(Action::Verb::Click, 1002),
        Verb(Action::Verb::SysMenu, 0, 0, 0x10)};
    script::Recorder recorder;
    std::string text;
    for (const Action &action : taken)
        text += recorder.Acted(kSharing, action);
    script::ResponseFile file;
    std::string error;
    ASSERT_TRUE(script::ParseResponseFile(text, "rec.txt", &file, &error)) << error << text;
    ASSERT_EQ(file.actions.size(), std::size(taken));
    for (std::size_t i = 0; i < file.actions.size(); ++i) {
        const Action &read = file.actions[i];
        EXPECT_EQ(read.verb, taken[i].verb) << read.text;
        EXPECT_EQ(read.id, taken[i].id) << read.text;
        EXPECT_EQ(read.command, taken[i].command) << read.text;
        const script::ShownControl *list = kSharing.FindControl(read.id);
        if (read.entry)
            EXPECT_EQ(script::FindEntry(list->entries, *read.entry), taken[i].index) << read.text;
        else
            EXPECT_NE(read.verb, Action::Verb::Select) << read.text;
    }
}

TEST(Recorder, TimeIsOneWaitBeforeTheNextActionOrWhenTheDialogEnds) {
    script::Recorder recorder;
    EXPECT_EQ(recorder.Acted(kSharing, Verb(Action::Verb::Click, 1)),
              "# dialog 132 \"Quorvane File and Printer Sharing Selection\"\n"
              "click 1   # OK\n");
    // The restart notice's five ticks as a terminal measures them: each a
    // little late, summed and cut to whole milliseconds.
    const script::ShownDialog notice = {134, "Reboot Message!", {}, {}};
    for (int tick = 0; tick < 5; ++tick)
        recorder.TimePassed(900ms + 300us);
    EXPECT_EQ(recorder.DialogEnded(notice), "# dialog 134 \"Reboot Message!\"\nwait 4501\n");
    // Nothing waited: the end writes nothing, and a heading only once.
    EXPECT_EQ(recorder.DialogEnded(notice), "");
    EXPECT_EQ(recorder.Acted(kRole, Verb(Action::Verb::Wait)), "");
    recorder.TimePassed(400us);
    recorder.TimePassed(700us); // the parts of a millisecond add up
    EXPECT_EQ(recorder.Acted(kRole, Verb(Action::Verb::Click, 1030)),
              "# dialog 133 \"Server-Client selection\"\nwait 1\nclick 1030   # Gateway/Server\n");
    // A script's waits are exact; more than a day is split as the grammar takes it.
    Action wait = Verb(Action::Verb::Wait);
    wait.wait = 24h + 5ms;
    EXPECT_EQ(recorder.Acted(kRole, wait), "");
    EXPECT_EQ(recorder.Acted(kRole, Verb(Action::Verb::Click, 1)),
              "wait 86400000\nwait 5\nclick 1   # OK\n");
}

TEST(Recorder, MessageBoxAnswersCarryTheCaption) {
    script::Recorder recorder;
    EXPECT_EQ(recorder.Answered({"Reminder"}, IDOK), "answer ok   # Reminder\n");
    EXPECT_EQ(recorder.Answered({"Setup\nDrive List"}, IDNO),
              "answer no   # Setup\\x0aDrive List\n");
    recorder.TimePassed(20ms);
    EXPECT_EQ(recorder.Answered({""}, IDCANCEL), "wait 20\nanswer cancel\n");
}

TEST(Recorder, TheHeaderNamesTheProgramAndTheLocalTime) {
    EXPECT_EQ(script::RecordingHeader("veltrin", {2026, 12, 10, 9, 5, 0}),
              "# Recorded by veltrin on 2026-12-10 at 09:05:00 (local time)\n");
}

} // namespace
