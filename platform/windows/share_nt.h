// Shares on the Windows NT family, through netapi32 at information level 2.
#pragma once

namespace win32 {

// A level-50 share record in the terms level 2 uses.
struct NtShare {
    const char *name;
    bool printer;  // a print queue (STYPE_PRINTQ), else a disk tree
    bool readOnly; // ACCESS_READ, else every permission
    const char *remark;
    const char *path;     // a folder, or the printer's name for a print queue
    const char *password; // null or empty: none
};

// NetShareAdd / NetShareDel of netapi32, loaded at run time; the codes they
// return (2118 duplicate, 50 not supported, ...), or 50 when netapi32 is
// missing, 87 when a text does not convert.
unsigned AddNtShare(const NtShare &share);
unsigned DeleteNtShare(const char *name);

} // namespace win32
