// The sharing selection dialog: two pairs of lists in which the user picks
// the drives and printers to share. Moves change only the fields below; OK
// turns them into shares.
#pragma once

#include "platform/framework.h"
#include "res/resource.h"
#include "sharing/share_failures.h"
#include "wayback/undo_capture.h"

class CSharingDlg : public CDialog {
  public:
    explicit CSharingDlg(CWnd *parent = nullptr);
    ~CSharingDlg() override = default;

    // Bit i stands for drive letter 'A' + i.
    DWORD m_driveMask;       // letters that may be shared
    DWORD m_sharedDriveMask; // letters shared now or chosen for sharing
    // The local printers, PRINTER_ATTRIBUTE_SHARED marking the chosen ones;
    // one local-heap block, given back when the window goes.
    DWORD m_printerCount;
    PRINTER_INFO_2 *m_printers;
    HICON m_hIcon;

    void ReadDriveInventory();
    void ReadPrinterInventory();
    void FillDriveLists();
    void FillPrinterLists();

    void ShareSelectedDrive();
    void UnshareSelectedDrive();
    void ShareSelectedPrinter();
    void UnshareSelectedPrinter();

    // The share steps of the OK handling, in this order; each adds the share
    // calls that failed to failures.
    void ApplyDriveShares(ShareFailures &failures);
    void ApplyPrinterShares(ShareFailures &failures);
    // The shares and printers those two steps may change, for the undo file.
    UndoScope UndoScopeOfRun();
    // OK found no way back to record: nothing was changed.
    bool m_setupRefused = false;

    // The framework's own OK handling: ends the modal run with IDOK.
    void EndWithOk() { CDialog::OnOK(); }

  protected:
    void DoDataExchange(CDataExchange *dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnDestroy();
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    DECLARE_MESSAGE_MAP()

  private:
    bool IsDriveListed(unsigned letter, bool shared) const;
    bool IsPrinterListed(DWORD index, bool shared) const;
    void FillDriveList(int listId, bool shared);
    void FillPrinterList(int listId, bool shared);
    void MoveSelectedDrive(int listId, bool shared);
    void MoveSelectedPrinter(int listId, bool shared);
};
