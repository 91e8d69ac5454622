#include "tests/unit/netsetup/netsetup_fixture.h"

#include "platform/sim/machine.h"
#include "platform/api.h"

#include <memory>

namespace nstest {

int FakeUi::ShowMessageBox(const ui::MessageBoxRequest &request) {
    log.push_back("msgbox " + request.caption + "|" + request.text + "|" +
                  std::to_string(request.style) +
                  "|owner=" + std::to_string(request.OwnerTemplateId()));
    if (onMessageBox)
        onMessageBox(request);
    if (answers.empty()) {
        ADD_FAILURE() << "message box without an answer: " << request.text;
        return ui::MessageBoxButtons(request.style).back();
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeUi::DialogOpened(const ui::Window &window) {
    std::string line = "open " + std::to_string(window.TemplateId());
    if (const ui::Control *client = window.FindControl(1031))
        line += " check1031=" + std::to_string(client->check);
    log.push_back(line);
}

ui::Input FakeUi::NextInput(const ui::Window &active, std::optional<ui::Duration>) {
    auto &queue = inputs[active.TemplateId()];
    if (queue.empty()) {
        ADD_FAILURE() << "dialog " << active.TemplateId() << " waits without input";
        return ui::Input::Click(IDCANCEL);
    }
    const ui::Input next = queue.front();
    queue.pop_front();
    return next;
}

void FakeUi::InputRejected(const ui::Window &active, const ui::Input &input,
                           const std::string &reason) {
    ADD_FAILURE() << "dialog " << active.TemplateId() << " rejected input on " << input.id << ": "
                  << reason;
}

void FakeUi::DialogClosed(const ui::Window &window, int result) {
    log.push_back("close " + std::to_string(window.TemplateId()) + " " + std::to_string(result));
    if (onClosed)
        onClosed(window, result);
}

NetsetupTest::NetsetupTest() {
    machine.Use();
    g_setupState = SetupState{};
    auto driver = std::make_unique<FakeUi>();
    ui = driver.get();
    ui::SetDriver(std::move(driver));
}

NetsetupTest::~NetsetupTest() {
    // Programs the test started finish before their machine goes.
    sim::WaitForStartedPrograms();
    for (const auto &[id, queue] : ui->inputs)
        EXPECT_TRUE(queue.empty()) << "inputs left for dialog " << id;
    EXPECT_TRUE(ui->answers.empty()) << "message box answers left";
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

std::vector<std::string> ProgramLines(const testkit::TempMachine &machine) {
    std::vector<std::string> found;
    for (const auto &line : testkit::Lines(machine.ReadJournal()))
        if (line.starts_with("WinExec ") || line.starts_with("CreateProcess ") ||
            line.starts_with("ExitWindowsEx "))
            found.push_back(line);
    return found;
}

} // namespace nstest
