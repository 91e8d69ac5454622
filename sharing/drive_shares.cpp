// Makes the disk shares match the drive selection: every recorded disk share
// goes, then each chosen drive's root is shared read-only as "<L>_Drive".
#include "sharing/drive_letters.h"
#include "sharing/share_key.h"
#include "sharing/sharing_dlg.h"
#include "wayback/share_record.h"

#include <string>
#include <string_view>

namespace {

constexpr unsigned short kDriveShareFlags =
    SHI50F_PERSIST | SHI50F_EVERY_SHARE | SHI50F_DISK_SHARE | SHI50F_RDONLY;

// Deleting a share removes its subkey and moves the later ones down, so
// the names are gathered first and deleted once the walk is over. A key
// name holds no NUL, so each name is kept ended by one.
void RemoveDiskShares(ShareFailures &failures) {
    std::string names;
    ForEachDiskShare([&names](HKEY, const char *name) {
        names += name;
        names += '\0';
    });
    for (std::size_t at = 0; at < names.size();) {
        const char *name = names.c_str() + at;
        const std::string_view shareName(name);
        failures.Note(shareName, DeleteShare(name));
        at += shareName.size() + 1;
    }
}

void ShareDriveRoot(char letter, ShareFailures &failures) {
    char name[] = "C_Drive";
    char path[] = "C:\\";
    name[0] = letter;
    path[0] = letter;
    const std::string_view shareName(name, sizeof name - 1);
    ShareRecord record(STYPE_DISKTREE, kDriveShareFlags, path);
    failures.Note(shareName, record ? record.Add(shareName) : ERROR_NOT_ENOUGH_MEMORY);
}

} // namespace

void CSharingDlg::ApplyDriveShares(ShareFailures &failures) {
    RemoveDiskShares(failures);
    for (unsigned i = 0; i < kDriveLetters; ++i)
        if ((m_driveMask & m_sharedDriveMask & DriveBit(i)) != 0)
            ShareDriveRoot(static_cast<char>('A' + i), failures);
}
