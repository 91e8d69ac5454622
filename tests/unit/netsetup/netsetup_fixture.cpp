#include "tests/unit/netsetup/netsetup_fixture.h"

#include "platform/api.h"
#include "platform/sim/programs/started_programs.h"

namespace nstest {

const char kAddWinsock2Key[] =
    R"(printf '\r\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Winsock2]\r\n\r\n' >> "$VELTRIN_MACHINE/registry.reg")"
    "\n";

NetsetupTest::NetsetupTest() {
    machine.Use();
    g_setupState = SetupState{};
    ui = &testkit::DialogHarness::Install();
}

NetsetupTest::~NetsetupTest() {
    // Programs the test started finish before their machine goes.
    sim::WaitForStartedPrograms();
    ui->ExpectAllUsed();
    ui::SetDriver(nullptr);
}

std::optional<StoredString> ReadMachineString(const std::string &key, const std::string &name) {
    HKEY handle = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, key.c_str(), &handle) != ERROR_SUCCESS)
        return std::nullopt;
    char data[256] = {};
    StoredString value;
    value.size = sizeof data;
    const LONG result = RegQueryValueExA(handle, name.c_str(), nullptr, &value.type,
                                         reinterpret_cast<BYTE *>(data), &value.size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    value.text = data;
    return value;
}

bool RoleOpenedAsClient(const testkit::DialogHarness &ui) {
    const std::vector<std::string> checks = ui.Lines("check 1031 ");
    return !checks.empty() && checks.front() == "check 1031 1";
}

std::vector<std::string> ProgramLines(const testkit::TempMachine &machine) {
    std::vector<std::string> found;
    for (const auto &line : testkit::Lines(machine.ReadJournal()))
        if (line.starts_with("WinExec ") || line.starts_with("CreateProcess ") ||
            line.starts_with("ExitWindowsEx "))
            found.push_back(line);
    return found;
}

} // namespace nstest
