// Shares the printers moved into the shared list and stops sharing those
// moved out of it; printers that kept their place are left alone.
#include "sharing/printer_share_name.h"
#include "sharing/share_record.h"
#include "sharing/sharing_dlg.h"

#include <string>

namespace {

constexpr unsigned short kPrinterShareFlags = SHI50F_PERSIST | 0x0080 | SHI50F_FULL;

bool AsksForRetry(unsigned result) {
    return result == ERROR_INVALID_PARAMETER || result == NERR_DuplicateShare;
}

void SharePrinter(const char *printerName) {
    std::string path(printerName);
    ShareRecord record(STYPE_PRINTQ, kPrinterShareFlags, path.data());
    if (!record)
        return;
    const std::string name = PrinterShareName(path);
    if (AsksForRetry(record.Add(name)))
        record.Add(RetryShareName(name));
}

} // namespace

BOOL CSharingDlg::ApplyPrinterShares() {
    for (DWORD i = 0; i < m_printerCount; ++i) {
        const PRINTER_INFO_2 &printer = m_printers[i];
        const bool marked = (printer.Attributes & PRINTER_ATTRIBUTE_SHARED) != 0;
        if (printer.pShareName) {
            if (!marked)
                DeleteShare(printer.pShareName);
        } else if (marked) {
            SharePrinter(printer.pPrinterName);
        }
    }
    return TRUE;
}
