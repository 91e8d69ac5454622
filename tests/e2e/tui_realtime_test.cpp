// The dialog suite in a real terminal on the real clock (tmux, 100 x 30, a
// fresh copy of the default machine): the restart notice ends itself after
// its five ticks of 900 ms, and the program sleeps while it waits, for a key
// or for the next tick.
#include "tests/e2e/tui_tmux.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace {

using tuitest::ShellQuote;
using tuitest::TmuxSession;
using Clock = std::chrono::steady_clock;

// The time a process has run on a processor, as the scheduler counts it (in
// nanoseconds, so that a few milliseconds of spinning show); -1 once it is gone.
double CpuSeconds(const std::string &pid) {
    std::ifstream in("/proc/" + pid + "/schedstat");
    double nanoseconds = -1;
    in >> nanoseconds;
    return in ? nanoseconds / 1e9 : -1;
}

// A sanitizer build draws several times slower; the bounds on processor
// time grow with it.
#if defined(__SANITIZE_ADDRESS__)
constexpr double kSlower = 4;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr double kSlower = 4;
#else
constexpr double kSlower = 1;
#endif
#else
constexpr double kSlower = 1;
#endif

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class TerminalRealTime : public ::testing::Test {
  protected:
    void SetUp() override {
        if (TmuxSession::Program().empty())
            GTEST_SKIP() << "tmux is not installed";
        const std::string bin = testkit::BuiltProgram("bin");
        const auto made = testkit::Run({bin + "/veltrin-machine", "new", m_machine}, {});
        ASSERT_EQ(made.exitCode, 0) << made.output;
        m_command = "exec env VELTRIN_UI=tui VELTRIN_MACHINE=" + ShellQuote(m_machine) +
                    " PATH=" + ShellQuote(bin) + ":\"$PATH\" " +
                    ShellQuote(bin + "/veltrin-sharing");
    }
    testkit::TempDir m_dir;
    std::string m_machine = m_dir.Path() + "/pc";
    std::string m_command;
};

TEST_F(TerminalRealTime, RestartNoticeEndsOnTimeWhileTheProgramSleeps) {
    TmuxSession tmux(m_command, 100, 30);
    ASSERT_TRUE(tmux.WaitFor("Sharing Selection")) << tmux.Screen();
    const std::string pid = tmux.Pane("#{pane_pid}");

    // A dialog waiting for a key takes no processor time to speak of.
    const double idleStart = CpuSeconds(pid);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_LT(CpuSeconds(pid) - idleStart, 0.04 * kSlower) << "2 s of waiting for a key";

    // OK, then Gateway and OK: the Winsock 2 installer runs and the notice shows.
    tmux.Keys({"Enter"});
    ASSERT_TRUE(tmux.WaitFor("Server-Client selection")) << tmux.Screen();
    tmux.Keys({"Down", "Enter"});
    ASSERT_TRUE(tmux.WaitFor("Reboot Message!", 20000)) << tmux.Screen();
    const auto opened = Clock::now();
    const double cpuAtOpen = CpuSeconds(pid);
    double cpuShowing = cpuAtOpen;
    while (tmux.Screen().find("Reboot Message!") != std::string::npos && Since(opened) < 20) {
        if (const double cpu = CpuSeconds(pid); cpu >= 0)
            cpuShowing = cpu;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const double shown = Since(opened);
    // Five ticks of 900 ms; generous bounds for a busy machine.
    EXPECT_GT(shown, 3.5);
    EXPECT_LT(shown, 8.0);
    // Drawing the notice six times takes about a millisecond; waking before
    // each tick and polling the keyboard until it is due took ten or more.
    EXPECT_LT(cpuShowing - cpuAtOpen, 0.005 * kSlower) << "processor time while the notice showed";
    EXPECT_NE(testkit::ReadFile(m_machine + "/journal.log").find("ExitWindowsEx 2"),
              std::string::npos);
}

} // namespace
