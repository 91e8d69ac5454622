// The way back end to end: a gateway setup on a copy of the default machine,
// then "veltrin-sharing /undo", then the registry read back through the
// machine tool and compared with the registry before the setup; the undo
// file's life (written once, merged, refused, removed) and the setup log.
#include "tests/e2e/undo_run.h"

#include <filesystem>

namespace {

TEST_F(UndoRun, GatewaySetupThenUndoLeavesTheRegistryAsItWas) {
    const std::vector<std::string> before = Snapshot();
    ASSERT_EQ(Start("veltrin-sharing", kGateway).exitCode, 0);
    ASSERT_TRUE(std::filesystem::exists(UndoFile()));
    ASSERT_NE(Snapshot(), before); // shares, address and RunOnce changed

    const auto undo = Start("veltrin-sharing", kUndoYes, {"/undo"});
    EXPECT_EQ(undo.exitCode, 0) << undo.output;
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(std::filesystem::exists(UndoFile()));

    const std::string seen = Seen();
    EXPECT_NE(seen.find("Shares to remove: E_Drive"), std::string::npos) << seen;
    EXPECT_NE(seen.find("Shares to restore: DOCS (C:\\\\MY DOCUMENTS)"), std::string::npos);
    EXPECT_NE(seen.find("RunOnce entry InternetSW: removed"), std::string::npos);
    EXPECT_NE(seen.find("Winsock 2, which the setup installed, stays installed."),
              std::string::npos);
    // The restart is asked for again, after the notice.
    const std::string journal = testkit::ReadFile(machine + "/journal.log");
    EXPECT_NE(journal.rfind("ExitWindowsEx 2"), journal.find("ExitWindowsEx 2"));
    // The share DOCS came back through the share API at once.
    EXPECT_NE(journal.find("NetShareAdd \"DOCS\""), std::string::npos) << journal;

    const std::vector<std::string> words = LogWords();
    for (const char *word : {"undo-file", "share-del", "share-add", "address", "winsock2-start",
                             "winsock2-wait", "runonce", "restart", "undo", "undo-key"})
        EXPECT_TRUE(Has(words, word)) << word;
}

// What the file holds is never rewritten: it leads back to the machine as
// it was before the first run. A printer installed since, which no run
// touched, is left as it is.
TEST_F(UndoRun, ALaterRunKeepsWhatTheUndoFileHolds) {
    const std::vector<std::string> before = Snapshot();
    ASSERT_EQ(Start("veltrin-sharing", kGateway).exitCode, 0);
    const std::string first = testkit::ReadFile(UndoFile());
    Import("[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Photo]\r\n"
           "\"Attributes\"=dword:00000040\r\n");
    // E is shared already: the dialog's lists stay as they are.
    ASSERT_EQ(Start("veltrin-sharing", "click 1\nclick 1030\nclick 1\nwait 6000\n").exitCode, 0);
    EXPECT_EQ(testkit::ReadFile(UndoFile()), first);
    ASSERT_EQ(Start("veltrin-sharing", kUndoYes, {"-UnDo"}).exitCode, 0);
    EXPECT_NE(Snapshot(), before);
    Import("[-HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Photo]\r\n");
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(UndoRun, ASharePasswordComesBackAfterTheRestartOnly) {
    Import("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan\\"
           "SECRET]\r\n\"Type\"=dword:00000000\r\n\"Flags\"=dword:00000192\r\n"
           "\"Path\"=\"C:\\\\\"\r\n\"Remark\"=\"\"\r\n\"Parm1enc\"=hex:41,42\r\n\"Parm2enc\"=hex:"
           "\r\n");
    const std::vector<std::string> before = Snapshot();
    ASSERT_EQ(Start("veltrin-sharing", kGateway).exitCode, 0);
    ASSERT_EQ(Start("veltrin-sharing", kUndoYes, {"/undo"}).exitCode, 0);
    EXPECT_EQ(Snapshot(), before); // the enciphered password is back as it was
    EXPECT_NE(Seen().find("Shares with a password come back after the restart"), std::string::npos);
    // Never served through the share API without its password.
    EXPECT_EQ(testkit::ReadFile(machine + "/journal.log").find("NetShareAdd \"SECRET\""),
              std::string::npos);
}

TEST_F(UndoRun, NoUndoFileNothingToUndo) {
    const std::vector<std::string> before = Snapshot();
    const auto run = Start("veltrin-sharing", "answer ok\n", {"/undo"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(Seen().find("There is nothing left to undo"), std::string::npos) << Seen();
    EXPECT_EQ(Snapshot(), before);
}

// An undo file that cannot be used is named with the reason, the file is
// kept and nothing changes; a malformed one adds that nothing was changed.
TEST_F(UndoRun, AnUndoFileThatCannotBeUsedIsToldAndKept) {
    struct Case {
        const char *name;
        const char *content; // null: a folder of the undo file's name
        const char *said;
    };
    const Case cases[] = {
        {"malformed", "not a registry file\n",
         "The undo file C:\\\\WINDOWS\\\\veltrin-undo.reg cannot be read: line 1, missing REGEDIT4 "
         "header.\\n\\nNothing has been changed."},
        {"a folder", nullptr,
         "The undo file C:\\\\WINDOWS\\\\veltrin-undo.reg cannot be read (error 5).\""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(UndoFile());
        if (c.content)
            testkit::WriteFile(UndoFile(), c.content);
        else
            std::filesystem::create_directory(UndoFile());
        const std::vector<std::string> before = Snapshot();
        std::filesystem::remove(transcript);
        const auto run = Start("veltrin-sharing", "answer ok\n", {"/undo"});
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_NE(Seen().find(c.said), std::string::npos) << Seen();
        EXPECT_EQ(Snapshot(), before);
        EXPECT_TRUE(std::filesystem::exists(UndoFile()));
    }
}

TEST_F(UndoRun, NoAtTheConfirmationChangesNothingAndKeepsTheFile) {
    ASSERT_EQ(Start("veltrin-sharing", kGateway).exitCode, 0);
    const std::vector<std::string> after = Snapshot();
    ASSERT_EQ(Start("veltrin-sharing", "answer no\n", {"/undo"}).exitCode, 0);
    EXPECT_EQ(Snapshot(), after);
    EXPECT_TRUE(std::filesystem::exists(UndoFile()));
}

// The undo file cannot be written (its temporary file's name is taken by a
// folder), or the file there cannot be read: the setup says so and changes
// nothing at all.
TEST_F(UndoRun, ARunThatCannotRecordTheWayBackChangesNothing) {
    struct Case {
        const char *name;
        const char *file;    // in the Windows directory
        const char *content; // null: a folder of that name
        const char *said;
    };
    const Case cases[] = {
        {"unwritable", "veltrin-undo.tmp", nullptr, "cannot be written (error 5)"},
        {"unreadable", "veltrin-undo.reg", "not a registry file\n",
         "cannot be read: line 1, missing REGEDIT4 header"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(machine);
        ASSERT_EQ(testkit::Run({Program("veltrin-machine"), "new", machine}, {}).exitCode, 0);
        if (c.content)
            testkit::WriteFile(WindowsFile(c.file), c.content);
        else
            std::filesystem::create_directory(WindowsFile(c.file));
        const std::vector<std::string> before = Snapshot();
        std::filesystem::remove(transcript);
        EXPECT_EQ(Start("veltrin-sharing", "click 1\nanswer ok\n").exitCode, 1);
        EXPECT_NE(Seen().find(c.said), std::string::npos) << Seen();
        EXPECT_NE(Seen().find("Nothing has been changed"), std::string::npos);
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(testkit::ReadFile(machine + "/journal.log").find("NetShare"), std::string::npos);
    }
}

TEST_F(UndoRun, TheMachineToolShowsTheUndoFile) {
    auto show = [&] {
        return testkit::Run({Program("veltrin-machine"), "show", machine}, {}).output;
    };
    EXPECT_NE(show().find("Undo file: none"), std::string::npos);
    ASSERT_EQ(Start("veltrin-sharing", kGateway).exitCode, 0);
    EXPECT_NE(show().find("Undo file: C:\\WINDOWS\\veltrin-undo.reg"), std::string::npos) << show();
}

} // namespace
