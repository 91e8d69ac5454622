// Shares the printers moved into the shared list and stops sharing those
// moved out of it; printers that kept their place are left alone.
#include "sharing/printer_share_name.h"
#include "sharing/sharing_dlg.h"
#include "wayback/share_record.h"

#include <string>

namespace {

constexpr unsigned short kPrinterShareFlags = SHI50F_PERSIST | SHI50F_EVERY_SHARE | SHI50F_FULL;

bool AsksForRetry(unsigned result) {
    return result == ERROR_INVALID_PARAMETER || result == NERR_DuplicateShare;
}

// A refusal of the second try is told under the name that try used.
void SharePrinter(char *printerName, ShareFailures &failures) {
    const std::string name = PrinterShareName(printerName);
    ShareRecord record(STYPE_PRINTQ, kPrinterShareFlags, printerName);
    if (!record) {
        failures.Note(name, ERROR_NOT_ENOUGH_MEMORY);
        return;
    }
    const unsigned result = record.Add(name);
    if (!AsksForRetry(result)) {
        failures.Note(name, result);
        return;
    }
    const std::string retry = RetryShareName(name);
    failures.Note(retry, record.Add(retry));
}

} // namespace

void CSharingDlg::ApplyPrinterShares(ShareFailures &failures) {
    for (DWORD i = 0; i < m_printerCount; ++i) {
        const PRINTER_INFO_2 &printer = m_printers[i];
        const bool marked = (printer.Attributes & PRINTER_ATTRIBUTE_SHARED) != 0;
        if (printer.pShareName) {
            if (marked)
                continue;
            failures.Note(printer.pShareName, DeleteShare(printer.pShareName));
        } else if (marked) {
            SharePrinter(printer.pPrinterName, failures);
        }
    }
}
