// The response file: its grammar, the errors that stop a run, and one
// position shared by the processes of a run.
#include "tests/unit/framework/probe_dialog.h"

#include "platform/script/response_file.h"
#include "platform/user32/script_driver.h"
#include "res/resource.h"

#include <gmock/gmock.h>

#include <algorithm>

#include <sys/wait.h>
#include <unistd.h>

using ::testing::ExitedWithCode;
using ::testing::HasSubstr;
using Log = std::vector<std::string>;

TEST(ResponseFile, ReadsEveryActionWithItsLine) {
    script::ResponseFile file;
    std::string error;
    ASSERT_TRUE(script::ParseResponseFile("# comment\r\n\n  answer ok  \r\nclick 1031\n"
                                          "select 1011 2\ndblclick 1012 0\nsysmenu 0x10\n"
                                          "sysmenu 61536\nwait 900",
                                          "run.txt", &file, &error))
        << error;
    ASSERT_EQ(file.actions.size(), 7u);
    EXPECT_EQ(file.lineCount, 9);
    const auto &a = file.actions;
    EXPECT_EQ(a[0].line, 3);
    EXPECT_EQ(a[0].text, "answer ok");
    EXPECT_EQ(a[0].button, IDOK);
    EXPECT_EQ(a[1].id, 1031);
    EXPECT_EQ(a[2].verb, script::Action::Verb::Select);
    EXPECT_EQ(a[2].index, 2);
    EXPECT_EQ(a[3].verb, script::Action::Verb::DoubleClick);
    EXPECT_EQ(a[4].command, 0x10u);
    EXPECT_EQ(a[5].command, 0xF060u);
    EXPECT_EQ(a[6].wait.count(), 900);
}

TEST(ResponseFile, NamesTheFirstWrongLine) {
    const struct {
        const char *text;
        const char *error;
    } cases[] = {
        {"clik 1", "run.txt:1: unknown action \"clik\""},
        {"cl\x1b[2Jick 1", "run.txt:1: unknown action \"cl\\x1b[2Jick\""},
        {"\n\nclick", "run.txt:3: click takes 1 argument"},
        {"select 1011", "run.txt:1: select takes 2 arguments"},
        {"click 1 2", "run.txt:1: click takes 1 argument"},
        {"click 70000", "run.txt:1: click takes a control id"},
        {"click -1", "run.txt:1: click takes a control id"},
        {"click +1", "run.txt:1: click takes a control id"},
        {"click 0x", "run.txt:1: click takes a control id"},
        {"click 0x1FFFF", "run.txt:1: click takes a control id"},
        {"wait 99999999999999999999999", "run.txt:1: wait takes milliseconds (at most a day)"},
        {"dblclick 1011 x",
         "run.txt:1: dblclick takes a list box id and an entry's number or its text in quotes"},
        {"answer maybe", "run.txt:1: answer takes ok, cancel, yes or no"},
        {"sysmenu 0xZZ", "run.txt:1: sysmenu takes a command number"},
        {"wait 1.5", "run.txt:1: wait takes milliseconds (at most a day)"},
        {"wait 86400001", "run.txt:1: wait takes milliseconds (at most a day)"},
    };
    for (const auto &c : cases) {
        script::ResponseFile file;
        std::string error;
        EXPECT_FALSE(script::ParseResponseFile(c.text, "run.txt", &file, &error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

namespace {

void FillDrives(ProbeDlg &d) {
    for (const char *entry : {"[-A-DRIVE]", "[-D-DRIVE]", "[-E-DRIVE]"})
        d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

void RunDialog(UINT id) {
    ProbeDlg dlg(id);
    dlg.hooks["init"] = FillDrives;
    dlg.DoModal();
    std::exit(0); // the script should have stopped the run before
}

// As the launcher's prompt: asks until the script stops the run.
void AskReminder() {
    for (;;)
        MessageBoxA(nullptr, "Insert the CD", "Reminder", MB_OKCANCEL);
}

} // namespace

TEST_F(ScriptTest, ActionsThatDoNotFitStopTheRunNamingTheLine) {
    const std::string role = " (showing: dialog 133 \"Server-Client selection\")";
    const std::string sharing = " (showing: dialog 132 \"File and Printer sharing selection\")";
    const std::string reminder = " (showing: message box \"Reminder\")";
    const struct {
        const char *script;
        UINT dialog; // 0: the Reminder message box
        std::string message;
    } cases[] = {
        {"answer ok", 133,
         "run.txt:1: \"answer ok\" does not fit: a dialog waits for an action" + role},
        {"# c\n\nclick 1099", 133,
         "run.txt:3: \"click 1099\" does not fit: no control 1099" + role},
        {"select 1011 3", 132,
         "run.txt:1: \"select 1011 3\" does not fit: list 1011 has 3 entries, no entry 3" +
             sharing},
        {"click 1011", 132,
         "run.txt:1: \"click 1011\" does not fit: control 1011 is not a button" + sharing},
        // An entry named by a text the list lacks: before OK, so nothing changed.
        {"select 1011 \"[-A-DRIVE]\"\ndblclick 1011 \"[-C-DRIVE]\"   # the hard disk", 132,
         "run.txt:2: \"dblclick 1011 \\\"[-C-DRIVE]\\\"\" does not fit: list 1011 has no entry "
         "\"[-C-DRIVE]\"" +
             sharing},
        {"select 1030 \"[-A-DRIVE]\"", 133,
         "run.txt:1: \"select 1030 \\\"[-A-DRIVE]\\\"\" does not fit: control 1030 is not a list "
         "box" +
             role},
        {"select 1030 0", 133,
         "run.txt:1: \"select 1030 0\" does not fit: control 1030 is not a list box" + role},
        {"sysmenu 0x10", 133,
         "run.txt:1: \"sysmenu 0x10\" does not fit: command 0x10 is not in the system menu" + role},
        // Sizing and maximising are neither offered nor taken; restoring
        // only takes a minimised dialog.
        {"sysmenu 0xF000", 133,
         "run.txt:1: \"sysmenu 0xF000\" does not fit: command 0xF000 is not in the system menu" +
             role},
        {"sysmenu 0xF030", 133,
         "run.txt:1: \"sysmenu 0xF030\" does not fit: command 0xF030 is not in the system menu" +
             role},
        {"sysmenu 0xF120", 133,
         "run.txt:1: \"sysmenu 0xF120\" does not fit: command 0xF120 is not in the system menu" +
             role},
        {"click 1030\n\n", 133, "run.txt:2: the response file ended" + role},
        {"", 133, "run.txt:1: the response file ended" + role},
        {"click 1", 0,
         "run.txt:1: \"click 1\" does not fit: a message box waits for an answer" + reminder},
        {"answer yes", 0,
         "run.txt:1: \"answer yes\" does not fit: the message box has ok, cancel" + reminder},
        {"answer ok\n# done", 0, "run.txt:2: the response file ended" + reminder},
    };
    for (const auto &c : cases) {
        Script(c.script);
        const std::string expected = testkit::ErrorPrefix() +
                                     ScriptPath().substr(0, ScriptPath().size() - 7) + c.message +
                                     "\n";
        if (c.dialog)
            EXPECT_EXIT(RunDialog(c.dialog), ExitedWithCode(3), HasSubstr(expected)) << c.script;
        else
            EXPECT_EXIT(AskReminder(), ExitedWithCode(3), HasSubstr(expected)) << c.script;
    }
}

// The text is looked up in the list as it stands when the action comes: the
// first of two equal entries, and the entry's new place after the list
// changed.
TEST_F(ScriptTest, AnEntryByItsTextIsTheFirstOfItsTextInTheListAsItStands) {
    Script("dblclick 1011 \"[-E-DRIVE]\"   # the first of two\n"
           "dblclick 1011 \"[-E-DRIVE]\"\n"
           "click 2\n");
    ProbeDlg dlg(IDD_SHARING_DIALOG);
    dlg.hooks["init"] = [](ProbeDlg &d) {
        for (const char *entry : {"[-A-DRIVE]", "[-E-DRIVE]", "[-D-DRIVE]", "[-E-DRIVE]"})
            d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(entry));
    };
    dlg.hooks["dblclick 1011"] = [](ProbeDlg &d) {
        d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_RESETCONTENT);
        d.SendDlgItemMessage(IDC_LOCAL_DRIVES, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>("[-E-DRIVE]"));
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(std::count(dlg.log.begin(), dlg.log.end(), "dblclick 1011 at 1"), 1)
        << dlg.log.size();
    EXPECT_EQ(std::count(dlg.log.begin(), dlg.log.end(), "dblclick 1011 at 0"), 1);
}

TEST_F(ScriptTest, WrongFileStopsBeforeAnythingIsShown) {
    testkit::WriteFile(ScriptPath(), "click 1\nwiat 100\n");
    EXPECT_EXIT(std::make_unique<ui::ScriptDriver>(ScriptPath()), ExitedWithCode(3),
                HasSubstr(testkit::ErrorPrefix() + ScriptPath() + ":2: unknown action \"wiat\"\n"));
    EXPECT_EXIT(std::make_unique<ui::ScriptDriver>(ScriptPath() + ".missing"), ExitedWithCode(3),
                HasSubstr(testkit::ErrorPrefix() + "cannot read the response file " + ScriptPath() +
                          ".missing: No such file or directory\n"));
}

namespace {

// Runs `body` in a child process and returns its exit status.
template <typename Body> int InChild(Body body) {
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

int RunAsProgram(const std::string &script, UINT dialog, INT_PTR expected) {
    ui::SetDriver(std::make_unique<ui::ScriptDriver>(script));
    ProbeDlg dlg(dialog);
    return dlg.DoModal() == expected ? 0 : 1;
}

} // namespace

TEST_F(ScriptTest, ProgramsOfOneRunContinueWhereTheFirstStopped) {
    testkit::WriteFile(ScriptPath(), "click 1002\n"
                                     "click 2\n"
                                     "# the program the first one starts\n"
                                     "click 1030\n"
                                     "click 1\n");
    unsetenv("VELTRIN_SCRIPT_POS");
    const int status = InChild([&] {
        if (RunAsProgram(ScriptPath(), IDD_SHARING_DIALOG, IDCANCEL) != 0)
            return 1;
        return InChild([&] { return RunAsProgram(ScriptPath(), IDD_ROLE_DIALOG, IDOK); });
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Transcript(), (Log{
                                "dialog 132 open \"File and Printer sharing selection\"",
                                "list 1011",
                                "list 1012",
                                "list 1013",
                                "list 1014",
                                "list 1011",
                                "list 1012",
                                "list 1013",
                                "list 1014",
                                "dialog 132 end 2",
                                "dialog 133 open \"Server-Client selection\"",
                                "check 1030 0",
                                "check 1031 0",
                                "check 1030 1",
                                "check 1031 0",
                                "dialog 133 end 1",
                            }));

    // A new run starts from the first action again.
    EXPECT_EQ(InChild([&] {
                  unsetenv("VELTRIN_SCRIPT_POS");
                  return RunAsProgram(ScriptPath(), IDD_SHARING_DIALOG, IDCANCEL);
              }),
              0);
}
