// The command line's switches: what each sets, the forms a switch may take,
// the words that are ignored, and every way a command line is refused.
#include "platform/framework/command_switches.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Outcome = vp::CommandLine::Outcome;

vp::CommandLine Parse(std::vector<const char *> arguments) {
    return vp::ParseCommandLine(arguments, vp::LauncherSwitches());
}

std::vector<std::string> Settings(const vp::CommandLine &line) {
    std::vector<std::string> settings;
    for (const vp::Setting &setting : line.settings)
        settings.push_back(std::string(setting.variable) + "=" + setting.value);
    return settings;
}

TEST(CommandSwitches, EachSwitchSetsItsVariableInAnyCaseAndWithEitherPrefix) {
    const vp::CommandLine line =
        Parse({"-SCRIPT", "C:\\run\\answers.txt", "/Transcript", "seen.txt"});
    EXPECT_EQ(line.outcome, Outcome::Run);
    EXPECT_EQ(Settings(line), (std::vector<std::string>{"VELTRIN_UI=script:C:\\run\\answers.txt",
                                                        "VELTRIN_TRANSCRIPT=seen.txt"}));
    // A file whose name starts like a switch is still the file; a switch
    // given twice is applied twice, the later last.
    EXPECT_EQ(Settings(Parse({"--script", "/answers/a", "/script", "-b"})),
              (std::vector<std::string>{"VELTRIN_UI=script:/answers/a", "VELTRIN_UI=script:-b"}));
    EXPECT_EQ(Parse({}).outcome, Outcome::Run);
}

TEST(CommandSwitches, HelpInEveryFormAsksForTheUsage) {
    for (const char *help : {"/?", "-?", "-h", "/H", "--help", "/help"}) {
        SCOPED_TRACE(help);
        EXPECT_EQ(Parse({"/script", "a.txt", help}).outcome, Outcome::Help);
    }
}

TEST(CommandSwitches, WhatIsNotUnderstoodIsRefusedWithTheReason) {
    const struct {
        std::vector<const char *> arguments;
        const char *error;
    } cases[] = {
        {{"/colour"}, "unknown switch \"/colour\""},
        {{"/scripts", "a.txt"}, "unknown switch \"/scripts\""},
        {{"/script"}, "/script needs <file>"},
        {{"-Transcript", ""}, "-Transcript needs <file>"},
        // A misspelt switch never starts a run.
        {{"/scirpt", "a.txt"}, "unknown switch \"/scirpt\""},
        {{"-"}, "unknown switch \"-\""},
        {{"/"}, "unknown switch \"/\""},
        {{"--"}, "unknown switch \"--\""},
        // A fault anywhere refuses the whole line, help or not.
        {{"/?", "/x"}, "unknown switch \"/x\""},
    };
    for (const auto &each : cases) {
        SCOPED_TRACE(each.error);
        const vp::CommandLine line = Parse(each.arguments);
        EXPECT_EQ(line.outcome, Outcome::Error);
        EXPECT_EQ(line.error, each.error);
    }
}

TEST(CommandSwitches, ARowOfTheTableIsAllANewSwitchNeeds) {
    std::vector<vp::Switch> table(vp::LauncherSwitches().begin(), vp::LauncherSwitches().end());
    table.push_back({"undo", "", "VELTRIN_UNDO", "1", "take back the last setup"});
    const std::vector<const char *> arguments = {"/UNDO", "/script", "a.txt"};
    const vp::CommandLine line = vp::ParseCommandLine(arguments, table);
    EXPECT_EQ(Settings(line),
              (std::vector<std::string>{"VELTRIN_UNDO=1", "VELTRIN_UI=script:a.txt"}));
    EXPECT_EQ(vp::UsageText("veltrin-sharing", table),
              "Usage: veltrin-sharing [/script <file>] [/transcript <file>] [/record <file>] "
              "[/undo]\n"
              "\n"
              "  /script <file>      answer the dialogs and message boxes from a response file\n"
              "  /transcript <file>  add what a person would have seen to a file\n"
              "  /record <file>      write every choice as a response file\n"
              "  /undo               take back the last setup\n"
              "  /?                  show this help\n"
              "\n"
              "A switch may also start with -, in any case. Switches win over the\n"
              "environment and pass on to the programs this one starts.\n");
}

TEST(CommandSwitches, TheProgramIsNamedWithoutFolderOrExtension) {
    EXPECT_EQ(vp::ProgramName("C:\\VELTRIN\\VELTRIN.EXE"), "VELTRIN");
    EXPECT_EQ(vp::ProgramName("E:veltrin-sharing.exe"), "veltrin-sharing");
    EXPECT_EQ(vp::ProgramName("/opt/vp/bin/veltrin"), "veltrin");
    EXPECT_EQ(vp::ProgramName(".exe"), ".exe");
    EXPECT_EQ(vp::ProgramName(""), "veltrin");
}

} // namespace

namespace {

// /undo belongs to the dialog suite alone: the launcher refuses it rather than
// pass it on to the suite it starts.
TEST(CommandSwitches, UndoIsTheSuitesOwn) {
    const std::vector<const char *> arguments = {"-Undo"};
    const vp::CommandLine suite = vp::ParseCommandLine(arguments, vp::SuiteSwitches());
    EXPECT_EQ(suite.outcome, vp::CommandLine::Outcome::Run);
    EXPECT_EQ(Settings(suite), std::vector<std::string>{"VELTRIN_UNDO=1"});
    EXPECT_EQ(vp::ParseCommandLine(arguments, vp::LauncherSwitches()).outcome,
              vp::CommandLine::Outcome::Error);
}

// A word that is no switch is ignored wherever it stands, as the tail of a
// path with a blank is when the program was started without quotes; the
// file after a switch is still the switch's.
TEST(CommandSwitches, WordsThatAreNoSwitchesAreIgnored) {
    const vp::CommandLine line = vp::ParseCommandLine(
        std::vector<const char *>{"Files\\VELTRIN\\veltrin.exe", "/script", "a.txt", "stray", ""},
        vp::SuiteSwitches());
    EXPECT_EQ(line.outcome, Outcome::Run);
    EXPECT_EQ(Settings(line), std::vector<std::string>{"VELTRIN_UI=script:a.txt"});
    EXPECT_EQ(Parse({"stray", "/?"}).outcome, Outcome::Help);
}

} // namespace
