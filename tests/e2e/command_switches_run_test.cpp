// The programs' switches, run as a deployment script would run them: they
// win over the environment, reach the programs the launcher starts, and a
// command line that is not understood never starts a run.
#include "tests/e2e/suite_run.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const char kSharingOpen[] = R"(dialog 132 open "Quorvane File and Printer Sharing Selection")";

class SwitchesRun : public SuiteRun {
  protected:
    // Runs a program with the arguments given, the environment's settings
    // pointing at files that are not there.
    testkit::RunResult Run(const std::string &program, std::vector<std::string> arguments) {
        return RunFile(Program(program), std::move(arguments));
    }
    testkit::RunResult RunFile(const std::string &file, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), file);
        return testkit::Run(arguments, {"VELTRIN_MACHINE=" + machine,
                                        "VELTRIN_UI=script:" + dir.Path() + "/absent.txt",
                                        "VELTRIN_TRANSCRIPT=" + unused});
    }
    std::string Journal() const { return testkit::ReadFile(machine + "/journal.log"); }
    // A copy of a built program under another name, in a folder of its own.
    std::string Copy(const std::string &program, const std::string &name) {
        const std::filesystem::path folder = dir.Path() + "/copy-" + std::to_string(++m_copies);
        std::filesystem::create_directory(folder);
        std::filesystem::copy_file(Program(program), folder / name);
        return (folder / name).string();
    }

    std::string script = dir.Path() + "/answers.txt";
    std::string unused = dir.Path() + "/unused.txt";

  private:
    int m_copies = 0;
};

TEST_F(SwitchesRun, SwitchesWinOverTheVariablesAndReachTheSuiteTheLauncherStarts) {
    // The close box of the sharing dialog, which the CD's autorun opens.
    testkit::WriteFile(script, "sysmenu 0xF060\n");
    const auto run = Run("veltrin", {"/SCRIPT", script, "-transcript", transcript});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(testkit::Lines(testkit::ReadFile(transcript)).front(), kSharingOpen);
    EXPECT_NE(Journal().find("autorun.exe"), std::string::npos) << Journal();
    EXPECT_FALSE(std::filesystem::exists(unused));
}

TEST_F(SwitchesRun, HelpPrintsTheUsageAndRunsNothing) {
    const auto run = Run("veltrin-sharing", {"-TRANSCRIPT", transcript, "--help"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.output.starts_with(
        "Usage: veltrin-sharing [/script <file>] [/transcript <file>] [/record <file>] "
        "[/undo]\n"))
        << run.output;
    EXPECT_FALSE(std::filesystem::exists(transcript));
    EXPECT_EQ(Journal(), "");
}

TEST_F(SwitchesRun, AnUnknownSwitchIsRefusedWithStatusTwoAndNoRun) {
    testkit::WriteFile(script, "sysmenu 0xF060\n");
    for (const std::vector<std::string> &arguments :
         {std::vector<std::string>{"/script", script, "/colour", "blue"},
          std::vector<std::string>{"/script", script, "/transcript"}}) {
        const auto run = Run("veltrin", arguments);
        EXPECT_EQ(run.exitCode, 2) << run.output;
        EXPECT_TRUE(run.output.starts_with("veltrin: ")) << run.output;
        EXPECT_NE(run.output.find("(veltrin /? lists the switches)"), std::string::npos)
            << run.output;
    }
    EXPECT_EQ(Journal(), "");
    EXPECT_FALSE(std::filesystem::exists(transcript));
}

// The switches belong to the program, not to its file's name: the suite
// copied under another name, or under its short name, still takes /undo; the
// launcher under the suite's name still refuses it.
TEST_F(SwitchesRun, EachProgramKnowsItsSwitchesWhateverItsFileIsCalled) {
    for (const char *name : {"SHARING.EXE", "VELTRI~1.EXE"}) {
        SCOPED_TRACE(name);
        const auto help = RunFile(Copy("veltrin-sharing", name), {"/?"});
        EXPECT_EQ(help.exitCode, 0) << help.output;
        const std::string usage =
            std::string("Usage: ") + std::string(name, std::strlen(name) - 4) +
            " [/script <file>] [/transcript <file>] [/record <file>] [/undo]\n";
        EXPECT_TRUE(help.output.starts_with(usage)) << help.output;
    }
    const auto refused = RunFile(Copy("veltrin", "veltrin-sharing"), {"/undo"});
    EXPECT_EQ(refused.exitCode, 2) << refused.output;
    EXPECT_NE(refused.output.find("unknown switch \"/undo\""), std::string::npos) << refused.output;
}

// Words that are no switches are ignored, as the tail of a path with a blank
// that was not quoted: the undo runs under the suite's short name, and the
// launcher's run goes on to the suite.
TEST_F(SwitchesRun, AStrayWordIsIgnoredAndTheRunGoesOn) {
    testkit::WriteFile(script, "answer ok\n");
    const auto undo = RunFile(Copy("veltrin-sharing", "VELTRI~1.EXE"),
                              {"Files\\VELTRIN\\veltrin-sharing.exe", "/undo", "/script", script,
                               "/transcript", transcript, "stray"});
    EXPECT_EQ(undo.exitCode, 0) << undo.output;
    EXPECT_NE(testkit::ReadFile(transcript).find("There is nothing left to undo"),
              std::string::npos)
        << testkit::ReadFile(transcript);

    std::filesystem::remove(transcript);
    testkit::WriteFile(script, "sysmenu 0xF060\n");
    const auto run =
        Run("veltrin", {"stray", "/script", script, "/transcript", transcript, "word"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(testkit::Lines(testkit::ReadFile(transcript)).front(), kSharingOpen);
}

} // namespace
