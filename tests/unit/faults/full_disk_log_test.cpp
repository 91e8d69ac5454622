// The setup log on a full disk (the file size limit of the process): a line
// that does not fit is taken back whole, so the log keeps whole lines and
// the next line, once there is room, starts one of its own.
#include "tests/testkit/testkit.h"
#include "tests/unit/registry/registry_test_util.h"
#include "wayback/setup_log.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>

namespace {

TEST(FullDiskLog, ALineIsWrittenWholeOrNotAtAll) {
    testkit::TempMachine machine;
    machine.SetDrives({{'C', "fixed"}}, "C:\\WINDOWS");
    machine.AddDir('C', "WINDOWS");
    machine.Use();
    const std::string log = machine.DrivePath('C') + "/WINDOWS/veltrin.log";
    const std::string first(100, 'a');
    testkit::WriteFile(log, "2026-01-01 00:00:00 first " + first + "\r\n");
    const auto before = std::filesystem::file_size(log);
    const int result = regtest::InChild([&] {
        // Room for part of the next line only.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{before + 20, before + 20};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 99;
        LogLine("second").Text(std::string(100, 'b'));
        return 0;
    });
    ASSERT_EQ(result, 0);
    EXPECT_EQ(std::filesystem::file_size(log), before);
    LogLine("third").Text("c");
    const std::vector<std::string> lines = testkit::Lines(testkit::ReadFile(log));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(20), "third c");
}

} // namespace
