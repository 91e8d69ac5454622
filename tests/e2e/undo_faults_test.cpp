// The way back against what breaks it (a registry that cannot be read is in
// fault_machine_test.cpp): an undo file that cannot be trusted, overlong
// key names, files in the Windows folder that are not plain files,
// a share made between two setups, two runs at once, a missing RunOnce key.
// Each run ends with the machine as it was or put back, never with less.
#include "tests/e2e/undo_run.h"

#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char kShareKey[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan";

// A disk share's section under the share key.
std::string DiskShare(const std::string &name, const std::string &path) {
    return std::string("[") + kShareKey + "\\" + name + "]\r\n\"Type\"=dword:00000000\r\n" +
           "\"Flags\"=dword:00000191\r\n\"Path\"=\"" + path + "\"\r\n\"Remark\"=\"\"\r\n";
}

std::size_t Count(const std::string &text, const std::string &what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// A name over Windows' 255 characters makes the registry unreadable where
// it is read, so nothing after it can be lost by a capture that stopped.
TEST_F(UndoRun, AKeyNameLongerThanWindowsAllowsLosesNothing) {
    const std::string registry = testkit::ReadFile(machine + "/registry.reg");
    testkit::WriteFile(machine + "/registry.reg",
                       registry + "\r\n" + DiskShare(std::string(256, 'L'), "C:\\\\"));
    const auto run = Start("veltrin-sharing", "click 1\nanswer ok\n");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("key name longer than 255 characters"), std::string::npos)
        << run.output;
    EXPECT_EQ(Journal().find("NetShare"), std::string::npos);
    EXPECT_EQ(testkit::ReadFile(machine + "/registry.reg").find(registry), 0u);
}

// The undo takes only the kinds of entry the setup records; anything else
// refuses the whole file, at its line, and nothing changes.
TEST_F(UndoRun, AHandMadeUndoFileIsRefusedAtItsLine) {
    struct Case {
        const char *name;
        const char *sections;
        const char *said;
    };
    const Case cases[] = {
        {"a foreign key deleted", "[-HKEY_LOCAL_MACHINE\\Software]\r\n", "line 3, not an entry"},
        {"a Run entry",
         "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
         "\"x\"=\"evil.exe\"\r\n",
         "line 3, not an entry"},
        {"a VxD key", "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\Evil]\r\n",
         "line 3, not an entry"},
        {"another RunOnce value",
         "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce]\r\n"
         "\"InternetSW\"=-\r\n\"Other\"=\"evil.exe\"\r\n",
         "line 5, not an entry"},
        {"a printer deleted",
         "[-HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Desk "
         "Laser]\r\n",
         "line 3, not an entry"},
        {"a class key not the card's",
         "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Net\\0000]\r\n"
         "\"IPAddress\"=\"10.0.0.1\"\r\n",
         "line 3, not an entry"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        testkit::WriteFile(UndoFile(), std::string("REGEDIT4\r\n\r\n") + c.sections);
        const std::vector<std::string> before = Snapshot();
        fs::remove(transcript);
        const auto run = Start("veltrin-sharing", "answer ok\n", {"/undo"});
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_NE(Seen().find(c.said), std::string::npos) << Seen();
        EXPECT_EQ(Snapshot(), before);
        EXPECT_TRUE(fs::exists(UndoFile()));
    }
}

// Only what the file names is put back; the box lists each change.
TEST_F(UndoRun, AFileWithoutAShareSectionLeavesTheShares) {
    testkit::WriteFile(
        UndoFile(), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\"
                    "Class\\NetTrans\\0000]\r\n\"IPAddress\"=\"192.168.0.9\"\r\n\"IPMask\"=-\r\n");
    const std::vector<std::string> before = Snapshot();
    ASSERT_EQ(Start("veltrin-sharing", kUndoYes, {"/undo"}).exitCode, 0);
    EXPECT_NE(Seen().find("Shares to remove: none\\nShares to restore: none\\nAddresses: "
                          "IPAddress and IPMask of 1 network binding(s)"),
              std::string::npos)
        << Seen();
    EXPECT_EQ(Journal().find("NetShareDel"), std::string::npos);
    std::vector<std::string> after = Snapshot();
    EXPECT_NE(after, before);
    EXPECT_NE(std::find(after.begin(), after.end(), "\"IPAddress\"=\"192.168.0.9\""), after.end());
}

// A link, a FIFO or a folder in the place of a file the suite writes or
// reads is never followed, written through or waited on.
TEST_F(UndoRun, FilesThatAreNotPlainFilesAreRefused) {
    const std::string document = machine + "/drives/C/My Documents/Network.txt";
    const std::string letter = testkit::ReadFile(document);
    struct Case {
        const char *name;
        const char *file;
        bool fifo;        // else a link to the document
        const char *said; // null: the setup goes on without its log
    };
    const Case cases[] = {
        {"the temporary file a link", "veltrin-undo.tmp", false, "cannot be written (error 5)"},
        {"the log a link", "veltrin.log", false, nullptr},
        {"the undo file a FIFO", "veltrin-undo.reg", true, "cannot be read (error 5)"},
        {"the temporary file a FIFO", "veltrin-undo.tmp", true, "cannot be written (error 5)"},
        {"the log a FIFO", "veltrin.log", true, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(machine);
        ASSERT_EQ(testkit::Run({Program("veltrin-machine"), "new", machine}, {}).exitCode, 0);
        if (c.fifo)
            ASSERT_EQ(mkfifo(WindowsFile(c.file).c_str(), 0644), 0);
        else
            fs::create_symlink(document, WindowsFile(c.file));
        fs::remove(transcript);
        const auto run = Start("veltrin-sharing", c.said ? "click 1\nanswer ok\n" : kClient);
        EXPECT_EQ(run.exitCode, c.said ? 1 : 0) << run.output;
        if (c.said)
            EXPECT_NE(Seen().find(c.said), std::string::npos) << Seen();
        else
            EXPECT_TRUE(fs::exists(UndoFile()));
        EXPECT_EQ(testkit::ReadFile(document), letter);
    }
    fs::resize_file(document, letter.size());
}

// A huge undo file is refused by its size, before it is read.
TEST_F(UndoRun, AHugeUndoFileIsRefusedUnread) {
    { std::ofstream(UndoFile()) << "REGEDIT4\r\n"; }
    fs::resize_file(UndoFile(), std::uintmax_t{1536} << 20);
    const auto undo = Start("veltrin-sharing", "answer ok\n", {"/undo"});
    EXPECT_EQ(undo.exitCode, 1) << undo.output;
    EXPECT_NE(Seen().find("cannot be read: it is larger than 4194304 bytes"), std::string::npos)
        << Seen();
    const auto setup = Start("veltrin-sharing", "click 1\nanswer ok\n");
    EXPECT_EQ(setup.exitCode, 1) << setup.output;
    EXPECT_EQ(Journal().find("NetShare"), std::string::npos);
}

// A share a person made between two setups, which the second removes, is
// recorded by that run and back after the undo; one made after the last
// run stays; what the runs made goes.
TEST_F(UndoRun, TheUndoPutsBackEveryRunsRemovalsAndKeepsLaterShares) {
    const std::vector<std::string> before = Snapshot();
    ASSERT_EQ(Start("veltrin-sharing", kGateway).exitCode, 0);
    Import(DiskShare("BETWEEN", "C:\\\\MY DOCUMENTS"));
    const std::vector<std::string> beforeSecond = Snapshot();
    ASSERT_EQ(Start("veltrin-sharing", "click 1\nclick 1030\nclick 1\nwait 6000\n").exitCode, 0);
    ASSERT_EQ(Journal().find("NetShareAdd \"BETWEEN\""), std::string::npos);
    EXPECT_EQ(Count(testkit::ReadFile(UndoFile()), "LanMan\\BETWEEN]"), 2u); // [-KEY] and [KEY]
    Import(DiskShare("LATER", "C:\\\\"));
    fs::remove(transcript);
    ASSERT_EQ(Start("veltrin-sharing", kUndoYes, {"/undo"}).exitCode, 0);
    EXPECT_NE(Seen().find("BETWEEN (C:\\\\MY DOCUMENTS)"), std::string::npos) << Seen();
    EXPECT_EQ(Seen().find("LATER"), std::string::npos);
    Import(std::string("[-") + kShareKey + "\\LATER]\r\n[-" + kShareKey + "\\BETWEEN]\r\n");
    EXPECT_EQ(Snapshot(), before);
}

// Setup and undo exclude each other on one machine: the second is told and
// changes nothing.
TEST_F(UndoRun, ASecondSetupOrUndoWaitsForNone) {
    ASSERT_EQ(Start("veltrin-sharing", kGateway).exitCode, 0);
    const std::vector<std::string> after = Snapshot();
    // The lock a running setup or undo holds on the machine.
    const int held = open((machine + "/mutex-VeltrinPellorinSetup.lock").c_str(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    for (const char *args : {"/undo", ""}) {
        SCOPED_TRACE(args);
        fs::remove(transcript);
        const auto run = *args ? Start("veltrin-sharing", "answer ok\n", {args})
                               : Start("veltrin-sharing", "answer ok\n");
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_NE(Seen().find("Another setup or undo of the network settings is running"),
                  std::string::npos)
            << Seen();
        EXPECT_EQ(Snapshot(), after);
        EXPECT_TRUE(fs::exists(UndoFile()));
    }
    close(held);
    EXPECT_EQ(Start("veltrin-sharing", kUndoYes, {"/undo"}).exitCode, 0);
    EXPECT_FALSE(fs::exists(UndoFile()));
}

// Without a RunOnce key the setup makes one; the undo takes it away again,
// so the restart after the undo runs nothing.
TEST_F(UndoRun, ARunOnceKeyTheSetupMadeGoesWithTheUndo) {
    Import("[-HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce]\r\n");
    const std::vector<std::string> before = Snapshot();
    ASSERT_EQ(Start("veltrin-sharing", kGateway).exitCode, 0);
    ASSERT_EQ(Start("veltrin-sharing", kUndoYes, {"/undo"}).exitCode, 0);
    EXPECT_NE(Seen().find("RunOnce key, which the setup made: removed"), std::string::npos)
        << Seen();
    EXPECT_EQ(Snapshot(), before);
    const auto boot = testkit::Run({Program("veltrin-machine"), "boot", machine}, {});
    EXPECT_EQ(boot.output.find("Setup.exe"), std::string::npos) << boot.output;
}

// A malformed undo file says what is wrong and how to go on.
TEST_F(UndoRun, AMalformedUndoFileTellsHowToGoOn) {
    testkit::WriteFile(UndoFile(), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\r\n");
    const auto run = Start("veltrin-sharing", "click 1\nanswer ok\n");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(Seen().find("cannot be read: line 3, missing ']'."), std::string::npos) << Seen();
    EXPECT_NE(Seen().find("To go on, mend the file, or move it out of the Windows folder and run "
                          "the setup again"),
              std::string::npos);
    EXPECT_EQ(Journal().find("NetShare"), std::string::npos);
}

// The box names only what will change; a completed undo leaves nothing to
// undo, and says so.
TEST_F(UndoRun, TheBoxListsOnlyWhatWillChange) {
    ASSERT_EQ(Start("veltrin-sharing", kClient).exitCode, 0);
    ASSERT_EQ(Start("veltrin-sharing", kUndoYes, {"/undo"}).exitCode, 0);
    EXPECT_EQ(Seen().find("Addresses:"), std::string::npos) << Seen();
    fs::remove(transcript);
    ASSERT_EQ(Start("veltrin-sharing", "answer ok\n", {"/undo"}).exitCode, 0);
    EXPECT_NE(Seen().find("There is nothing left to undo"), std::string::npos) << Seen();
}

TEST_F(UndoRun, VeltrinUndoTakesOneOrZero) {
    const std::vector<std::string> before = Snapshot();
    const std::string script = dir.Path() + "/responses.txt";
    testkit::WriteFile(script, "answer ok\n");
    const auto run = testkit::Run({Program("veltrin-sharing")},
                                  {"VELTRIN_MACHINE=" + machine, "VELTRIN_UI=script:" + script,
                                   "VELTRIN_TRANSCRIPT=" + transcript, "VELTRIN_UNDO=yes"});
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_NE(Seen().find("VELTRIN_UNDO must be 1 (undo the setup) or 0 (run it)."),
              std::string::npos)
        << Seen();
    EXPECT_EQ(Seen().find("dialog 132"), std::string::npos);
    EXPECT_EQ(Snapshot(), before);
}

} // namespace
