// The programs' switches, run as a deployment script would run them: they
// win over the environment, reach the programs the launcher starts, and a
// command line that is not understood never starts a run.
#include "tests/e2e/suite_run.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

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
        arguments.insert(arguments.begin(), Program(program));
        return testkit::Run(arguments, {"VELTRIN_MACHINE=" + machine,
                                        "VELTRIN_UI=script:" + dir.Path() + "/absent.txt",
                                        "VELTRIN_TRANSCRIPT=" + unused});
    }
    std::string Journal() const { return testkit::ReadFile(machine + "/journal.log"); }

    std::string script = dir.Path() + "/answers.txt";
    std::string unused = dir.Path() + "/unused.txt";
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

} // namespace
