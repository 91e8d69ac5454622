#include "dialog_fixture.h"

void SharingDialogTest::SetUp() {
    machine.Use();
    ui = &testkit::DialogHarness::Install();
}

void SharingDialogTest::TearDown() {
    ui->ExpectAllUsed();
    ui::SetDriver(nullptr);
}

INT_PTR SharingDialogTest::Run(const std::vector<ui::Input> &inputs,
                               const std::vector<int> &answers) {
    ui->inputs[IDD_SHARING_DIALOG].assign(inputs.begin(), inputs.end());
    ui->answers.assign(answers.begin(), answers.end());
    CSharingDlg dialog;
    const INT_PTR result = dialog.DoModal();
    sharedDriveMask = dialog.m_sharedDriveMask;
    return result;
}

void WhileSharingDialogOpen(const std::function<void(CSharingDlg &dialog)> &act) {
    testkit::DialogHarness &ui = testkit::DialogHarness::Install();
    CSharingDlg dialog;
    EXPECT_EQ(ui.WhileOpen(dialog, [&] { act(dialog); }), IDCANCEL);
    EXPECT_EQ(dialog.m_printers, nullptr);
    EXPECT_EQ(dialog.m_printerCount, 0u);
    ui.ExpectAllUsed();
    ui::SetDriver(nullptr);
}
