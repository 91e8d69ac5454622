#include "dialog_fixture.h"

#include "platform/script/script_driver.h"
#include "platform/user32/driver.h"

#include <cstdlib>

void SharingDialogTest::SetUp() {
    setenv("VELTRIN_TRANSCRIPT", (dir.Path() + "/transcript.txt").c_str(), 1);
    machine.Use();
}

void SharingDialogTest::TearDown() {
    unsetenv("VELTRIN_TRANSCRIPT");
    ui::SetDriver(nullptr);
}

INT_PTR SharingDialogTest::Run(const std::string &script) {
    const std::string path = dir.Path() + "/run.txt";
    testkit::WriteFile(path, script);
    unsetenv("VELTRIN_SCRIPT_POS"); // a run of its own
    ui::SetDriver(script::OpenScriptDriver(path));
    CSharingDlg dialog;
    const INT_PTR result = dialog.DoModal();
    sharedDriveMask = dialog.m_sharedDriveMask;
    return result;
}

std::vector<std::string> SharingDialogTest::Transcript() const {
    return testkit::Lines(testkit::ReadFile(dir.Path() + "/transcript.txt"));
}

std::vector<std::string> SharingDialogTest::ListLines(int id) const {
    const std::string prefix = "list " + std::to_string(id);
    std::vector<std::string> lines;
    for (const std::string &line : Transcript())
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
    return lines;
}
