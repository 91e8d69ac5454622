// The media launcher: find the CD-ROM drive, make sure the installation CD
// is in it, and start the CD's own autorun program.
#include "app/setup_app.h"
#include "common/cd_probe.h"
#include "common/cd_prompt.h"

namespace {

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

    CPromptOwner promptOwner;
    // Every answer but OK counts as Cancel; OK tests the same drive again.
    if (!WaitForInstallationCd(
            letter, [&] { return promptOwner.MessageBox(kReminderText, "Reminder", MB_OKCANCEL); },
            IDOK))
        return FALSE;

    char path[kCdPathSize];
    MakeCdPath(path, letter, kAutorun);
    WinExec(path, SW_SHOWNORMAL);
    return FALSE;
}
