// The share API's stand-in for runs under Wine (whose own svrapi.dll aborts
// the process when called): it accepts every call and appends what it was
// given to svrapi.log beside itself, one call a line, in the words of the
// simulated machine's journal with the rest of the level-50 record added:
//   NetShareAdd "C_Drive" 0 0x0191 "C:\\" remark "" rw "" ro "" -> 0
//   NetShareDel "DOCS" -> 0
// A file svrapi.refuse beside it makes it refuse calls, one a line:
//   NetShareAdd C_Drive 2118
//   NetShareDel LASER 2310
// (the share name compared in any case; a name cannot hold a blank here).
// Like the Windows 9x share service, it keeps the shares it takes in the
// registry: a subkey of the share key each, and a printer share marks its
// printer. Passwords are kept in upper case as the simulated machine keeps
// them, not enciphered.
#include "platform/svrapi.h"
#include "platform/framework/transcript_lines.h"
#include "platform/registry_keys.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

using ui::transcript::Quote;

HMODULE g_self = nullptr;

// A file beside this library; empty when its own path cannot be had.
std::string Beside(const char *name) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(g_self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return "";
    const std::string self(path, length);
    return self.substr(0, self.find_last_of("\\/") + 1) + name;
}

// The answer svrapi.refuse gives for this call and share name; 0 when none.
unsigned Refusal(const char *call, const char *name) {
    const std::string refusals = Beside("svrapi.refuse");
    if (refusals.empty() || !name)
        return NERR_Success;
    std::ifstream in(refusals);
    std::string refusedCall, refusedName;
    unsigned code = 0;
    while (in >> refusedCall >> refusedName >> code)
        if (refusedCall == call && lstrcmpiA(refusedName.c_str(), name) == 0)
            return code;
    return NERR_Success;
}

void Append(const std::string &line) {
    const std::string log = Beside("svrapi.log");
    if (log.empty())
        return;
    if (FILE *file = std::fopen(log.c_str(), "ab")) {
        std::fputs((line + "\n").c_str(), file);
        std::fclose(file);
    }
}

// A fixed field's text: it runs to the NUL or to the end of the field.
template <std::size_t N> std::string Chars(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

template <std::size_t N> std::string Field(const char (&field)[N]) {
    return Quote(Chars(field));
}

std::string Text(const char *text) {
    return text ? Quote(text) : "null";
}

std::string Server(const char *server) {
    return server ? " server " + Quote(server) : "";
}

// A key of HKEY_LOCAL_MACHINE, made when asked, closed once when it goes;
// calls on a key that could not be opened do nothing.
class Key {
  public:
    enum Mode { kOpen, kCreate };
    Key(const std::string &path, Mode mode) {
        const LONG result =
            mode == kCreate
                ? RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &m_key, nullptr)
                : RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &m_key);
        if (result != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~Key() {
        if (m_key)
            RegCloseKey(m_key);
    }
    Key(const Key &) = delete;
    Key &operator=(const Key &) = delete;

    void Set(const char *name, DWORD type, const std::string &data) {
        if (m_key)
            RegSetValueExA(m_key, name, 0, type, reinterpret_cast<const BYTE *>(data.data()),
                           static_cast<DWORD>(data.size()));
    }
    void SetDword(const char *name, DWORD value) {
        Set(name, REG_DWORD, std::string(reinterpret_cast<const char *>(&value), sizeof value));
    }
    DWORD Dword(const char *name) const {
        DWORD value = 0, size = sizeof value;
        return m_key && RegQueryValueExA(m_key, name, nullptr, nullptr,
                                         reinterpret_cast<BYTE *>(&value), &size) == ERROR_SUCCESS
                   ? value
                   : 0;
    }
    std::string Text(const char *name) const {
        char text[MAX_PATH] = "";
        DWORD size = sizeof text - 1;
        if (!m_key || RegQueryValueExA(m_key, name, nullptr, nullptr,
                                       reinterpret_cast<BYTE *>(text), &size) != ERROR_SUCCESS)
            return {};
        return text;
    }
    void Delete(const char *name) {
        if (m_key)
            RegDeleteValueA(m_key, name);
    }

  private:
    HKEY m_key = nullptr;
};

std::string SharePath(const std::string &name) {
    return std::string(kShareKeyPath) + "\\" + name;
}

std::string PrinterPath(const std::string &printer) {
    return std::string(kPrintersKeyPath) + "\\" + printer;
}

template <std::size_t N> std::string Password(const char (&field)[N]) {
    std::string password = Chars(field);
    for (char &c : password)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return password;
}

void Keep(const share_info_50 &record) {
    const std::string name = Chars(record.shi50_netname);
    const std::string path = record.shi50_path ? record.shi50_path : "";
    Key share(SharePath(name), Key::kCreate);
    share.SetDword("Type", record.shi50_type);
    share.SetDword("Flags", record.shi50_flags);
    share.Set("Path", REG_SZ, path + '\0');
    share.Set("Remark", REG_SZ, std::string(record.shi50_remark ? record.shi50_remark : "") + '\0');
    share.Set("Parm1enc", REG_BINARY, Password(record.shi50_rw_password));
    share.Set("Parm2enc", REG_BINARY, Password(record.shi50_ro_password));
    if (record.shi50_type == STYPE_PRINTQ) {
        Key printer(PrinterPath(path), Key::kOpen);
        printer.SetDword("Attributes", printer.Dword("Attributes") | PRINTER_ATTRIBUTE_SHARED);
        printer.Set("Share Name", REG_SZ, name + '\0');
    }
}

// A printer share's end unmarks its printer, unless the printer has been
// shared under another name since.
void Forget(const std::string &name) {
    {
        Key share(SharePath(name), Key::kOpen);
        if (share.Dword("Type") == STYPE_PRINTQ) {
            Key printer(PrinterPath(share.Text("Path")), Key::kOpen);
            if (lstrcmpiA(printer.Text("Share Name").c_str(), name.c_str()) == 0) {
                printer.SetDword("Attributes",
                                 printer.Dword("Attributes") & ~DWORD{PRINTER_ATTRIBUTE_SHARED});
                printer.Delete("Share Name");
            }
        }
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, SharePath(name).c_str());
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        g_self = self;
    return TRUE;
}

extern "C" unsigned WINAPI StandInShareAdd(const char *server, short level, const char *buffer,
                                           unsigned short size) {
    if (level != 50 || !buffer || size < sizeof(share_info_50)) {
        const unsigned result = level != 50 ? ERROR_INVALID_LEVEL : NERR_BufTooSmall;
        Append("NetShareAdd level " + std::to_string(level) + " size " + std::to_string(size) +
               Server(server) + " -> " + std::to_string(result));
        return result;
    }
    share_info_50 record;
    std::memcpy(&record, buffer, sizeof record);
    const std::string name(record.shi50_netname,
                           strnlen(record.shi50_netname, sizeof record.shi50_netname));
    const unsigned result = Refusal("NetShareAdd", name.c_str());
    char flags[8];
    std::snprintf(flags, sizeof flags, "0x%04x", record.shi50_flags);
    Append("NetShareAdd " + Field(record.shi50_netname) + " " + std::to_string(record.shi50_type) +
           " " + flags + " " + Text(record.shi50_path) + " remark " + Text(record.shi50_remark) +
           " rw " + Field(record.shi50_rw_password) + " ro " + Field(record.shi50_ro_password) +
           Server(server) + " -> " + std::to_string(result));
    if (result == NERR_Success)
        Keep(record);
    return result;
}

extern "C" unsigned WINAPI StandInShareDel(const char *server, const char *name, unsigned short) {
    const unsigned result = Refusal("NetShareDel", name);
    Append("NetShareDel " + Text(name) + Server(server) + " -> " + std::to_string(result));
    if (result == NERR_Success && name)
        Forget(name);
    return result;
}
