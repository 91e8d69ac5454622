#include "platform/api.h"
#include "platform/sim/programs/process_start.h"
#include "platform/sim/programs/start_command.h"
#include "platform/sim/programs/started_programs.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include <unistd.h>

namespace {

// Writes where it ran, with what, into the machine folder.
constexpr const char *kReport = "#!/bin/sh\n"
                                "{ pwd; echo \"$VELTRIN_MACHINE\"; echo \"$VELTRIN_BIN\";\n"
                                "  printf '[%s]\\n' \"$@\"; } >\"$VELTRIN_MACHINE/report.txt\"\n";

class ProgramsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        machine.SetDrives({{'C', "fixed"}, {'E', "cdrom"}});
        machine.AddFile('E', "Tools/report.exe", kReport, true);
        machine.AddFile('E', "Tzr/Setup.exe", "#!/bin/sh\necho ran >>\"$VELTRIN_MACHINE/ran\"\n",
                        true);
        machine.AddFile('E', "readme.txt", "not a program");
        machine.AddFile('E', "bad.exe", "#!/nonexistent/interpreter\n", true);
        machine.AddFile('E', "slow.exe", "#!/bin/sh\nsleep 0.4\nexit 7\n", true);
        machine.Use();
    }
    std::vector<std::string> Journal() const { return testkit::Lines(machine.ReadJournal()); }
    testkit::TempMachine machine;
};

TEST_F(ProgramsTest, WinExecStartsTheProgramInItsDriveRootWithTheMachineEnvironment) {
    EXPECT_EQ(WinExec("e:\\tools\\REPORT.EXE one \"two three\" C:\\x", SW_SHOWNORMAL), 33u);
    sim::WaitForStartedPrograms();
    std::string self = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
    std::string cdRoot = std::filesystem::canonical(machine.DrivePath('E')).string();
    EXPECT_EQ(
        testkit::Lines(testkit::ReadFile(machine.Dir() + "/report.txt")),
        (std::vector<std::string>{cdRoot, machine.Dir(), self, "[one]", "[two three]", "[C:\\x]"}));
    EXPECT_EQ(Journal(),
              (std::vector<std::string>{
                  "WinExec \"e:\\\\tools\\\\REPORT.EXE one \\\"two three\\\" C:\\\\x\" 1 -> 33"}));
}

TEST_F(ProgramsTest, TheRunOnceCommandsTrailingBlankIsNotPartOfTheName) {
    EXPECT_EQ(WinExec("E:\\Tzr\\Setup.exe ", SW_SHOWNORMAL), 33u);
    sim::WaitForStartedPrograms();
    EXPECT_EQ(testkit::ReadFile(machine.Dir() + "/ran"), "ran\n");
}

TEST_F(ProgramsTest, WinExecFailuresGiveWindowsCodes) {
    struct Case {
        const char *command;
        UINT result;
    } cases[] = {{"E:\\missing.exe", 2},
                 {"E:\\NoDir\\x.exe", 3},
                 {"J:\\autorun.exe", 3},
                 {"E:\\readme.txt", 11},
                 {"E:\\Tools", 11},
                 {"E:\\bad.exe", 11},
                 {"\"E:\\Tools\\report\"", 2},
                 {"", 3},
                 {"E:\\..\\..\\bin\\sh", 3}};
    for (const Case &c : cases)
        EXPECT_EQ(WinExec(c.command, SW_SHOWNORMAL), c.result) << c.command;
    EXPECT_EQ(Journal().size(), std::size(cases));
    EXPECT_EQ(Journal()[0], "WinExec \"E:\\\\missing.exe\" 1 -> 2");
}

TEST_F(ProgramsTest, JournalLinesCannotBeForged) {
    WinExec("E:\\x.exe\nExitWindowsEx 2", SW_HIDE);
    EXPECT_EQ(Journal(),
              (std::vector<std::string>{"WinExec \"E:\\\\x.exe\\nExitWindowsEx 2\" 0 -> 3"}));
}

TEST_F(ProgramsTest, CreateProcessGivesAHandleToWaitOn) {
    char command[] = "E:\\slow.exe";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_FORCEONFEEDBACK;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                               nullptr, nullptr, &startup, &info));
    EXPECT_GT(info.dwProcessId, 0u);

    // Neither waits for the program's end: it is still running after both.
    EXPECT_EQ(WaitForInputIdle(info.hProcess, INFINITE), WAIT_FAILED); // a console program
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 50), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_OBJECT_0);

    // Reaped: no zombie is left behind.
    EXPECT_EQ(kill(static_cast<pid_t>(info.dwProcessId), 0), -1);
    EXPECT_EQ(errno, ESRCH);

    EXPECT_TRUE(CloseHandle(info.hThread));
    EXPECT_TRUE(CloseHandle(info.hProcess));
    EXPECT_FALSE(CloseHandle(info.hProcess));
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_FAILED);
    EXPECT_EQ(Journal(), (std::vector<std::string>{"CreateProcess \"E:\\\\slow.exe\" -> ok"}));
}

// A start is told before the program can write anything of its own: the
// setup program's "ran" comes after the line that started it.
TEST_F(ProgramsTest, StartIsToldBeforeTheProgramRuns) {
    const std::string ran = machine.Dir() + "/ran";
    bool told = false;
    const sim::StartOutcome outcome =
        sim::StartProgram(sim::SplitCommandLine("E:\\Tzr\\Setup.exe"), [&](const auto &start) {
            told = true;
            EXPECT_TRUE(start.process);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            EXPECT_FALSE(std::filesystem::exists(ran))
                << "the program ran before its start was told";
        });
    EXPECT_TRUE(told);
    ASSERT_TRUE(outcome.process);
    EXPECT_TRUE(sim::WaitForProcess(*outcome.process, 10000));
    EXPECT_EQ(testkit::ReadFile(ran), "ran\n");
}

TEST_F(ProgramsTest, CreateProcessFailureSetsTheError) {
    char command[] = "J:\\Wingate\\ws2setup.exe";
    STARTUPINFOA startup{};
    PROCESS_INFORMATION info{};
    EXPECT_FALSE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(Journal(), (std::vector<std::string>{
                             "CreateProcess \"J:\\\\Wingate\\\\ws2setup.exe\" -> failed"}));
}

TEST_F(ProgramsTest, WaitForStartedProgramsWaitsForEveryOne) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WinExec("E:\\slow.exe", SW_SHOWNORMAL), 33u);
    EXPECT_EQ(WinExec("E:\\slow.exe", SW_SHOWNORMAL), 33u);
    sim::WaitForStartedPrograms();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(350));
}

TEST_F(ProgramsTest, ExitWindowsExIsRecorded) {
    EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT, 0));
    EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0));
    EXPECT_EQ(Journal(), (std::vector<std::string>{"ExitWindowsEx 2", "ExitWindowsEx 6"}));
}

} // namespace
