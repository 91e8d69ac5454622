// A setup disk: a run recorded once (/record) and replayed on other PCs.
// A person's run at the terminal (tmux) is recorded, then replayed on a PC
// with one more drive and its printers in another order, which must get the
// same drives and printers shared, by name, and the same role; on a PC that
// lacks the printer the replay stops before OK and changes nothing. A
// scripted run recorded and replayed shows a person the same.
#include "tests/e2e/tui_tmux.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace {

using tuitest::ShellQuote;
using tuitest::TmuxSession;
using Lines = std::vector<std::string>;

const char kPrinters[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers";

std::string Program(const std::string &name) {
    return testkit::BuiltProgram("bin/" + name);
}

// A copy of the default machine: drives A, C, E (the CD) and F; the printers
// Desk Laser (shared as LASER), Inkjet (Color), Office Laser, Label Printer.
std::string NewMachine(const testkit::TempDir &dir, const std::string &name) {
    const std::string machine = dir.Path() + "/" + name;
    const auto made = testkit::Run({Program("veltrin-machine"), "new", machine}, {});
    EXPECT_EQ(made.exitCode, 0) << made.output;
    return machine;
}

void ImportRegistry(const std::string &machine, const std::string &body) {
    const std::string file = machine + ".reg";
    testkit::WriteFile(file, "REGEDIT4\r\n\r\n" + body);
    const auto imported =
        testkit::Run({Program("veltrin-machine"), "reg", machine, "import", file}, {});
    EXPECT_EQ(imported.exitCode, 0) << imported.output;
}

// The next PC: a second hard disk D, which comes before the CD in the drive
// list, and the printers installed in the opposite order.
void MakeTheNextPc(const std::string &machine) {
    std::string ini = testkit::ReadFile(machine + "/machine.ini");
    const std::size_t c = ini.find("C=fixed");
    ASSERT_NE(c, std::string::npos) << ini;
    ini.insert(c, "D=fixed\n");
    testkit::WriteFile(machine + "/machine.ini", ini);
    std::filesystem::create_directories(machine + "/drives/D");
    const std::string key = std::string("[") + kPrinters + "\\";
    ImportRegistry(machine, std::string("[-") + kPrinters + "]\r\n\r\n" + key +
                                "Label Printer]\r\n\"Port\"=\"COM2:\"\r\n"
                                "\"Attributes\"=dword:00000040\r\n\r\n" +
                                key +
                                "Office Laser]\r\n\"Port\"=\"\\\\\\\\OFFICE\\\\LASER\"\r\n"
                                "\"Attributes\"=dword:00000010\r\n\r\n" +
                                key +
                                "Inkjet (Color)]\r\n\"Port\"=\"LPT2:\"\r\n"
                                "\"Attributes\"=dword:00000040\r\n\r\n" +
                                key +
                                "Desk Laser]\r\n\"Port\"=\"LPT1:\"\r\n"
                                "\"Attributes\"=dword:00000048\r\n\"Share Name\"=\"LASER\"\r\n");
}

// A part of what `veltrin-machine show` tells ("Shares:", "Printers:", ...),
// its lines sorted: the same shares in any order are the same setup.
Lines ShownPart(const std::string &machine, const std::string &part) {
    const auto shown = testkit::Run({Program("veltrin-machine"), "show", machine}, {});
    EXPECT_EQ(shown.exitCode, 0) << shown.output;
    Lines lines;
    bool in = false;
    std::istringstream text(shown.output);
    for (std::string line; std::getline(text, line);) {
        if (!line.starts_with(" "))
            in = line == part;
        else if (in)
            lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// A gateway's role shows as the fixed address on the card's TCP/IP binding.
void ExpectGateway(const std::string &machine) {
    const Lines card = ShownPart(machine, "TCP/IP of the card (VEN_1022&DEV_2001):");
    ASSERT_EQ(card.size(), 1u);
    EXPECT_NE(card[0].find("IPAddress 192.168.0."), std::string::npos) << card[0];
    EXPECT_NE(card[0].find("IPMask 255.255.255.0"), std::string::npos) << card[0];
}

testkit::RunResult Replay(const std::string &program, const std::string &machine,
                          const std::string &recording, const std::string &transcript = "") {
    std::vector<std::string> env = {"VELTRIN_MACHINE=" + machine, "VELTRIN_UI=script:" + recording};
    if (!transcript.empty())
        env.push_back("VELTRIN_TRANSCRIPT=" + transcript);
    return testkit::Run({Program(program)}, env, 60);
}

// One person's run at the terminal, recorded, for every test of the suite:
// the launcher finds the CD and starts the dialog suite, which adds to the
// launcher's recording.
class TerminalRecording : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (TmuxSession::Program().empty())
            return;
        m_dir = new testkit::TempDir;
        m_source = NewMachine(*m_dir, "first-pc");
        m_recording = m_dir->Path() + "/setup disk.txt";
        TmuxSession tmux("VELTRIN_UI=tui VELTRIN_MACHINE=" + ShellQuote(m_source) + " " +
                             ShellQuote(Program("veltrin")) + " /record " +
                             ShellQuote(m_recording) + "; echo \"exit code $?\"; exec sleep 600",
                         100, 40);
        if (!tmux.WaitFor("Quorvane File and Printer Sharing Selection")) {
            m_failure = "the sharing dialog did not show:\n" + tmux.Screen();
            return;
        }
        // From OK, the first tab stop: Tab to the Local Drives list, End
        // selects its last entry, [-E-DRIVE]; back to ">>" and press it.
        // Then on to Local Printers, Home for Inkjet (Color), its ">>", and
        // Tab round to OK.
        tmux.Keys({"Tab", "Tab", "Tab", "End", "BTab", "BTab", "Space"});
        tmux.Keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Home", "BTab", "BTab", "Space"});
        tmux.Keys({"Tab", "Tab", "Tab", "Tab", "Enter"});
        if (!tmux.WaitFor("Server-Client selection")) {
            m_failure = "the role dialog did not show:\n" + tmux.Screen();
            return;
        }
        // Down reaches the Gateway/Server radio button and clicks it; Enter is OK.
        // The restart notice then ends itself.
        tmux.Keys({"Down", "Enter"});
        if (!tmux.WaitFor("exit code", 20000) ||
            tmux.Screen().find("exit code 0") == std::string::npos)
            m_failure = "the run did not end well:\n" + tmux.Screen();
    }
    static void TearDownTestSuite() {
        delete m_dir;
        m_dir = nullptr;
    }
    void SetUp() override {
        if (TmuxSession::Program().empty())
            GTEST_SKIP() << "tmux is not installed";
        ASSERT_EQ(m_failure, "");
    }

    static testkit::TempDir *m_dir;
    static std::string m_source, m_recording, m_failure;
    testkit::TempDir m_here;
};

testkit::TempDir *TerminalRecording::m_dir = nullptr;
std::string TerminalRecording::m_source, TerminalRecording::m_recording,
    TerminalRecording::m_failure;

TEST_F(TerminalRecording, NamesEveryChoiceAsThePersonSawIt) {
    Lines lines = testkit::Lines(testkit::ReadFile(m_recording));
    ASSERT_EQ(lines.size(), 12u) << testkit::ReadFile(m_recording);
    EXPECT_TRUE(lines[0].starts_with("# Recorded by veltrin on 20")) << lines[0];
    // The notice's five ticks of 900 ms as the terminal measured them.
    const std::string wait = lines.back();
    lines.erase(lines.begin());
    lines.pop_back();
    EXPECT_EQ(lines, (Lines{
                         "# dialog 132 \"Quorvane File and Printer Sharing Selection\"",
                         "select 1011 \"[-E-DRIVE]\"",
                         "click 1002   # >>",
                         "select 1013 \"Inkjet (Color)\"",
                         "click 1004   # >>",
                         "click 1   # OK",
                         "# dialog 133 \"Server-Client selection\"",
                         "click 1030   # Gateway/Server",
                         "click 1   # OK",
                         "# dialog 134 \"                     Reboot Message!\"",
                     }));
    ASSERT_TRUE(wait.starts_with("wait ")) << wait;
    const long ms = std::stol(wait.substr(5));
    EXPECT_GE(ms, 4500);
    EXPECT_LT(ms, 6000);
}

TEST_F(TerminalRecording, ReplaysByNameOnAPcWithAnotherDriveAndPrinterOrder) {
    const std::string target = NewMachine(m_here, "next-pc");
    MakeTheNextPc(target);
    // By their places the entries would be [-D-DRIVE] and Label Printer here.
    const auto run = Replay("veltrin", target, m_recording);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(ShownPart(target, "Shares:"), ShownPart(m_source, "Shares:"));
    EXPECT_EQ(ShownPart(target, "Printers:"), ShownPart(m_source, "Printers:"));
    ExpectGateway(m_source);
    ExpectGateway(target);
    EXPECT_EQ(ShownPart(target, "RunOnce:"), ShownPart(m_source, "RunOnce:"));
}

TEST_F(TerminalRecording, APcWithoutThePrinterStopsAtItsLineAndChangesNothing) {
    const std::string target = NewMachine(m_here, "other-pc");
    ImportRegistry(target, std::string("[-") + kPrinters + "\\Inkjet (Color)]\r\n");
    const std::string before = testkit::ReadFile(target + "/registry.reg");
    // The suite itself, whose status it is (the launcher ends with 0 whatever
    // the CD's program does).
    const auto run = Replay("veltrin-sharing", target, m_recording);
    EXPECT_EQ(run.exitCode, 3) << run.output;
    EXPECT_NE(run.output.find(
                  "veltrin-sharing: " + m_recording +
                  ":5: \"select 1013 \\\"Inkjet (Color)\\\"\" does not fit: list 1013 has no entry "
                  "\"Inkjet (Color)\" (showing: dialog 132 \"Quorvane File and Printer Sharing "
                  "Selection\")\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(testkit::ReadFile(target + "/registry.reg"), before);
    EXPECT_EQ(testkit::ReadFile(target + "/journal.log").find("NetShare"), std::string::npos);
}

// A scripted run with everything the grammar has: entries by number and by
// text, the About box, a wait, and the answers to the Reminder of a missing
// CD. Its recording, replayed on a PC like it, shows a person the same.
TEST(ScriptedRecording, ReplaysAsTheSameTranscript) {
    testkit::TempDir dir;
    const std::string first = NewMachine(dir, "first-pc");
    const std::string second = NewMachine(dir, "second-pc");
    for (const std::string &machine : {first, second})
        std::filesystem::remove(machine + "/drives/E/Tzr/Setup");
    const std::string script = dir.Path() + "/answers.txt";
    const std::string recording = dir.Path() + "/recording.txt";
    testkit::WriteFile(script, "select 1011 1\n"
                               "click 1002\n"
                               "dblclick 1013 \"Inkjet (Color)\"   # by its text already\n"
                               "sysmenu 0x10\n"
                               "click 1\n"
                               "wait 250\n"
                               "dblclick 1012 0\n"
                               "click 1\n"
                               "answer yes\n"
                               "answer no\n");
    const auto recorded = testkit::Run({Program("veltrin-sharing"), "/script", script, "/record",
                                        recording, "/transcript", dir.Path() + "/first.txt"},
                                       {"VELTRIN_MACHINE=" + first}, 60);
    ASSERT_EQ(recorded.exitCode, 0) << recorded.output;
    const auto replayed = Replay("veltrin-sharing", second, recording, dir.Path() + "/second.txt");
    ASSERT_EQ(replayed.exitCode, 0) << replayed.output << testkit::ReadFile(recording);
    const std::string seen = testkit::ReadFile(dir.Path() + "/first.txt");
    EXPECT_NE(seen.find("answer yes"), std::string::npos) << seen;
    EXPECT_EQ(testkit::ReadFile(dir.Path() + "/second.txt"), seen);
    EXPECT_EQ(ShownPart(second, "Shares:"), ShownPart(first, "Shares:"));
}

// A recording that cannot be written loses only the recording: told once,
// however many events the run has, and the run goes on.
TEST(ScriptedRecording, AnUnwritableRecordingIsToldOnce) {
    testkit::TempDir dir;
    const std::string machine = NewMachine(dir, "pc");
    const std::string script = dir.Path() + "/answers.txt";
    testkit::WriteFile(script, "select 1011 0\nsysmenu 0x10\nclick 1\nclick 2\n");
    const auto run =
        testkit::Run({Program("veltrin-sharing"), "/script", script, "/record", dir.Path()},
                     {"VELTRIN_MACHINE=" + machine}, 60);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output,
              "veltrin-sharing: cannot write the recording " + dir.Path() + ": Is a directory\n");
}

// Recording over the response file being replayed would empty it under the
// programs still to read it: that run is not recorded.
TEST(ScriptedRecording, TheResponseFileBeingReplayedIsNotRecordedOver) {
    testkit::TempDir dir;
    const std::string machine = NewMachine(dir, "pc");
    const std::string script = dir.Path() + "/answers.txt";
    testkit::WriteFile(script, "click 2\n");
    const auto run = testkit::Run(
        {Program("veltrin"), "/script", script, "/record", dir.Path() + "/./answers.txt"},
        {"VELTRIN_MACHINE=" + machine}, 60);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "veltrin: the recording " + script +
                              " is the response file being replayed: the run is not recorded\n");
    EXPECT_EQ(testkit::ReadFile(script), "click 2\n");
}

} // namespace
