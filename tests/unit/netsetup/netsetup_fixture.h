// What the network setup tests share: a fresh machine and setup state per
// test, a user-interface driver that answers from queues and records what a
// person would have seen, and registry read-backs.
#pragma once

#include "netsetup/setup_state.h"
#include "platform/user32/driver.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace nstest {

// Answers message boxes and dialog waits in order; every event goes to log:
//   msgbox <caption>|<text>|<style>|owner=<template id or 0>
//   open <template id> check1031=<0|1>
//   close <template id> <result>
// A dialog that waits with no input queued for it, or a message box without
// an answer, fails the test and is closed (no hang).
class FakeUi : public ui::Driver {
  public:
    std::deque<int> answers;                     // message box buttons
    std::map<int, std::deque<ui::Input>> inputs; // per template id
    std::vector<std::string> log;
    // Runs when a message box shows, before it is answered.
    std::function<void(const ui::MessageBoxRequest &)> onMessageBox;
    // Runs when a dialog has closed, before its window goes.
    std::function<void(const ui::Window &, int)> onClosed;

    int ShowMessageBox(const ui::MessageBoxRequest &request) override;
    void DialogOpened(const ui::Window &window) override;
    ui::Input NextInput(const ui::Window &active,
                        std::optional<ui::Duration> untilNextTimer) override;
    void InputRejected(const ui::Window &active, const ui::Input &input,
                       const std::string &reason) override;
    void DialogClosed(const ui::Window &window, int result) override;
};

class NetsetupTest : public ::testing::Test {
  protected:
    NetsetupTest();
    ~NetsetupTest() override;

    testkit::TempMachine machine;
    FakeUi *ui; // owned by the window manager
};

// A string value of HKLM\key with its stored size; nullopt when missing.
struct StoredString {
    std::string text; // up to the first NUL
    DWORD size = 0;
    DWORD type = 0;
};
std::optional<StoredString> ReadMachineString(const std::string &key, const std::string &name);

// The journal's program starts and restart requests, in order.
std::vector<std::string> ProgramLines(const testkit::TempMachine &machine);

} // namespace nstest
