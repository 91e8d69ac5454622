// Sharing the printers moved into the shared list and unsharing the others.
#include "dialog_fixture.h"
#include "share_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using sharing_test::DiskShare;
using sharing_test::JournalLines;
using sharing_test::Printer;
using sharing_test::ShareNames;
using sharing_test::ShareValue;
using Lines = std::vector<std::string>;

class PrinterShares : public ::testing::Test {
  protected:
    // Opens the sharing dialog on the registry given, sets the shared mark of
    // every printer named in `marked` and clears the others, runs meanwhile
    // (when given), then applies the printer shares; the dialog is then
    // cancelled. Returns the share calls that failed.
    ShareFailures Apply(const std::string &registry, const Lines &marked,
                        const std::function<void()> &meanwhile = nullptr) {
        machine.SetRegistry(registry);
        machine.Use();
        ShareFailures applied;
        WhileSharingDialogOpen([&](CSharingDlg &dialog) {
            for (DWORD i = 0; i < dialog.m_printerCount; ++i) {
                PRINTER_INFO_2 &p = dialog.m_printers[i];
                const bool mark =
                    std::find(marked.begin(), marked.end(), p.pPrinterName) != marked.end();
                p.Attributes = mark ? p.Attributes | PRINTER_ATTRIBUTE_SHARED
                                    : p.Attributes & ~DWORD{PRINTER_ATTRIBUTE_SHARED};
            }
            if (meanwhile)
                meanwhile();
            dialog.ApplyPrinterShares(applied);
        });
        return applied;
    }
    Lines Journal(const char *prefix) const { return JournalLines(machine, prefix); }
    // The journal's NetShareAdd lines without their type, flags and path.
    Lines Adds() const {
        Lines adds;
        for (const std::string &line : Journal("NetShareAdd ")) {
            const auto nameEnd = line.find("\" ", 12);
            adds.push_back(line.substr(12, nameEnd - 11) + line.substr(line.rfind(" -> ")));
        }
        return adds;
    }

    testkit::TempMachine machine;
};

TEST_F(PrinterShares, ActionFollowsMarkAndShareName) {
    EXPECT_TRUE(Apply(Printer("Kept", "LPT1:", "KEPT") + Printer("Dropped", "LPT2:", "DROPPED") +
                          Printer("New", "LPT3:") + Printer("Idle", "COM1:") +
                          sharing_test::ShareEntry("KEPT", "dword:00000001", "Kept") +
                          sharing_test::ShareEntry("DROPPED", "dword:00000001", "Dropped"),
                      {"Kept", "New"})
                    .empty());
    EXPECT_EQ(Journal("NetShareDel"), (Lines{"NetShareDel \"DROPPED\" -> 0"}));
    EXPECT_EQ(Journal("NetShareAdd"), (Lines{"NetShareAdd \"New\" 1 0x0182 \"New\" -> 0"}));
    EXPECT_EQ(ShareNames(), (Lines{"KEPT", "New"}));
    EXPECT_EQ(ShareValue("New", "Type"), "01,00,00,00");
    EXPECT_EQ(ShareValue("New", "Flags"), "82,01,00,00");
    EXPECT_EQ(ShareValue("New", "Remark"), "");
    EXPECT_EQ(ShareValue("New", "Parm1enc"), "");
}

TEST_F(PrinterShares, WorkedNamesInTableOrder) {
    Apply(Printer("Office Laser", "LPT1:") + Printer("Office Laser (2)", "LPT2:") +
              Printer("Photo (Copy 3)", "LPT3:") + Printer("Engineering", "COM1:") +
              Printer("Receptionist", "COM2:") + Printer("Laser (LPT1)", "FILE:"),
          {"Office Laser", "Office Laser (2)", "Photo (Copy 3)", "Engineering", "Receptionist",
           "Laser (LPT1)"});
    EXPECT_EQ(Journal("NetShareAdd"),
              (Lines{"NetShareAdd \"Office\" 1 0x0182 \"Office Laser\" -> 0",
                     "NetShareAdd \"Office2\" 1 0x0182 \"Office Laser (2)\" -> 0",
                     "NetShareAdd \"Photo3\" 1 0x0182 \"Photo (Copy 3)\" -> 0",
                     "NetShareAdd \"Engineering\" 1 0x0182 \"Engineering\" -> 0",
                     "NetShareAdd \"Receptionist\" 1 0x0182 \"Receptionist\" -> 0",
                     "NetShareAdd \"Laser1\" 1 0x0182 \"Laser (LPT1)\" -> 0"}));
}

TEST_F(PrinterShares, OneRetryAfterDuplicateOrInvalidName) {
    // Every retry succeeded: nothing failed.
    EXPECT_TRUE(Apply(DiskShare("Office", "C:\\") + DiskShare("Engineering", "C:\\") +
                          DiskShare("Receptionist", "C:\\") + Printer("Office Laser", "LPT1:") +
                          Printer("Engineering", "LPT2:") + Printer("Receptionist", "LPT3:") +
                          Printer(" Laser", "COM1:"),
                      {"Office Laser", "Engineering", "Receptionist", " Laser"})
                    .empty());
    EXPECT_EQ(Adds(), (Lines{"\"Office\" -> 2118", "\"OfficeA\" -> 0", "\"Engineering\" -> 2118",
                             "\"EngineeringA\" -> 0", "\"Receptionist\" -> 2118",
                             "\"ReceptioniA\" -> 0", "\"\" -> 87", "\"A\" -> 0"}));
}

TEST_F(PrinterShares, NoThirdTryAndNoRetryForOtherRefusals) {
    // The printer is removed after the inventory: the share service refuses
    // the share with a code that asks for no retry.
    const ShareFailures failures = Apply(
        DiskShare("Office", "C:\\") + DiskShare("OfficeA", "C:\\") +
            Printer("Office Laser", "LPT1:") + Printer("Gone", "LPT2:"),
        {"Office Laser", "Gone"}, [] {
            HKEY printers = nullptr;
            ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE,
                                  "System\\CurrentControlSet\\control\\Print\\Printers", &printers),
                      ERROR_SUCCESS);
            RegDeleteKeyA(printers, "Gone");
            RegCloseKey(printers);
        });
    EXPECT_EQ(Adds(), (Lines{"\"Office\" -> 2118", "\"OfficeA\" -> 2118",
                             "\"Gone\" -> " + std::to_string(ERROR_INVALID_PRINTER_NAME)}));
    // A printer refused twice is told under the name of its second try.
    EXPECT_EQ(failures.Lines(),
              "\nOfficeA: 2118\nGone: " + std::to_string(ERROR_INVALID_PRINTER_NAME));
}

// A first name too long for the record's name field is refused without a
// call; the retry shortens it.
TEST_F(PrinterShares, TooLongFirstNameGoesStraightToTheRetry) {
    const std::string longName = "Accountingdept " + std::string(60, 'x') + " (4)";
    Apply(Printer("Accountingdept Laser", "LPT1:") + Printer("Accounting12 (9)", "LPT2:") +
              Printer(longName, "LPT3:"),
          {"Accountingdept Laser", "Accounting12 (9)", longName});
    EXPECT_EQ(Journal("NetShareAdd"),
              (Lines{"NetShareAdd \"AccountingA\" 1 0x0182 \"Accountingdept Laser\" -> 0",
                     "NetShareAdd \"AccountingA\" 1 0x0182 \"Accounting12 (9)\" -> 2118",
                     "NetShareAdd \"AccountingA\" 1 0x0182 \"" + longName + "\" -> 2118"}));
}

TEST_F(PrinterShares, LongPrinterNameKeepsItsFullPath) {
    const std::string longName = "Colour " + std::string(70, 'c') + " (5)";
    Apply(Printer(longName, "LPT1:"), {longName});
    EXPECT_EQ(Journal("NetShareAdd"),
              (Lines{"NetShareAdd \"Colour5\" 1 0x0182 \"" + longName + "\" -> 0"}));
    EXPECT_EQ(ShareValue("Colour5", "Path"), longName);
}

TEST_F(PrinterShares, EmptyShareNameCountsAsPresent) {
    const ShareFailures failures =
        Apply(Printer("Marked", "LPT1:", "") + Printer("Unmarked", "LPT2:", ""), {"Marked"});
    EXPECT_TRUE(Journal("NetShareAdd").empty());
    EXPECT_EQ(Journal("NetShareDel"), (Lines{"NetShareDel \"\" -> 2310"}));
    EXPECT_EQ(failures.Lines(), "\n: 2310");
}

} // namespace
