#include "tests/e2e/netsetup_run.h"

#include "platform/sim/machine/machine.h"
#include "tests/testkit/testkit.h"

#include <chrono>
#include <thread>

std::vector<std::string> NetsetupRun::Seen() const {
    std::vector<std::string> seen;
    for (const auto &line : testkit::Lines(testkit::ReadFile(transcript)))
        if (!line.starts_with("list "))
            seen.push_back(line);
    return seen;
}

std::vector<std::string> NetsetupRun::Programs() const {
    std::vector<std::string> found;
    for (const auto &line : testkit::Lines(testkit::ReadFile(machine + "/journal.log")))
        if (line.starts_with("WinExec ") || line.starts_with("CreateProcess ") ||
            line.starts_with("ExitWindowsEx "))
            found.push_back(line);
    return found;
}

std::optional<std::pair<std::string, DWORD>> NetsetupRun::Value(const char *key, const char *name) {
    sim::UseMachine(machine);
    HKEY handle = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, key, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    char data[128] = {};
    DWORD size = sizeof data;
    const LONG result =
        RegQueryValueExA(handle, name, nullptr, nullptr, reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return std::make_pair(std::string(data), size);
}

bool NetsetupRun::KeyExists(const char *key) {
    sim::UseMachine(machine);
    HKEY handle = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, key, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

bool NetsetupRun::JournalGets(const std::string &line) const {
    for (int tries = 0; tries < 100; ++tries) {
        for (const auto &seen : testkit::Lines(testkit::ReadFile(machine + "/journal.log")))
            if (seen == line)
                return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

void NetsetupRun::Import(const std::string &body) {
    const std::string file = dir.Path() + "/change.reg";
    testkit::WriteFile(file, "REGEDIT4\r\n\r\n" + body);
    const auto import =
        testkit::Run({Program("veltrin-machine"), "reg", machine, "import", file}, {});
    EXPECT_EQ(import.exitCode, 0) << import.output;
}
