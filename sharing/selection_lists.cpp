// The four lists and the moves between them. The lists are unsorted and
// always rebuilt by the same test a move uses, so a list's n-th entry is the
// n-th item that passes it.
#include "sharing/drive_letters.h"
#include "sharing/sharing_dlg.h"

#include "platform/function_ref.h"

namespace {

// Rebuilds one list from the texts that entry(i) gives for i < count
// (null: not in this list).
void RebuildList(HWND dialog, int listId, unsigned count,
                 vp::FunctionRef<const char *(unsigned)> entry) {
    SendDlgItemMessageA(dialog, listId, WM_SETREDRAW, FALSE, 0);
    SendDlgItemMessageA(dialog, listId, LB_RESETCONTENT, 0, 0);
    for (unsigned i = 0; i < count; ++i)
        if (const char *text = entry(i))
            SendDlgItemMessageA(dialog, listId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendDlgItemMessageA(dialog, listId, WM_SETREDRAW, TRUE, 0);
}

// Flips the item that the list's selected entry stands for; false, and
// nothing changed, when no entry is selected.
template <class Listed, class Flip>
bool MoveSelected(HWND dialog, int listId, unsigned count, Listed listed, Flip flip) {
    const LRESULT selected = SendDlgItemMessageA(dialog, listId, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return false;
    LRESULT seen = 0;
    for (unsigned i = 0; i < count; ++i) {
        if (listed(i) && seen++ == selected) {
            flip(i);
            break;
        }
    }
    return true;
}

} // namespace

bool CSharingDlg::IsDriveListed(unsigned letter, bool shared) const {
    const DWORD bit = DriveBit(letter);
    return (m_driveMask & bit) != 0 && ((m_sharedDriveMask & bit) != 0) == shared;
}

bool CSharingDlg::IsPrinterListed(DWORD index, bool shared) const {
    return ((m_printers[index].Attributes & PRINTER_ATTRIBUTE_SHARED) != 0) == shared;
}

void CSharingDlg::FillDriveList(int listId, bool shared) {
    char entry[] = "[-A-DRIVE]";
    RebuildList(m_hWnd, listId, kDriveLetters, [&](unsigned i) -> const char * {
        if (!IsDriveListed(i, shared))
            return nullptr;
        entry[2] = static_cast<char>('A' + i);
        return entry;
    });
}

void CSharingDlg::FillPrinterList(int listId, bool shared) {
    RebuildList(m_hWnd, listId, m_printerCount, [&](unsigned i) -> const char * {
        return IsPrinterListed(i, shared) ? m_printers[i].pPrinterName : nullptr;
    });
}

void CSharingDlg::FillDriveLists() {
    FillDriveList(IDC_LOCAL_DRIVES, false);
    FillDriveList(IDC_SHARED_DRIVES, true);
}

void CSharingDlg::FillPrinterLists() {
    FillPrinterList(IDC_LOCAL_PRINTERS, false);
    FillPrinterList(IDC_SHARED_PRINTERS, true);
}

void CSharingDlg::MoveSelectedDrive(int listId, bool shared) {
    if (MoveSelected(
            m_hWnd, listId, kDriveLetters, [&](unsigned i) { return IsDriveListed(i, shared); },
            [&](unsigned i) { m_sharedDriveMask ^= DriveBit(i); }))
        FillDriveLists();
}

void CSharingDlg::MoveSelectedPrinter(int listId, bool shared) {
    if (MoveSelected(
            m_hWnd, listId, m_printerCount, [&](unsigned i) { return IsPrinterListed(i, shared); },
            [&](unsigned i) { m_printers[i].Attributes ^= PRINTER_ATTRIBUTE_SHARED; }))
        FillPrinterLists();
}

void CSharingDlg::ShareSelectedDrive() {
    MoveSelectedDrive(IDC_LOCAL_DRIVES, false);
}
void CSharingDlg::UnshareSelectedDrive() {
    MoveSelectedDrive(IDC_SHARED_DRIVES, true);
}
void CSharingDlg::ShareSelectedPrinter() {
    MoveSelectedPrinter(IDC_LOCAL_PRINTERS, false);
}
void CSharingDlg::UnshareSelectedPrinter() {
    MoveSelectedPrinter(IDC_SHARED_PRINTERS, true);
}
