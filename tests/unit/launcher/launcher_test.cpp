// The media launcher run in-process on machines made in the test, with a
// stand-in user who answers the prompt and may insert the CD meanwhile.
#include "app/setup_app.h"
#include "platform/sim/programs/started_programs.h"
#include "platform/user32/driver.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

struct PromptUser : ui::Driver {
    std::vector<std::string> prompts;
    std::vector<int> answers;
    std::function<void(size_t)> beforeAnswer;

    int ShowMessageBox(const ui::MessageBoxRequest &request) override {
        prompts.push_back(request.caption + "|" + std::to_string(request.style) + "|" +
                          std::to_string(request.OwnerTemplateId()) + "|" + request.text);
        if (beforeAnswer)
            beforeAnswer(prompts.size());
        return prompts.size() <= answers.size() ? answers[prompts.size() - 1] : IDCANCEL;
    }
    void DialogOpened(const ui::Window &) override {
        ADD_FAILURE() << "the launcher opened a dialog";
    }
    ui::Input NextInput(const ui::Window &, std::optional<ui::Duration>) override {
        return ui::Input::Click(IDCANCEL);
    }
    void InputRejected(const ui::Window &, const ui::Input &, const std::string &) override {}
    void DialogClosed(const ui::Window &, int) override {}
};

const char kReminder[] =
    "Reminder|1|0|Please make sure your Quorvane Phoneline Network Card Installation CD-ROM is "
    "properly inserted in your CD-ROM Drive.  Click OK to continue or Cancel to abort.";

class LauncherTest : public ::testing::Test {
  protected:
    LauncherTest() {
        auto driver = std::make_unique<PromptUser>();
        user = driver.get();
        ui::SetDriver(std::move(driver));
    }
    ~LauncherTest() override { sim::WaitForStartedPrograms(); }

    BOOL RunLauncher() {
        machine.Use();
        CSetupApp app;
        return app.InitInstance();
    }
    std::vector<std::string> JournalLines() const { return testkit::Lines(machine.ReadJournal()); }

    testkit::TempMachine machine;
    PromptUser *user = nullptr;
};

TEST_F(LauncherTest, FirstCdRomAmongDToJWinsAndNoPromptWhenTheCdIsIn) {
    machine.SetDrives({{'C', "fixed"}, {'E', "cdrom"}, {'G', "cdrom"}});
    machine.AddFile('E', "Tzr\\Setup");
    machine.AddFile('G', "Tzr\\Setup");
    EXPECT_FALSE(RunLauncher());
    EXPECT_TRUE(user->prompts.empty());
    // No autorun.exe on the CD: the start fails quietly with "file not found".
    EXPECT_EQ(JournalLines(), std::vector<std::string>{"WinExec \"E:\\\\autorun.exe\" 1 -> 2"});
}

TEST_F(LauncherTest, SetupEntryMayBeAFolder) {
    machine.SetDrives({{'D', "cdrom"}});
    machine.AddDir('D', "TZR\\setup");
    machine.AddFile('D', "AUTORUN.EXE", "#!/bin/sh\nexit 0\n", true);
    EXPECT_FALSE(RunLauncher());
    EXPECT_TRUE(user->prompts.empty());
    EXPECT_EQ(JournalLines(), std::vector<std::string>{"WinExec \"D:\\\\autorun.exe\" 1 -> 33"});
}

TEST_F(LauncherTest, CdRomBeyondJIsNeverFoundAndCancelStartsNothing) {
    machine.SetDrives({{'C', "fixed"}, {'K', "cdrom"}});
    machine.AddFile('K', "Tzr\\Setup");
    machine.AddFile('K', "autorun.exe", "#!/bin/sh\nexit 0\n", true);
    user->answers = {IDOK, IDCANCEL};
    EXPECT_FALSE(RunLauncher());
    EXPECT_EQ(user->prompts, (std::vector<std::string>{kReminder, kReminder}));
    EXPECT_TRUE(JournalLines().empty());
}

TEST_F(LauncherTest, OkRetestsTheSameDriveUntilTheCdIsInserted) {
    machine.SetDrives({{'F', "cdrom"}, {'H', "cdrom"}});
    machine.AddFile('F', "autorun.exe", "#!/bin/sh\nexit 0\n", true);
    user->answers = {IDOK, IDOK};
    // The CD goes into F while the second prompt shows; H is never looked at.
    user->beforeAnswer = [this](size_t shown) {
        if (shown == 2)
            machine.AddFile('F', "Tzr\\Setup");
    };
    machine.AddFile('H', "Tzr\\Setup");
    EXPECT_FALSE(RunLauncher());
    EXPECT_EQ(user->prompts.size(), 2u);
    EXPECT_EQ(JournalLines(), std::vector<std::string>{"WinExec \"F:\\\\autorun.exe\" 1 -> 33"});
}

} // namespace
