// What the network setup tests share: a fresh machine and setup state per
// test, the dialog harness answering as a person would, and registry
// read-backs.
#pragma once

#include "netsetup/setup_state.h"
#include "tests/testkit/dialog_harness.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace nstest {

class NetsetupTest : public ::testing::Test {
  protected:
    NetsetupTest();
    ~NetsetupTest() override;

    testkit::TempMachine machine;
    testkit::DialogHarness *ui; // owned by the window manager
};

// A string value of HKLM\key with its stored size; nullopt when missing.
struct StoredString {
    std::string text; // up to the first NUL
    DWORD size = 0;
    DWORD type = 0;
};
std::optional<StoredString> ReadMachineString(const std::string &key, const std::string &name);

// A shell line that adds the Winsock 2 service key to the machine's registry
// file, as a stand-in installer does.
extern const char kAddWinsock2Key[];

// Whether the role dialog showed "Client" selected when it first waited.
bool RoleOpenedAsClient(const testkit::DialogHarness &ui);

// The journal's program starts and restart requests, in order.
std::vector<std::string> ProgramLines(const testkit::TempMachine &machine);

} // namespace nstest
