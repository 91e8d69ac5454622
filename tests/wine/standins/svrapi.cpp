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
#include "platform/svrapi.h"
#include "platform/framework/transcript_lines.h"

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

// A fixed field: its text runs to the NUL or to the end of the field.
template <std::size_t N> std::string Field(const char (&field)[N]) {
    return Quote(std::string(field, strnlen(field, N)));
}

std::string Text(const char *text) {
    return text ? Quote(text) : "null";
}

std::string Server(const char *server) {
    return server ? " server " + Quote(server) : "";
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
    return result;
}

extern "C" unsigned WINAPI StandInShareDel(const char *server, const char *name, unsigned short) {
    const unsigned result = Refusal("NetShareDel", name);
    Append("NetShareDel " + Text(name) + Server(server) + " -> " + std::to_string(result));
    return result;
}
