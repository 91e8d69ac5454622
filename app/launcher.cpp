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

// Builds "<letter>:" followed by tail into path (128 characters).
void BuildCdPath(char *path, char letter, const char *tail) {
    path[0] = letter;
    path[1] = ':';
    path[2] = '\0';
    lstrcatA(path, tail);
}

bool PathExists(const char *path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

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

    char path[128];
    BuildCdPath(path, letter, kSetupEntry);

    CPromptOwner promptOwner;
    bool present = PathExists(path);
    while (!present) {
        if (promptOwner.MessageBox(kReminderText, "Reminder", MB_OKCANCEL) != IDOK)
            return FALSE;
        present = PathExists(path);
    }

    BuildCdPath(path, letter, kAutorun);
    WinExec(path, SW_SHOWNORMAL);
    return FALSE;
}
