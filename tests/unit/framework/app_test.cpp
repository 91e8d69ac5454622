// AfxWinMain: the user interface is chosen once, InitInstance runs once,
// and a false result ends the process through ExitInstance. Each runs on a
// machine of its own: AfxWinMain looks at the machine first.
#include "tests/unit/framework/probe_dialog.h"

#include <gmock/gmock.h>

#include <fcntl.h>
#include <unistd.h>

using ::testing::ExitedWithCode;
using ::testing::HasSubstr;

namespace {

class TestApp : public CWinApp {
  public:
    std::vector<std::string> calls;
    bool askUser = false;

    BOOL InitInstance() override {
        calls.push_back("init");
        if (askUser)
            MessageBoxA(nullptr, "Insert the CD", "Reminder", MB_OKCANCEL);
        return FALSE;
    }
    int ExitInstance() override {
        calls.push_back("exit");
        return CWinApp::ExitInstance();
    }
};

} // namespace

TEST_F(ScriptTest, InitInstanceFalseExitsThroughExitInstanceWithZero) {
    const testkit::TempMachine machine;
    machine.Use();
    testkit::WriteFile(ScriptPath(), "answer ok\n");
    unsetenv("VELTRIN_SCRIPT_POS");
    setenv("VELTRIN_UI", ("script:" + ScriptPath()).c_str(), 1);
    TestApp app;
    app.askUser = true;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"init", "exit"}));
    EXPECT_EQ(Transcript(),
              (std::vector<std::string>{"msgbox \"Reminder\" \"Insert the CD\" 1 owner=none",
                                        "answer ok"}));
    unsetenv("VELTRIN_UI");
}

TEST(AfxWinMain, WithoutTerminalOrScriptAskingTheUserFails) {
    const testkit::TempMachine machine;
    machine.Use();
    unsetenv("VELTRIN_UI");
    TestApp app;
    app.askUser = true;
    EXPECT_EXIT(
        {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, STDIN_FILENO);
            dup2(null, STDOUT_FILENO);
            std::exit(AfxWinMain());
        },
        ExitedWithCode(3),
        HasSubstr(testkit::ErrorPrefix() +
                  "no terminal and no response file (set VELTRIN_UI=script:<file>)\n"));
}

TEST(AfxWinMain, UnknownInterfaceSettingIsRefused) {
    const testkit::TempMachine machine;
    machine.Use();
    setenv("VELTRIN_UI", "gui", 1);
    TestApp app;
    EXPECT_EXIT(std::exit(AfxWinMain()), ExitedWithCode(2),
                HasSubstr(testkit::ErrorPrefix() +
                          "VELTRIN_UI must be tui or script:<file>, not \"gui\"\n"));
    unsetenv("VELTRIN_UI");
    EXPECT_TRUE(app.calls.empty());
}
