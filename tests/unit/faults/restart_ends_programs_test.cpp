// Programs that never end: a restart request ends those this process
// started, even one that shrugs off SIGTERM, so the process that asked for
// the restart is not kept waiting for them forever.
#include "platform/api.h"
#include "platform/sim/programs/started_programs.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

TEST(RestartEndsPrograms, EvenThoseThatIgnoreTheFirstRequest) {
    testkit::TempMachine machine;
    machine.SetDrives({{'E', "cdrom"}});
    machine.AddFile('E', "forever.exe", "#!/bin/sh\nexec sleep 1000\n", true);
    machine.AddFile('E', "stubborn.exe",
                    "#!/bin/sh\ntrap '' TERM\n: >\"$VELTRIN_MACHINE/ready\"\n"
                    "while :; do sleep 1; done\n",
                    true);
    machine.Use();
    ASSERT_EQ(WinExec("E:\\forever.exe", SW_HIDE), 33u);
    ASSERT_EQ(WinExec("E:\\stubborn.exe", SW_HIDE), 33u);
    for (int i = 0; i < 500 && !std::filesystem::exists(machine.Dir() + "/ready"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(ExitWindowsEx(EWX_REBOOT, 0));
    sim::WaitForStartedPrograms();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(6));
}

} // namespace
