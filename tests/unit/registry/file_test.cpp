// registry.reg as a shared file: missing, broken, written by several
// processes at once, and saved where saving fails.
#include "platform/api.h"
#include "platform/sim/registry/file.h"
#include "platform/sim/registry/store.h"
#include "tests/testkit/testkit.h"
#include "tests/unit/registry/registry_test_util.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

class RegFile : public testing::Test {
  protected:
    void SetUp() override { machine.Use(); }

    std::string RegPath() const { return machine.Dir() + "/registry.reg"; }

    static LONG SetString(const char *keyPath, const char *name, const std::string &text) {
        HKEY key = nullptr;
        LONG code = RegCreateKeyA(HKEY_LOCAL_MACHINE, keyPath, &key);
        if (code != ERROR_SUCCESS)
            return code;
        code = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
        return code;
    }

    static std::string Export(const std::string &keyPath = "") {
        std::string text, error;
        return sim::reg::ExportText(keyPath, &text, &error) ? text : "error: " + error;
    }

    testkit::TempMachine machine;
};

TEST_F(RegFile, MissingFileReadsEmptyAndTheFirstWriteCreatesIt) {
    fs::remove(RegPath());
    HKEY key = nullptr;
    char name[80];
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegEnumKeyA(HKEY_LOCAL_MACHINE, 0, name, sizeof name), ERROR_NO_MORE_ITEMS);
    EXPECT_FALSE(fs::exists(RegPath()));
    EXPECT_EQ(SetString("Software\\V", "a", "1"), ERROR_SUCCESS);
    EXPECT_EQ(machine.ReadRegistry(), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
                                      "[HKEY_LOCAL_MACHINE\\Software\\V]\r\n\"a\"=\"1\"\r\n\r\n");
}

TEST_F(RegFile, BrokenFileIsNeverOverwrittenAndReportedOnce) {
    const std::string broken = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=dword:xyz\r\n";
    testkit::WriteFile(RegPath(), broken);
    testing::internal::CaptureStderr();
    HKEY key = nullptr;
    char name[80];
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "A", &key), ERROR_BADDB);
    EXPECT_EQ(RegEnumKeyA(HKEY_LOCAL_MACHINE, 0, name, sizeof name), ERROR_BADDB);
    EXPECT_EQ(SetString("B", "v", "1"), ERROR_BADDB);
    EXPECT_EQ(RegSetValueExA(HKEY_LOCAL_MACHINE, "v", 0, REG_BINARY, nullptr, 0), ERROR_BADDB);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "A"), ERROR_BADDB);
    std::string error;
    EXPECT_FALSE(sim::reg::ImportText("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\C]\r\n", &error));
    EXPECT_EQ(error, RegPath() + ":4: dword: takes 1 to 8 hex digits");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              RegPath() + ":4: dword: takes 1 to 8 hex digits\n");
    EXPECT_EQ(machine.ReadRegistry(), broken);

    // mended by hand, it works again
    machine.SetRegistry("[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=dword:1\r\n");
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "A", &key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegFile, WritersInSeveralProcessesLoseNothing) {
    constexpr int kProcesses = 4, kWrites = 50;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        pid_t pid = fork();
        if (pid == 0) {
            int failures = 0;
            for (int i = 0; i < kWrites; ++i) {
                std::string n = std::to_string(p) + "_" + std::to_string(i);
                failures += SetString("Shared", ("v" + n).c_str(), n) != ERROR_SUCCESS;
                if (i % 10 == 0)
                    failures += SetString(("Own\\P" + n).c_str(), "x", n) != ERROR_SUCCESS;
            }
            _exit(failures);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Shared", &key), ERROR_SUCCESS);
    char name[80];
    DWORD i = 0;
    for (DWORD size = sizeof name;
         RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         size = sizeof name)
        ++i;
    EXPECT_EQ(i, static_cast<DWORD>(kProcesses * kWrites));
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Own", &key), ERROR_SUCCESS);
    for (i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS;)
        ++i;
    EXPECT_EQ(i, static_cast<DWORD>(kProcesses * kWrites / 10));
    RegCloseKey(key);
}

// A failed save must leave the last good file and must not linger in
// memory. Run in a child: it changes its user or its file size limit.
int FailedSaveChild(LONG expected) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "Keep", &key) != ERROR_SUCCESS)
        return 10;
    std::string big(4000, 'x');
    if (RegSetValueExA(key, "new", 0, REG_SZ, reinterpret_cast<const BYTE *>(big.c_str()),
                       static_cast<DWORD>(big.size() + 1)) != expected)
        return 11;
    HKEY other = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, "Other", &other) != expected)
        return 12;
    DWORD size = 0;
    if (RegQueryValueExA(key, "new", nullptr, nullptr, nullptr, &size) != ERROR_FILE_NOT_FOUND)
        return 13;
    if (RegQueryValueExA(key, "old", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return 14;
    std::string error;
    if (sim::reg::ImportText("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Third]\n", &error) ||
        error.find("cannot save") == std::string::npos)
        return 15;
    return 0;
}

TEST_F(RegFile, ReadOnlyFolderFailsTheWriteAndKeepsTheFile) {
    machine.SetRegistry("[HKEY_LOCAL_MACHINE\\Keep]\r\n\"old\"=\"1\"\r\n");
    const std::string before = machine.ReadRegistry();
    // the lock file may stay writable: the save itself must fail
    testkit::WriteFile(RegPath() + ".lock", "");
    chmod((RegPath() + ".lock").c_str(), 0666);
    chmod(machine.Dir().c_str(), 0555);
    int result = regtest::InChild([] {
        // root writes anywhere: take an ordinary user's rights
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return 99;
        return FailedSaveChild(ERROR_ACCESS_DENIED);
    });
    chmod(machine.Dir().c_str(), 0700);
    if (result == 99)
        GTEST_SKIP() << "cannot drop root rights here";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(machine.ReadRegistry(), before);
}

TEST_F(RegFile, FullDiskFailsTheWriteAndKeepsTheFile) {
    machine.SetRegistry("[HKEY_LOCAL_MACHINE\\Keep]\r\n\"old\"=\"1\"\r\n");
    const std::string before = machine.ReadRegistry();
    EXPECT_EQ(regtest::InChild([&] {
                  // No file may grow past this one: writes fail as on a full disk.
                  std::signal(SIGXFSZ, SIG_IGN);
                  rlimit limit{before.size(), before.size()};
                  setrlimit(RLIMIT_FSIZE, &limit);
                  return FailedSaveChild(ERROR_WRITE_FAULT);
              }),
              0);
    EXPECT_EQ(machine.ReadRegistry(), before);
    EXPECT_FALSE(fs::exists(RegPath() + ".tmp"));
}

TEST_F(RegFile, ImportIsAllOrNothing) {
    machine.SetRegistry("[HKEY_LOCAL_MACHINE\\Keep]\r\n\"old\"=\"1\"\r\n");
    const std::string before = machine.ReadRegistry();
    std::string error;
    EXPECT_FALSE(sim::reg::ImportText("REGEDIT4\n[HKEY_LOCAL_MACHINE\\New]\n\"a\"=\"1\"\n"
                                      "[-HKEY_LOCAL_MACHINE\\Keep]\n\"b\"=oops\n",
                                      &error));
    EXPECT_EQ(error, "line 5: value outside a key");
    EXPECT_EQ(machine.ReadRegistry(), before);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "New", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Keep", &key), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_TRUE(sim::reg::ImportText("REGEDIT4\n[HKEY_LOCAL_MACHINE\\New]\n\"a\"=\"1\"\n"
                                     "[HKEY_LOCAL_MACHINE\\Keep]\n\"old\"=-\n",
                                     &error));
    EXPECT_EQ(Export(), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Keep]\r\n\r\n"
                        "[HKEY_LOCAL_MACHINE\\New]\r\n\"a\"=\"1\"\r\n\r\n");
}

TEST_F(RegFile, ChangeLandsWholeOrNotAtAll) {
    std::string error;
    EXPECT_TRUE(sim::reg::ApplyChange(
        [](const sim::reg::Key &, sim::reg::ChangeText *change) {
            sim::reg::Key path;
            path.SetValue("Path", 1, "C:\\\0"s);
            change->SetValues("Shares\\ONE", path);
            path.SetValue("Path", 1, "D:\\\0"s);
            change->SetValues("Shares\\TWO", path);
            return true;
        },
        &error));
    EXPECT_EQ(Export("shares"), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Shares]\r\n\r\n"
                                "[HKEY_LOCAL_MACHINE\\Shares\\ONE]\r\n\"Path\"=\"C:\\\\\"\r\n\r\n"
                                "[HKEY_LOCAL_MACHINE\\Shares\\TWO]\r\n\"Path\"=\"D:\\\\\"\r\n\r\n");
    const std::string before = machine.ReadRegistry();
    LONG code = 0;
    EXPECT_FALSE(sim::reg::ApplyChange(
        [](const sim::reg::Key &, sim::reg::ChangeText *change) {
            change->DeleteKey("Shares\\ONE");
            return false;
        },
        &error, &code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(machine.ReadRegistry(), before);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Shares\\One", &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(RegFile, ExportNamesKeysInTheirStoredCase) {
    machine.SetRegistry("[HKEY_LOCAL_MACHINE\\Soft\\Net]\r\n@=\"x\"\r\n\r\n"
                        "[HKEY_LOCAL_MACHINE\\Other]\r\n\r\n");
    EXPECT_EQ(Export("SOFT\\net"), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Soft\\Net]\r\n"
                                   "@=\"x\"\r\n\r\n");
    EXPECT_EQ(Export("hkey_local_machine\\SOFT\\net"), Export("Soft\\Net"));
    EXPECT_EQ(Export("HKEY_LOCAL_MACHINE"), Export(""));
    EXPECT_EQ(Export("Missing"), "error: no key HKEY_LOCAL_MACHINE\\Missing");
}

// Small keys take several times their text in memory: more than a file's
// size foretells for the memory its tree is read into.
TEST_F(RegFile, TreeBiggerThanItsFileForetellsLoadsAndTakesChanges) {
    std::string body;
    for (int i = 0; i < 30000; ++i)
        body +=
            "[HKEY_LOCAL_MACHINE\\K\\" + std::to_string(i) + "]\r\n\"v\"=dword:00000001\r\n\r\n";
    machine.SetRegistry(body);
    sim::reg::RegistryFile file(RegPath());
    ASSERT_EQ(file.EditTree([](sim::reg::Key &root) {
        sim::reg::Key &all = *sim::reg::FindKey(root, "K");
        for (int i = 0; i < 30000; i += 2)
            all.DeleteSubkey(std::to_string(i));
        all.AddSubkey("29999").SetValue("v", REG_SZ, "changed");
        return all.subkeys.Size() == 15000 ? ERROR_SUCCESS : ERROR_BADDB;
    }),
              ERROR_SUCCESS);
    const sim::reg::Key *changed = nullptr, *reread = nullptr;
    sim::reg::RegistryFile again(RegPath());
    ASSERT_EQ(file.Read(&changed), ERROR_SUCCESS);
    ASSERT_EQ(again.Read(&reread), ERROR_SUCCESS);
    EXPECT_TRUE(*changed == *reread);
    EXPECT_EQ(sim::reg::FindKey(*reread, "K\\29999")->FindValue("v")->data, "changed");
    EXPECT_EQ(sim::reg::FindKey(*reread, "K\\28"), nullptr);
    // The writer keeps the tree it saved: reading the whole file again for
    // each of its changes would make a run of changes quadratic.
    ASSERT_EQ(file.EditTree([](sim::reg::Key &root) {
        sim::reg::FindKey(root, "K")->DeleteSubkey("1");
        return ERROR_SUCCESS;
    }),
              ERROR_SUCCESS);
    const sim::reg::Key *next = nullptr;
    ASSERT_EQ(file.Read(&next), ERROR_SUCCESS);
    EXPECT_EQ(next, changed);
}

} // namespace
