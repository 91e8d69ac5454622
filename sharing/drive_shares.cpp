// Makes the disk shares match the drive selection: every recorded disk share
// goes, then each chosen drive's root is shared read-only as "<L>_Drive".
#include "sharing/drive_letters.h"
#include "sharing/share_key.h"
#include "sharing/share_record.h"
#include "sharing/sharing_dlg.h"

#include <string>
#include <vector>

namespace {

constexpr unsigned short kDriveShareFlags = SHI50F_PERSIST | 0x0080 | 0x0010 | SHI50F_RDONLY;

// Deleting a share removes its subkey and moves the later ones down, so
// the names are gathered first and deleted once the walk is over.
void RemoveDiskShares(ShareFailures &failures) {
    std::vector<std::string> names;
    ForEachDiskShare([&names](HKEY, const char *name) { names.push_back(std::string(name)); });
    for (const std::string &name : names)
        failures.Note(name, DeleteShare(name.c_str()));
}

void ShareDriveRoot(char letter, ShareFailures &failures) {
    char name[] = "C_Drive";
    char path[] = "C:\\";
    name[0] = letter;
    path[0] = letter;
    ShareRecord record(STYPE_DISKTREE, kDriveShareFlags, path);
    failures.Note(name, record ? record.Add(name) : ERROR_NOT_ENOUGH_MEMORY);
}

} // namespace

void CSharingDlg::ApplyDriveShares(ShareFailures &failures) {
    RemoveDiskShares(failures);
    for (unsigned i = 0; i < kDriveLetters; ++i)
        if ((m_driveMask & m_sharedDriveMask & DriveBit(i)) != 0)
            ShareDriveRoot(static_cast<char>('A' + i), failures);
}
