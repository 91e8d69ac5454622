// Runs the sharing dialog on a machine made for the test, answered by the
// dialog harness, which keeps the transcript of what was shown.
#pragma once

#include "sharing/sharing_dlg.h"
#include "tests/testkit/dialog_harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class SharingDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a fresh dialog modally, answered by the inputs given (and the
    // message boxes by answers).
    INT_PTR Run(const std::vector<ui::Input> &inputs, const std::vector<int> &answers = {});

    testkit::TempMachine machine;
    testkit::DialogHarness *ui = nullptr; // owned by the window manager
    DWORD sharedDriveMask = 0;            // of the dialog, after its run
};

// Opens a sharing dialog on the machine in use, runs act on it once it is
// initialised (drives and printers read), then cancels it; the dialog gives
// its printer table back as it closes.
void WhileSharingDialogOpen(const std::function<void(CSharingDlg &dialog)> &act);
