// What the share steps of this OK may change, worked out from the same
// choice and the same share key they act on, before they act: the undo file
// records just that.
#include "sharing/drive_letters.h"
#include "sharing/printer_share_name.h"
#include "sharing/share_key.h"
#include "sharing/sharing_dlg.h"
#include "wayback/undo_capture.h"

UndoScope CSharingDlg::UndoScopeOfRun() {
    UndoScope scope;
    ForEachDiskShare([&scope](HKEY, const char *name) { scope.shares.emplace_back(name); });
    for (unsigned i = 0; i < kDriveLetters; ++i)
        if ((m_driveMask & m_sharedDriveMask & DriveBit(i)) != 0)
            scope.shares.push_back(std::string(1, static_cast<char>('A' + i)) + "_Drive");
    for (DWORD i = 0; i < m_printerCount; ++i) {
        const PRINTER_INFO_2 &printer = m_printers[i];
        const bool marked = (printer.Attributes & PRINTER_ATTRIBUTE_SHARED) != 0;
        if (printer.pShareName && !marked) {
            scope.shares.emplace_back(printer.pShareName);
        } else if (!printer.pShareName && marked) {
            // Either name may be made: the retry's only when the first is refused.
            std::string name = PrinterShareName(printer.pPrinterName);
            scope.shares.push_back(RetryShareName(name));
            scope.shares.push_back(std::move(name));
        } else {
            continue;
        }
        scope.printers.emplace_back(printer.pPrinterName);
    }
    return scope;
}
