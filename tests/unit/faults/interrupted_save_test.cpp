// registry.reg when its writers die or crowd in: a process killed at any
// moment of a save leaves a file that reads, holding the old state or the
// new one; many processes saving at once lose no write. Both for changes
// that write the whole file and for changes appended to it.
#include "platform/api.h"
#include "platform/sim/registry/file.h"
#include "platform/sim/registry/store.h"
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

unsigned long CounterIn(const Key &root) {
    const Key *counter = sim::reg::FindKey(root, "Counter");
    const sim::reg::Value *n = counter ? counter->FindValue("n") : nullptr;
    return n ? std::stoul(std::string(n->data)) : 0;
}

// Bumps Counter's "n" and "copy" together, in one locked change: the whole
// file written again, or the change appended to it.
bool BumpWhole(std::string *error) {
    sim::reg::RegistryFile &file = sim::reg::MachineRegistry();
    const LONG code = file.EditTree([](Key &root) {
        const std::string next = std::to_string(CounterIn(root) + 1);
        Key *counter = sim::reg::CreateKey(root, "Counter");
        counter->SetValue("n", REG_SZ, next + '\0');
        counter->SetValue("copy", REG_SZ, next + '\0');
        return LONG{ERROR_SUCCESS};
    });
    if (code != ERROR_SUCCESS && error)
        *error = file.LastError();
    return code == ERROR_SUCCESS;
}

bool BumpAppended(std::string *error) {
    return sim::reg::ApplyChange(
        [](const Key &root, sim::reg::ChangeText *change) {
            const std::string next = std::to_string(CounterIn(root) + 1);
            Key values;
            values.SetValue("n", REG_SZ, next + '\0');
            values.SetValue("copy", REG_SZ, next + '\0');
            change->SetValues("Counter", values);
            return true;
        },
        error);
}

// The counter registry.reg holds for a reader; fails the test when the file
// does not read or holds half a change.
unsigned long CounterOf(const std::string &path) {
    sim::reg::RegistryFile file(path);
    const Key *root = nullptr;
    EXPECT_EQ(file.Read(&root), ERROR_SUCCESS) << file.LastError();
    if (!root)
        return 0;
    const Key *counter = sim::reg::FindKey(*root, "Counter");
    if (!counter)
        return 0;
    const sim::reg::Value *n = counter->FindValue("n");
    const sim::reg::Value *copy = counter->FindValue("copy");
    EXPECT_TRUE(n && copy && n->data == copy->data);
    EXPECT_NE(sim::reg::FindKey(*root, "Ballast"), nullptr);
    return CounterIn(*root);
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

// How a change is saved: the name for the test and the saving bump.
struct SaveForm {
    const char *name;
    bool (*bump)(std::string *error);
};

// A case is listed by its name, not by the bytes of its record.
void PrintTo(const SaveForm &form, std::ostream *out) {
    *out << form.name;
}

class SaveFaults : public testing::TestWithParam<SaveForm> {
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
    std::string RegPath() const { return machine.Dir() + "/registry.reg"; }
    testkit::TempMachine machine;
};

TEST_P(SaveFaults, KilledWhileSavingLeavesTheOldOrTheNewState) {
    const auto bump = GetParam().bump;
    // Kills land anywhere within a few saves' time, however fast this build is.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(bump(nullptr));
    const auto save = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    std::mt19937 random(12345);
    unsigned long last = 1;
    const int rounds = Scaled(40, 400);
    for (int round = 0; round < rounds; ++round) {
        pid_t pid = fork();
        if (pid == 0) {
            for (;;)
                bump(nullptr);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (4 * save.count() + 1)));
        kill(pid, SIGKILL);
        EXPECT_EQ(WaitFor(pid), 128 + SIGKILL);
        const unsigned long now = CounterOf(RegPath());
        ASSERT_GE(now, last) << "round " << round << ": a saved change was lost";
        last = now;
    }
    // The lock died with its holder and a torn temporary file is no obstacle.
    std::string error;
    ASSERT_TRUE(bump(&error)) << error;
    EXPECT_EQ(CounterOf(RegPath()), last + 1);
    EXPECT_GT(last, 1u) << "no save finished: the kills came too early to test anything";
}

TEST_P(SaveFaults, ManyWritersAtOnceLoseNothing) {
    const auto bump = GetParam().bump;
    const int processes = 8, writes = Scaled(25, 200);
    std::vector<pid_t> children;
    for (int p = 0; p < processes; ++p) {
        pid_t pid = fork();
        if (pid == 0) {
            int failures = 0;
            for (int i = 0; i < writes; ++i)
                failures += !bump(nullptr);
            _exit(failures > 0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children)
        EXPECT_EQ(WaitFor(pid), 0);
    EXPECT_EQ(CounterOf(RegPath()), static_cast<unsigned long>(processes * writes));
}

INSTANTIATE_TEST_SUITE_P(Forms, SaveFaults,
                         testing::Values(SaveForm{"Whole", BumpWhole},
                                         SaveForm{"Appended", BumpAppended}),
                         [](const testing::TestParamInfo<SaveForm> &param) {
                             return std::string(param.param.name);
                         });

} // namespace
