// The launcher program driven by response files: what the person saw, the
// exit status, and what the machine started.
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LauncherRun {
    testkit::TempMachine machine;
    testkit::TempDir files;

    testkit::RunResult Run(const std::string &script) {
        testkit::WriteFile(files.Path() + "/run.script", script);
        return testkit::Run({testkit::BuiltProgram("bin/veltrin")},
                            {"VELTRIN_MACHINE=" + machine.Dir(),
                             "VELTRIN_UI=script:" + files.Path() + "/run.script",
                             "VELTRIN_TRANSCRIPT=" + files.Path() + "/run.transcript"});
    }
    std::vector<std::string> Transcript() const {
        return testkit::Lines(testkit::ReadFile(files.Path() + "/run.transcript"));
    }
};

const std::string kPrompt =
    "msgbox \"Reminder\" \"Please make sure your Quorvane Phoneline Network Card Installation "
    "CD-ROM is properly inserted in your CD-ROM Drive.  Click OK to continue or Cancel to "
    "abort.\" 1 owner=none";

TEST(LauncherProgram, PromptsForDriveJUntilCancelledAndEndsWithZero) {
    LauncherRun run;
    run.machine.SetDrives({{'C', "fixed"}, {'K', "cdrom"}});
    run.machine.AddFile('K', "Tzr\\Setup");
    const auto result = run.Run("answer ok\n# still no CD in J\nanswer cancel\n");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(run.Transcript(),
              (std::vector<std::string>{kPrompt, "answer ok", kPrompt, "answer cancel"}));
    EXPECT_EQ(run.machine.ReadJournal(), "");
}

TEST(LauncherProgram, StartsTheCdsAutorunWithoutAPrompt) {
    LauncherRun run;
    run.machine.SetDrives({{'E', "cdrom"}});
    run.machine.AddFile('E', "Tzr\\Setup");
    run.machine.AddFile('E', "autorun.exe", "#!/bin/sh\necho started >\"$VELTRIN_MACHINE/ran\"\n",
                        true);
    const auto result = run.Run("");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_TRUE(run.Transcript().empty());
    EXPECT_EQ(run.machine.ReadJournal(), "WinExec \"E:\\\\autorun.exe\" 1 -> 33\n");
    EXPECT_EQ(testkit::ReadFile(run.machine.Dir() + "/ran"), "started\n");
}

TEST(LauncherProgram, AScriptThatRunsOutNamesWhatWasShowing) {
    LauncherRun run;
    run.machine.SetDrives({{'E', "cdrom"}});
    const auto result = run.Run("answer ok\n");
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.output.find("Reminder"), std::string::npos) << result.output;
    EXPECT_EQ(run.machine.ReadJournal(), "");
}

} // namespace
