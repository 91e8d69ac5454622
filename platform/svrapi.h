// The Windows 9x share API (svrapi) at information level 50. No SDK header
// ships it any more, so the record and the calls are declared here for both
// builds; the Windows build loads svrapi.dll at run time.
#pragma once

#include <cstddef>

#define LM20_NNLEN 12
#define SHPWLEN 8

#define STYPE_DISKTREE 0
#define STYPE_PRINTQ 1

#define SHI50F_RDONLY 0x0001
#define SHI50F_FULL 0x0002
#define SHI50F_PERSIST 0x0100
#define SHI50F_SYSTEM 0x0200

// Two bits of the flag word that the published header leaves without a name
// (it names only the access bits above, their mask, persistence and the
// hidden system share). Windows 9x keeps the whole word as the share's
// "Flags" value under the LanMan key and documents no meaning for these;
// nothing of ours reads them back. Named by where the setup sets them:
#define SHI50F_EVERY_SHARE 0x0080 // on every share it makes, disk or printer
#define SHI50F_DISK_SHARE 0x0010  // on its disk shares only

#define NERR_Success 0
#define NERR_BufTooSmall 2123
#define NERR_DuplicateShare 2118
#define NERR_NetNameNotFound 2310
#define NERR_InvalidDevice 2294
#define NERR_ServerNotStarted 2114

#pragma pack(push, 1)
struct share_info_50 {
    char shi50_netname[LM20_NNLEN + 1];
    unsigned char shi50_type;
    unsigned short shi50_flags;
    char *shi50_remark;
    char *shi50_path;
    char shi50_rw_password[SHPWLEN + 1];
    char shi50_ro_password[SHPWLEN + 1];
};
#pragma pack(pop)

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(share_info_50) == 42, "share_info_50 must be 42 bytes on Win32");
#endif

// The record size the setup code allocates and passes: 42 bytes in the
// 32-bit layout Windows 9x defines, larger where pointers are wider.
constexpr unsigned short kShareInfo50Size = sizeof(share_info_50);

unsigned NetShareAdd(const char *server, short level, const char *buffer, unsigned short size);
unsigned NetShareDel(const char *server, const char *netName, unsigned short reserved);
