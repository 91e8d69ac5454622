// A registry.reg that cannot be read: every call fails with 5, nothing is
// written in its place, and the reason is told once.
#include "platform/api.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(UnreadableRegistry, EveryCallFailsAndItIsToldOnce) {
    testkit::TempMachine machine;
    const std::string path = machine.Dir() + "/registry.reg";
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    machine.Use();
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    char name[80];
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegEnumKeyA(HKEY_LOCAL_MACHINE, 0, name, sizeof name), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "New", &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ": Is a directory\n");
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

} // namespace
