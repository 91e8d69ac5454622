// The printer table read when the dialog opens.
#include "share_fixture.h"
#include "sharing/sharing_dlg.h"

#include <gtest/gtest.h>

namespace {

using sharing_test::Printer;

// Reads the inventory of a machine holding the printers given, and gives
// the block back when the test is done with it.
class PrinterTable {
  public:
    explicit PrinterTable(const std::string &printers) {
        machine.SetRegistry(printers);
        machine.Use();
        dialog.ReadPrinterInventory();
    }
    ~PrinterTable() {
        if (dialog.m_printers)
            LocalFree(LocalHandle(dialog.m_printers));
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (DWORD i = 0; i < dialog.m_printerCount; ++i)
            names.emplace_back(dialog.m_printers[i].pPrinterName);
        return names;
    }

    testkit::TempMachine machine;
    CSharingDlg dialog;
};

using Names = std::vector<std::string>;

TEST(PrinterInventory, NoPrinterHoldsNoBlock) {
    PrinterTable table("");
    EXPECT_EQ(table.dialog.m_printerCount, 0u);
    EXPECT_EQ(table.dialog.m_printers, nullptr);
}

TEST(PrinterInventory, LocalPortsEnterInEnumerationOrder) {
    PrinterTable table(Printer("Laser", "LPT1:") + Printer("Plotter", "COM2:") +
                       Printer("Writer", "FILE:"));
    EXPECT_EQ(table.Names(), (Names{"Laser", "Plotter", "Writer"}));
}

TEST(PrinterInventory, NetworkPrinterDroppedInPlace) {
    PrinterTable table(Printer("P1", "LPT1:") + Printer("Office", "\\\\OFFICE\\LASER") +
                       Printer("P3", "LPT2:"));
    ASSERT_EQ(table.Names(), (Names{"P1", "P3"}));
    // The third record moved down; its old place is left as it was.
    EXPECT_STREQ(table.dialog.m_printers[2].pPrinterName, "P3");
    EXPECT_STREQ(table.dialog.m_printers[1].pPortName, "LPT2:");
}

TEST(PrinterInventory, OnlyNetworkPrintersKeepTheBlockWithNoRecord) {
    PrinterTable table(Printer("A", "\\\\OFFICE\\A") + Printer("B", "\\\\OFFICE\\B"));
    EXPECT_EQ(table.dialog.m_printerCount, 0u);
    EXPECT_NE(table.dialog.m_printers, nullptr);
}

TEST(PrinterInventory, SharedStateAsEnumerated) {
    PrinterTable table(Printer("P1", "LPT1:") + Printer("P2", "LPT2:", "LASER") +
                       Printer("P3", "COM1:", ""));
    ASSERT_EQ(table.dialog.m_printerCount, 3u);
    const PRINTER_INFO_2 *p = table.dialog.m_printers;
    EXPECT_EQ(p[0].Attributes & PRINTER_ATTRIBUTE_SHARED, 0u);
    EXPECT_EQ(p[0].pShareName, nullptr);
    EXPECT_NE(p[1].Attributes & PRINTER_ATTRIBUTE_SHARED, 0u);
    EXPECT_STREQ(p[1].pShareName, "LASER");
    ASSERT_NE(p[2].pShareName, nullptr);
    EXPECT_STREQ(p[2].pShareName, "");
}

} // namespace
