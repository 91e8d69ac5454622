// registry.reg when its writers die or crowd in: a process killed at any
// moment of a save leaves a file that reads, holding the old state or the
// new one; many processes saving at once lose no write.
#include "platform/sim/registry_reader.h"
#include "platform/sim/registry_store.h"
#include "platform/win32.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using sim::reg::Key;

// Bumps Counter's "n" and "copy" together, in one locked change.
bool Bump(Key &root) {
    Key *counter = sim::reg::CreateKey(root, "Counter");
    const sim::reg::Value *n = counter->FindValue("n");
    const std::string next = std::to_string(n ? std::stoul(std::string(n->data)) + 1 : 1);
    counter->SetValue("n", REG_SZ, next + '\0');
    counter->SetValue("copy", REG_SZ, next + '\0');
    return true;
}

// The counter a registry file holds; fails the test when the file does not
// read or holds half a change.
unsigned long CounterOf(const std::string &text) {
    Key root;
    sim::reg::ParseError error;
    EXPECT_TRUE(sim::reg::ApplyRegedit4(text, root, &error))
        << "line " << error.line << ": " << error.what;
    const Key *counter = sim::reg::FindKey(root, "Counter");
    if (!counter)
        return 0;
    const sim::reg::Value *n = counter->FindValue("n");
    const sim::reg::Value *copy = counter->FindValue("copy");
    EXPECT_TRUE(n && copy && n->data == copy->data);
    EXPECT_NE(sim::reg::FindKey(root, "Ballast"), nullptr);
    return n ? std::stoul(std::string(n->data)) : 0;
}

int WaitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A soak run (VP_SOAK=1) does the full counts; CI does enough to catch a
// lost write or a torn file in seconds.
int Scaled(int ci, int soak) {
    const char *soakRun = std::getenv("VP_SOAK");
    return soakRun && *soakRun == '1' ? soak : ci;
}

class SaveFaults : public testing::Test {
  protected:
    void SetUp() override {
        // Ballast makes each save long enough to be cut at every stage.
        std::string ballast;
        for (int i = 0; i < 2000; ++i)
            ballast += "[HKEY_LOCAL_MACHINE\\Ballast\\K" + std::to_string(i) +
                       "]\r\n\"v\"=\"some text of a value\"\r\n\r\n";
        machine.SetRegistry(ballast);
        machine.Use();
    }
    testkit::TempMachine machine;
};

TEST_F(SaveFaults, KilledWhileSavingLeavesTheOldOrTheNewState) {
    // Kills land anywhere within a few saves' time, however fast this build is.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(sim::reg::Transaction(Bump));
    const auto save = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    std::mt19937 random(12345);
    unsigned long last = 1;
    const int rounds = Scaled(40, 400);
    for (int round = 0; round < rounds; ++round) {
        pid_t pid = fork();
        if (pid == 0) {
            for (;;)
                sim::reg::Transaction(Bump);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (4 * save.count() + 1)));
        kill(pid, SIGKILL);
        EXPECT_EQ(WaitFor(pid), 128 + SIGKILL);
        const unsigned long now = CounterOf(machine.ReadRegistry());
        ASSERT_GE(now, last) << "round " << round << ": a saved change was lost";
        last = now;
    }
    // The lock died with its holder and a torn temporary file is no obstacle.
    std::string error;
    ASSERT_TRUE(sim::reg::Transaction(Bump, &error)) << error;
    EXPECT_EQ(CounterOf(machine.ReadRegistry()), last + 1);
    EXPECT_GT(last, 1u) << "no save finished: the kills came too early to test anything";
}

TEST_F(SaveFaults, ManyWritersAtOnceLoseNothing) {
    const int processes = 8, writes = Scaled(25, 200);
    std::vector<pid_t> children;
    for (int p = 0; p < processes; ++p) {
        pid_t pid = fork();
        if (pid == 0) {
            HKEY key = nullptr;
            int failures = RegCreateKeyA(HKEY_LOCAL_MACHINE, "Shared", &key) != ERROR_SUCCESS;
            for (int i = 0; i < writes; ++i) {
                const std::string name = std::to_string(p) + "_" + std::to_string(i);
                failures += RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                           reinterpret_cast<const BYTE *>(name.c_str()),
                                           static_cast<DWORD>(name.size() + 1)) != ERROR_SUCCESS;
            }
            _exit(failures > 0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children)
        EXPECT_EQ(WaitFor(pid), 0);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Shared", &key), ERROR_SUCCESS);
    for (int p = 0; p < processes; ++p)
        for (int i = 0; i < writes; ++i) {
            const std::string name = std::to_string(p) + "_" + std::to_string(i);
            char data[16] = {};
            DWORD size = sizeof data;
            ASSERT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                       reinterpret_cast<BYTE *>(data), &size),
                      ERROR_SUCCESS)
                << name << " was lost";
            EXPECT_EQ(std::string(data), name);
        }
    RegCloseKey(key);
}

} // namespace
