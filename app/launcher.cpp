// The media launcher: find the CD-ROM drive, make sure the installation CD
// is in it, and start the CD's own autorun program.
#include "app/setup_app.h"
#include "netsetup/cd_probe.h"

namespace {

const char kSetupEntry[] = "\\Tzr\\Setup";
const char kAutorun[] = "\\autorun.exe";
const char kReminderText[] =
    "Please make sure your Quorvane Phoneline Network Card Installation CD-ROM is properly "
    "inserted in your CD-ROM Drive.  Click OK to continue or Cancel to abort.";

// A dialog object that never gets a window: a message box shown through it
// has no owner.
class CPromptOwner : public CDialog {
  public:
    CPromptOwner() : CDialog(0) {}
    using CDialog::MessageBox;
};

} // namespace

BOOL CSetupApp::InitInstance() {
    Enable3dControls();

    char rootPath[4] = "D:\\";
    ProbeCdDrive(rootPath);
    const char letter = rootPath[0];

    char path[kCdPathSize];
    MakeCdPath(path, letter, kSetupEntry);

    CPromptOwner promptOwner;
    while (!CdEntryExists(path)) {
        // Every answer but OK counts as Cancel; OK tests the same drive again.
        if (promptOwner.MessageBox(kReminderText, "Reminder", MB_OKCANCEL) != IDOK)
            return FALSE;
    }

    MakeCdPath(path, letter, kAutorun);
    WinExec(path, SW_SHOWNORMAL);
    return FALSE;
}
