// The printer table read when the dialog opens.
#include "dialog_fixture.h"
#include "share_fixture.h"

#include <gtest/gtest.h>

namespace {

using sharing_test::Printer;

// Opens the sharing dialog on a machine holding the printers given and runs
// check on the table it read.
void WithPrinters(const std::string &printers,
                  const std::function<void(const CSharingDlg &dialog)> &check) {
    testkit::TempMachine machine;
    machine.SetRegistry(printers);
    machine.Use();
    WhileSharingDialogOpen(check);
}

std::vector<std::string> Names(const CSharingDlg &dialog) {
    std::vector<std::string> names;
    for (DWORD i = 0; i < dialog.m_printerCount; ++i)
        names.emplace_back(dialog.m_printers[i].pPrinterName);
    return names;
}

using Lines = std::vector<std::string>;

TEST(PrinterInventory, NoPrinterHoldsNoBlock) {
    WithPrinters("", [](const CSharingDlg &dialog) {
        EXPECT_EQ(dialog.m_printerCount, 0u);
        EXPECT_EQ(dialog.m_printers, nullptr);
    });
}

TEST(PrinterInventory, LocalPortsEnterInEnumerationOrder) {
    WithPrinters(Printer("Laser", "LPT1:") + Printer("Plotter", "COM2:") +
                     Printer("Writer", "FILE:"),
                 [](const CSharingDlg &dialog) {
                     EXPECT_EQ(Names(dialog), (Lines{"Laser", "Plotter", "Writer"}));
                 });
}

TEST(PrinterInventory, NetworkPrinterDroppedInPlace) {
    WithPrinters(Printer("P1", "LPT1:") + Printer("Office", "\\\\OFFICE\\LASER") +
                     Printer("P3", "LPT2:"),
                 [](const CSharingDlg &dialog) {
                     ASSERT_EQ(Names(dialog), (Lines{"P1", "P3"}));
                     // The third record moved down; its old place is left as it was.
                     EXPECT_STREQ(dialog.m_printers[2].pPrinterName, "P3");
                     EXPECT_STREQ(dialog.m_printers[1].pPortName, "LPT2:");
                 });
}

TEST(PrinterInventory, OnlyNetworkPrintersKeepTheBlockWithNoRecord) {
    WithPrinters(Printer("A", "\\\\OFFICE\\A") + Printer("B", "\\\\OFFICE\\B"),
                 [](const CSharingDlg &dialog) {
                     EXPECT_EQ(dialog.m_printerCount, 0u);
                     EXPECT_NE(dialog.m_printers, nullptr);
                 });
}

TEST(PrinterInventory, SharedStateAsEnumerated) {
    WithPrinters(Printer("P1", "LPT1:") + Printer("P2", "LPT2:", "LASER") +
                     Printer("P3", "COM1:", ""),
                 [](const CSharingDlg &dialog) {
                     ASSERT_EQ(dialog.m_printerCount, 3u);
                     const PRINTER_INFO_2 *p = dialog.m_printers;
                     EXPECT_EQ(p[0].Attributes & PRINTER_ATTRIBUTE_SHARED, 0u);
                     EXPECT_EQ(p[0].pShareName, nullptr);
                     EXPECT_NE(p[1].Attributes & PRINTER_ATTRIBUTE_SHARED, 0u);
                     EXPECT_STREQ(p[1].pShareName, "LASER");
                     ASSERT_NE(p[2].pShareName, nullptr);
                     EXPECT_STREQ(p[2].pShareName, "");
                 });
}

} // namespace
