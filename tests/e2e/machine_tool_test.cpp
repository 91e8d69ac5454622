// veltrin-machine's statuses: what it reports is what it did. Values of any
// size are read, a registry it cannot read and output it cannot write fail
// the command, and what CD programs wrote reaches the terminal escaped.
#include "tests/e2e/suite_run.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kRunOnce[] = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class MachineTool : public SuiteRun {
  protected:
    testkit::RunResult Tool(const std::vector<std::string> &args) const {
        std::vector<std::string> argv{Program("veltrin-machine")};
        argv.insert(argv.end(), args.begin(), args.end());
        return testkit::Run(argv, {});
    }
    void Import(const std::string &body) const {
        const std::string file = dir.Path() + "/change.reg";
        testkit::WriteFile(file, "REGEDIT4\r\n\r\n" + body);
        const auto imported = Tool({"reg", machine, "import", file});
        ASSERT_EQ(imported.exitCode, 0) << imported.output;
    }
    // The tool with its standard output on a full disk.
    testkit::RunResult ToFullDisk(const std::string &args) const {
        return testkit::Run(
            {"/bin/sh", "-c", Program("veltrin-machine") + " " + args + " >/dev/full"}, {});
    }
};

// A 5 KB command and a 2 KB value name among the RunOnce entries: every
// entry is removed and run, and the count says so.
TEST_F(MachineTool, BootRunsEveryRunOnceEntryWhateverItsSize) {
    const std::string longName(2000, 'N');
    Import(std::string("[") + kRunOnce + "]\r\n\"First\"=\"E:\\\\Tzr\\\\first.exe " +
           std::string(5000, 'a') + "\"\r\n\"" + longName +
           "\"=\"E:\\\\Tzr\\\\second.exe\"\r\n\"Third\"=\"E:\\\\Tzr\\\\third.exe\"\r\n\r\n");
    const auto boot = Tool({"boot", machine});
    EXPECT_EQ(boot.exitCode, 0) << boot.output.substr(0, 500);
    EXPECT_NE(boot.output.find("restarted; 3 RunOnce entries run\n"), std::string::npos)
        << boot.output.substr(0, 500);
    for (const char *program : {"first.exe", "second.exe", "third.exe"})
        EXPECT_NE(testkit::ReadFile(machine + "/journal.log").find(program), std::string::npos)
            << program;
    const auto left = Tool({"reg", machine, "export", kRunOnce});
    EXPECT_EQ(left.output, std::string("REGEDIT4\r\n\r\n[") + kRunOnce + "]\r\n\r\n");
}

// show lists what follows a name longer than any fixed buffer, and reads a
// long path whole.
TEST_F(MachineTool, ShowListsPastLongNames) {
    const std::string lanman =
        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Network\\LanMan";
    const std::string longName(255, 'L'); // the longest key name Windows allows
    const std::string longPath = "C:\\\\" + std::string(5000, 'p'); // as the .reg file writes it
    Import("[" + lanman + "\\" + longName + "]\r\n\"Type\"=dword:00000000\r\n\"Path\"=\"" +
           longPath + "\"\r\n\r\n[" + lanman +
           "\\ZLAST]\r\n\"Type\"=dword:00000000\r\n\"Path\"=\"D:\\\\\"\r\n\r\n");
    const auto shown = Tool({"show", machine});
    EXPECT_EQ(shown.exitCode, 0) << shown.output.substr(0, 500);
    EXPECT_NE(shown.output.find(longName + " disk"), std::string::npos);
    EXPECT_NE(shown.output.find(std::string(5000, 'p')), std::string::npos);
    EXPECT_NE(shown.output.find("ZLAST"), std::string::npos);
}

// A registry that does not parse: boot and show fail with its line, and no
// restart is recorded.
TEST_F(MachineTool, AnUnreadableRegistryFailsBootAndShow) {
    testkit::WriteFile(machine + "/registry.reg", "not a registry\r\n");
    const std::string before = testkit::ReadFile(machine + "/journal.log");
    for (const char *command : {"boot", "show"}) {
        SCOPED_TRACE(command);
        const auto run = Tool({command, machine});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.output, machine + "/registry.reg:1: missing REGEDIT4 header\n");
    }
    EXPECT_EQ(testkit::ReadFile(machine + "/journal.log"), before);
}

// Output that cannot be written fails the command.
TEST_F(MachineTool, OutputThatCannotBeWrittenFails) {
    for (const std::string &args :
         {"reg " + machine + " export", "show " + machine, "new " + dir.Path() + "/another"}) {
        SCOPED_TRACE(args);
        const auto run = ToFullDisk(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.output,
                  "veltrin-machine: cannot write the output: No space left on device\n");
    }
}

// Lines CD programs wrote to the journal are shown with their control bytes
// escaped.
TEST_F(MachineTool, ShowEscapesTheJournal) {
    testkit::WriteFile(machine + "/journal.log", "plain\nEsc\x1b[2J\rback\x07\n");
    const auto shown = Tool({"show", machine});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_NE(
        shown.output.find("Journal (last 2 of 2 lines):\n  plain\n  Esc\\x1b[2J\\x0dback\\x07\n"),
        std::string::npos)
        << shown.output;
}

// A transcript that cannot be written is told once; the run goes on.
TEST_F(MachineTool, AnUnwritableTranscriptIsToldOnce) {
    const std::string script = dir.Path() + "/responses.txt";
    testkit::WriteFile(script, "click 2\n");
    const auto run = testkit::Run({Program("veltrin-sharing")},
                                  {"VELTRIN_MACHINE=" + machine, "VELTRIN_UI=script:" + script,
                                   "VELTRIN_TRANSCRIPT=" + dir.Path()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output,
              "veltrin-sharing: cannot write the transcript " + dir.Path() + ": Is a directory\n");
}

// Without a folder the commands take the machine the programs use:
// VELTRIN_MACHINE's, else the default machine's copy, made on first use.
TEST_F(MachineTool, WithoutAFolderTheProgramsMachineIsTaken) {
    const std::string file = dir.Path() + "/change.reg";
    testkit::WriteFile(file, std::string("REGEDIT4\r\n\r\n[") + kRunOnce +
                                 "]\r\n\"Mark\"=\"E:\\\\Tzr\\\\mark.exe\"\r\n\r\n");
    const std::vector<std::string> named{"VELTRIN_MACHINE=" + machine};
    const auto imported = testkit::Run({Program("veltrin-machine"), "reg", "import", file}, named);
    EXPECT_EQ(imported.exitCode, 0) << imported.output;
    const auto exported =
        testkit::Run({Program("veltrin-machine"), "reg", "export", kRunOnce}, named);
    EXPECT_NE(exported.output.find("\"Mark\"="), std::string::npos) << exported.output;

    const std::string data = dir.Path() + "/data", copy = data + "/veltrin/machine";
    const std::vector<std::string> byDefault{"VELTRIN_MACHINE=", "XDG_DATA_HOME=" + data};
    const auto shown = testkit::Run({Program("veltrin-machine"), "show"}, byDefault);
    EXPECT_EQ(shown.exitCode, 0) << shown.output;
    EXPECT_TRUE(shown.output.starts_with("Machine " + copy + "\n")) << shown.output;
    const auto booted = testkit::Run({Program("veltrin-machine"), "boot"}, byDefault);
    EXPECT_EQ(booted.exitCode, 0) << booted.output;
    EXPECT_EQ(testkit::ReadFile(copy + "/journal.log"), "Boot\n");
    EXPECT_EQ(testkit::ReadFile(machine + "/journal.log"), "");
}

// The default machine's data folder cannot be made (its parent is a file):
// the reason told is its own, not the missing folder that follows from it.
TEST_F(MachineTool, ADataFolderThatCannotBeMadeIsNamed) {
    const std::string data = dir.Path() + "/file/data";
    testkit::WriteFile(dir.Path() + "/file", "");
    const auto run = testkit::Run({Program("veltrin")},
                                  {"XDG_DATA_HOME=" + data, "VELTRIN_MACHINE=", "VELTRIN_UI="});
    EXPECT_NE(run.output.find("cannot create the default machine " + data +
                              "/veltrin/machine: " + data + "/veltrin: Not a directory"),
              std::string::npos)
        << run.output;
}

} // namespace
