// The printers attached to this computer's own ports, with their shared
// state, in one local-heap block that the dialog holds until its window goes.
#include "sharing/printer_record.h"
#include "sharing/sharing_dlg.h"

namespace {

constexpr DWORD kLevel = 2;
// Zero bytes after the spooler's data, so the last text always ends.
constexpr DWORD kTerminatorSlack = 4;

} // namespace

void CSharingDlg::ReadPrinterInventory() {
    DWORD needed = 0;
    DWORD returned = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, kLevel, nullptr, 0, &needed, &returned);
    if (needed == 0 || needed > 0xFFFFFFFFu - kTerminatorSlack)
        return;
    HLOCAL block = LocalAlloc(LMEM_ZEROINIT, needed + kTerminatorSlack);
    if (!block)
        return;
    auto *bytes = static_cast<BYTE *>(block);
    const DWORD size = needed;
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, kLevel, bytes, size, &needed, &returned) ||
        returned == 0) {
        LocalFree(block);
        return;
    }
    // A count the block cannot hold is not believed.
    const DWORD fits = static_cast<DWORD>(size / sizeof(PRINTER_INFO_2));
    if (returned > fits)
        returned = fits;

    m_printerCount = 0;
    m_printers = static_cast<PRINTER_INFO_2 *>(block);
    for (DWORD pos = 0; pos < returned; ++pos) {
        if (!IsOfferedPrinter(m_printers[pos], bytes, bytes + size))
            continue;
        if (m_printerCount != pos)
            m_printers[m_printerCount] = m_printers[pos];
        ++m_printerCount;
    }
}
