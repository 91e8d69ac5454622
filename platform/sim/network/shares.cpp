// The Windows 9x share service: persistent shares kept as subkeys of the
// LanMan key; a printer share also marks its printer. Each call is one
// registry change (a short one, appended to the file) and one journal line.
//
// Codes beyond those of Windows 9x's documentation:
//   NetShareAdd  53  a server name was given (only the local machine is served)
//               124  a level other than 50
//                87  no record, a bad name, type other than 0 or 1, no path,
//                    a disk path not of the form X:\...
//              2294  (NERR_InvalidDevice) a disk path on a drive the machine
//                    lacks, or on a network drive
//                 3  a disk path whose folder does not exist
//              1801  (ERROR_INVALID_PRINTER_NAME) a printer share of a printer
//                    that is not installed
//   both       1009, 5 or 29: the registry file could not be read or saved
#include "platform/api.h"
#include "platform/quoted_text.h"
#include "platform/sim/kernel/drive_path.h"
#include "platform/sim/machine/machine.h"
#include "platform/sim/machine/machine_config.h"
#include "platform/sim/network/machine_keys.h"
#include "platform/sim/network/share_request.h"
#include "platform/sim/registry/store.h"
#include "platform/sim/registry/writer.h"
#include "platform/svrapi.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>

namespace {

using sim::reg::Key;

std::string Dword(DWORD value) {
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i)
        data[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
    return data;
}

DWORD DwordOf(const sim::reg::Value *value) {
    DWORD result = 0;
    for (size_t i = 0; value && i < 4 && i < value->data.size(); ++i)
        result |= DWORD{static_cast<unsigned char>(value->data[i])} << (8 * i);
    return result;
}

std::string Text(std::string_view text) {
    return std::string(text) + '\0';
}

// A REG_SZ's text without its NUL.
std::string TextOf(const sim::reg::Value *value) {
    if (!value)
        return {};
    std::string_view data = value->data;
    return std::string(data.substr(0, data.find('\0')));
}

// Windows 9x keeps share passwords in upper case. They are stored as they
// are, not enciphered: the simulation has nothing to protect.
std::string Password(std::string password) {
    for (char &c : password)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return password;
}

bool IsServer(const char *server) {
    return server && *server;
}

unsigned CheckDiskPath(const std::string &path) {
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\')
        return ERROR_INVALID_PARAMETER;
    unsigned type = sim::DriveTypeOf(path[0]);
    if (type == DRIVE_NO_ROOT_DIR || type == DRIVE_REMOTE)
        return NERR_InvalidDevice;
    if (path.find_first_not_of('\\', 3) == std::string::npos)
        return 0; // a drive root may be shared with no medium in the drive
    auto host = sim::ResolveDrivePath(path);
    return host && std::filesystem::is_directory(*host)
               ? 0u
               : static_cast<unsigned>(ERROR_PATH_NOT_FOUND);
}

unsigned CheckRequest(const sim::ShareRequest &share) {
    if (!sim::ValidShareName(share.name) || !share.hasPath)
        return ERROR_INVALID_PARAMETER;
    if (share.type == STYPE_DISKTREE)
        return CheckDiskPath(share.path);
    if (share.type == STYPE_PRINTQ)
        return share.path.empty() ? static_cast<unsigned>(ERROR_INVALID_PARAMETER) : 0u;
    return ERROR_INVALID_PARAMETER;
}

// The printer key a printer share names, or null.
const Key *PrinterOf(const Key &root, const std::string &printerName) {
    const Key *printers = sim::reg::FindKey(root, sim::kPrintersKey);
    return printers && sim::reg::ValidKeyName(printerName) ? printers->Subkey(printerName)
                                                           : nullptr;
}

std::string PathOf(const char *parent, std::string_view name) {
    return std::string(parent) + '\\' + std::string(name);
}

// Runs describe as one registry change: it returns 0 with the change
// written, or the code that refuses the call. A registry that cannot be read
// or saved gives the store's code.
unsigned ShareChange(
    const std::function<unsigned(const Key &root, sim::reg::ChangeText *change)> &describe) {
    unsigned result = 0;
    LONG code = 0;
    bool saved = sim::reg::ApplyChange(
        [&](const Key &root, sim::reg::ChangeText *change) {
            return (result = describe(root, change)) == 0;
        },
        nullptr, &code);
    return saved || result ? result : static_cast<unsigned>(code);
}

unsigned AddShare(const Key &root, const sim::ShareRequest &share, sim::reg::ChangeText *change) {
    const Key *shares = sim::reg::FindKey(root, kShareKeyPath);
    if (shares && shares->Subkey(share.name))
        return NERR_DuplicateShare;
    const Key *printer = nullptr;
    if (share.type == STYPE_PRINTQ && !(printer = PrinterOf(root, share.path)))
        return ERROR_INVALID_PRINTER_NAME;
    Key record;
    record.SetValue("Type", REG_DWORD, Dword(share.type));
    record.SetValue("Flags", REG_DWORD, Dword(share.flags));
    record.SetValue("Path", REG_SZ, Text(share.path));
    record.SetValue("Remark", REG_SZ, Text(share.remark));
    record.SetValue("Parm1enc", REG_BINARY, Password(share.rwPassword));
    record.SetValue("Parm2enc", REG_BINARY, Password(share.roPassword));
    change->SetValues(PathOf(kShareKeyPath, share.name), record);
    if (printer) {
        Key marks;
        DWORD attributes = DwordOf(printer->FindValue("Attributes"));
        marks.SetValue("Attributes", REG_DWORD, Dword(attributes | PRINTER_ATTRIBUTE_SHARED));
        marks.SetValue("Share Name", REG_SZ, Text(share.name));
        change->SetValues(PathOf(sim::kPrintersKey, printer->name), marks);
    }
    return 0;
}

// A printer share's end unmarks its printer, unless the printer has been
// shared under another name since.
void UnmarkPrinter(const Key &root, const Key &share, std::string_view shareName,
                   sim::reg::ChangeText *change) {
    if (DwordOf(share.FindValue("Type")) != STYPE_PRINTQ)
        return;
    const Key *printer = PrinterOf(root, TextOf(share.FindValue("Path")));
    if (!printer || !vp::SameRegName(TextOf(printer->FindValue("Share Name")), shareName))
        return;
    Key marks;
    DWORD attributes = DwordOf(printer->FindValue("Attributes"));
    marks.SetValue("Attributes", REG_DWORD, Dword(attributes & ~DWORD{PRINTER_ATTRIBUTE_SHARED}));
    const std::string path = PathOf(sim::kPrintersKey, printer->name);
    change->SetValues(path, marks);
    change->DeleteValue(path, "Share Name");
}

unsigned DeleteShare(const Key &root, const std::string &name, sim::reg::ChangeText *change) {
    const Key *shares = sim::reg::FindKey(root, kShareKeyPath);
    const Key *share = shares && sim::reg::ValidKeyName(name) ? shares->Subkey(name) : nullptr;
    if (!share)
        return NERR_NetNameNotFound;
    UnmarkPrinter(root, *share, name, change);
    change->DeleteKey(PathOf(kShareKeyPath, share->name)); // later shares move down one index
    return 0;
}

} // namespace

unsigned NetShareAdd(const char *server, short level, const char *buffer, unsigned short size) {
    sim::ShareRequest share;
    unsigned result = IsServer(server) ? ERROR_BAD_NETPATH
                      : level != 50    ? ERROR_INVALID_LEVEL
                                       : sim::ReadShareRecord(buffer, size, &share);
    if (result == 0)
        result = CheckRequest(share);
    if (result == 0)
        result = ShareChange([&](const Key &root, sim::reg::ChangeText *change) {
            return AddShare(root, share, change);
        });
    char flags[8];
    std::snprintf(flags, sizeof flags, "0x%04x", share.flags & 0xffffu);
    sim::AppendJournal("NetShareAdd " + vp::QuotedText(share.name) + " " +
                       std::to_string(share.type) + " " + flags + " " + vp::QuotedText(share.path) +
                       " -> " + std::to_string(result));
    return result;
}

unsigned NetShareDel(const char *server, const char *netName, unsigned short) {
    std::string name = netName ? netName : "";
    unsigned result = IsServer(server) ? ERROR_BAD_NETPATH
                      : !netName       ? ERROR_INVALID_PARAMETER
                                 : ShareChange([&](const Key &root, sim::reg::ChangeText *change) {
                                       return DeleteShare(root, name, change);
                                   });
    sim::AppendJournal("NetShareDel " + vp::QuotedText(name) + " -> " + std::to_string(result));
    return result;
}
