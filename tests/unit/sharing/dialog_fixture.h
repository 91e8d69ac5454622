// Runs the sharing dialog on a machine made for the test, answered from a
// response file, and reads back the transcript of what was shown.
#pragma once

#include "sharing/sharing_dlg.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class SharingDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a fresh dialog modally, answered by the script lines given.
    INT_PTR Run(const std::string &script);
    std::vector<std::string> Transcript() const;
    // The "list <id> ..." lines of the transcript, one each time the dialog
    // waited, oldest first.
    std::vector<std::string> ListLines(int id) const;

    testkit::TempMachine machine;
    testkit::TempDir dir;
    DWORD sharedDriveMask = 0; // of the dialog, after its run
};
