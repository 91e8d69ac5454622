// Which drives may be shared, and which of them are shared already.
#include "sharing/drive_letters.h"
#include "sharing/share_key.h"
#include "sharing/sharing_dlg.h"

namespace {

constexpr DWORD kLetterBits = DriveBit(kDriveLetters) - 1;

// Network drives mapped here are someone else's to share; so are letters
// that name no drive.
bool MayShare(UINT driveType) {
    return driveType != DRIVE_UNKNOWN && driveType != DRIVE_NO_ROOT_DIR &&
           driveType != DRIVE_REMOTE;
}

// The drive bit of a share's "Path", 0 when it does not start with a letter.
DWORD PathDriveBit(HKEY subkey) {
    BYTE data[80];
    DWORD type = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(subkey, "Path", nullptr, &type, data, &size) != ERROR_SUCCESS || size == 0)
        return 0;
    const char first = static_cast<char>(data[0]);
    if (first >= 'A' && first <= 'Z')
        return DriveBit(static_cast<unsigned>(first - 'A'));
    if (first >= 'a' && first <= 'z')
        return DriveBit(static_cast<unsigned>(first - 'a'));
    return 0;
}

} // namespace

void CSharingDlg::ReadDriveInventory() {
    m_driveMask = GetLogicalDrives();
    if (m_driveMask == 0) {
        MessageBox("GetLogicalDrives failed.", "Setup Drive List", MB_OK);
        return;
    }
    m_driveMask &= kLetterBits;
    char rootPath[4] = "A:\\";
    for (unsigned i = 0; i < kDriveLetters; ++i) {
        const DWORD bit = DriveBit(i);
        if ((m_driveMask & bit) == 0)
            continue;
        rootPath[0] = static_cast<char>('A' + i);
        if (!MayShare(GetDriveTypeA(rootPath)))
            m_driveMask &= ~bit;
    }
    ForEachDiskShare(
        [this](HKEY subkey, const char *) { m_sharedDriveMask |= PathDriveBit(subkey); });
}
