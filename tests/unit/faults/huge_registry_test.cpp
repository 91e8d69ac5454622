// Registries far beyond what the setup meets: 100,000 keys, a 1 MB value,
// and one process rewriting a big value over and over. Everything reads,
// enumerates and saves, small buffers are refused without a byte written,
// and memory stays bounded.
#include "platform/api.h"
#include "tests/testkit/testkit.h"
#include "tests/unit/registry/registry_test_util.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

namespace {

class HugeRegistry : public testing::Test {
  protected:
    void SetUp() override { machine.Use(); }
    testkit::TempMachine machine;
};

TEST_F(HugeRegistry, HundredThousandKeysEnumerateAndSave) {
    constexpr DWORD kKeys = 100000;
    std::string body = "[HKEY_LOCAL_MACHINE\\Big]\r\n\r\n";
    for (DWORD i = 0; i < kKeys; ++i)
        body += "[HKEY_LOCAL_MACHINE\\Big\\Key" + std::to_string(i) +
                "]\r\n\"v\"=dword:" + std::to_string(i % 10) + "\r\n\r\n";
    machine.SetRegistry(body);
    HKEY big = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Big", &big), ERROR_SUCCESS);
    char name[80];
    DWORD count = 0;
    while (RegEnumKeyA(big, count, name, sizeof name) == ERROR_SUCCESS)
        ++count;
    EXPECT_EQ(count, kKeys);
    EXPECT_STREQ(name, "Key99999");
    HKEY added = nullptr;
    ASSERT_EQ(RegCreateKeyA(big, "One more", &added), ERROR_SUCCESS);
    RegCloseKey(added);
    // Another process sees the saved file whole.
    EXPECT_EQ(regtest::InChild([] {
                  HKEY key = nullptr;
                  char last[80];
                  return RegOpenKeyA(HKEY_LOCAL_MACHINE, "Big", &key) != ERROR_SUCCESS ? 1
                         : RegEnumKeyA(key, kKeys, last, sizeof last) != ERROR_SUCCESS ? 2
                         : std::strcmp(last, "One more") != 0                          ? 3
                         : RegEnumKeyA(key, kKeys + 1, last, sizeof last) != ERROR_NO_MORE_ITEMS
                             ? 4
                             : 0;
              }),
              0);
    RegCloseKey(big);
}

TEST_F(HugeRegistry, MegabyteValueRoundTripsAndOverflowsNoBuffer) {
    std::string data(1 << 20, '\0');
    std::mt19937 random(7);
    for (char &c : data)
        c = static_cast<char>(random());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "Blob", &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "data", 0, REG_BINARY,
                             reinterpret_cast<const BYTE *>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    // The 80-byte buffers of the setup: refused, untouched, the size told.
    BYTE small[80];
    std::memset(small, 0xA5, sizeof small);
    DWORD size = sizeof small, type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "data", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, data.size());
    EXPECT_EQ(small[0], 0xA5);
    EXPECT_EQ(small[79], 0xA5);
    RegCloseKey(key);
    EXPECT_EQ(regtest::InChild([&] {
                  HKEY blob = nullptr;
                  std::string back(data.size(), '\0');
                  DWORD backSize = static_cast<DWORD>(back.size());
                  return RegOpenKeyA(HKEY_LOCAL_MACHINE, "Blob", &blob) == ERROR_SUCCESS &&
                                 RegQueryValueExA(blob, "data", nullptr, nullptr,
                                                  reinterpret_cast<BYTE *>(back.data()),
                                                  &backSize) == ERROR_SUCCESS &&
                                 back == data
                             ? 0
                             : 1;
              }),
              0);
}

// Keys nest 512 deep at most, counted from the root: a handle deep down
// cannot add a path that would take the tree past what the file may hold,
// which would leave a registry that no other process reads.
TEST_F(HugeRegistry, NestingPastTheLimitIsRefusedFromADeepHandle) {
    auto path = [](int depth) {
        std::string text = "k";
        for (int i = 1; i < depth; ++i)
            text += "\\k";
        return text;
    };
    HKEY deep = nullptr, deeper = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, path(400).c_str(), &deep), ERROR_SUCCESS);
    EXPECT_EQ(RegCreateKeyA(deep, path(113).c_str(), &deeper), ERROR_INVALID_PARAMETER);
    ASSERT_EQ(RegCreateKeyA(deep, path(112).c_str(), &deeper), ERROR_SUCCESS);
    RegCloseKey(deeper);
    RegCloseKey(deep);
    // Another process reads the file from the start.
    const testkit::RunResult run = testkit::Run(
        {testkit::BuiltProgram("bin/veltrin-machine"), "reg", machine.Dir(), "export"}, {});
    EXPECT_EQ(run.exitCode, 0) << run.output.substr(0, 200);
    EXPECT_NE(run.output.find(path(512) + "]"), std::string::npos);
}

// AddressSanitizer keeps freed memory in quarantine: resident memory says
// nothing there. (GCC names it one way, clang the other.)
#if defined(__SANITIZE_ADDRESS__)
#define VP_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VP_ADDRESS_SANITIZER 1
#endif
#endif

#if !defined(VP_ADDRESS_SANITIZER)
// Resident memory of this process, in bytes.
std::size_t ResidentBytes() {
    std::size_t pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// A writer keeps the tree it saved. What its changes remove must not pile up
// for as long as the process lives, though the file stays small.
TEST_F(HugeRegistry, CreatingAndDeletingKeepsMemoryBounded) {
    const std::string data(128 << 10, 'x');
    auto cycle = [&] {
        HKEY key = nullptr;
        bool ok =
            RegCreateKeyA(HKEY_LOCAL_MACHINE, "Blob", &key) == ERROR_SUCCESS &&
            RegSetValueExA(key, "data", 0, REG_BINARY, reinterpret_cast<const BYTE *>(data.data()),
                           static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok && RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Blob") == ERROR_SUCCESS;
    };
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(cycle());
    const std::size_t settled = ResidentBytes();
    for (int i = 0; i < 96; ++i)
        ASSERT_TRUE(cycle());
    EXPECT_LT(ResidentBytes(), settled + (6u << 20)) << "96 values of 128 KB piled up";
}
#endif

} // namespace
