#include "share_fixture.h"

#include "sharing/share_key.h"

#include <cstdio>

namespace sharing_test {

namespace {

// A text as a REGEDIT4 string: backslashes and quotes escaped.
std::string Quoted(const std::string &text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::string ShareKeyText(const std::string &name, const std::string &valueLines) {
    return "[HKEY_LOCAL_MACHINE\\" + std::string(kShareKeyPath) + "\\" + name + "]\r\n" +
           valueLines + "\r\n\r\n";
}

std::string ShareEntry(const std::string &name, const std::string &typeData,
                       const std::string &path) {
    return ShareKeyText(name, "\"Type\"=" + typeData + "\r\n\"Path\"=" + Quoted(path));
}

std::string DiskShare(const std::string &name, const std::string &path) {
    return ShareEntry(name, "dword:00000000", path);
}

std::string Printer(const std::string &name, const std::string &port, const char *shareName) {
    std::string text =
        "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\" + name +
        "]\r\n\"Port\"=" + Quoted(port) + "\r\n";
    if (shareName)
        text += "\"Share Name\"=" + Quoted(shareName) + "\r\n";
    const unsigned attributes =
        PRINTER_ATTRIBUTE_LOCAL | (shareName ? PRINTER_ATTRIBUTE_SHARED : 0);
    char dword[32];
    std::snprintf(dword, sizeof dword, "\"Attributes\"=dword:%08x\r\n", attributes);
    return text + dword + "\r\n";
}

std::vector<std::string> ShareNames() {
    std::vector<std::string> names;
    HKEY shares = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kShareKeyPath, &shares) != ERROR_SUCCESS)
        return names;
    char name[80];
    for (DWORD i = 0; RegEnumKeyA(shares, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        names.emplace_back(name);
    RegCloseKey(shares);
    return names;
}

std::string ShareValue(const std::string &share, const char *value) {
    const std::string path = std::string(kShareKeyPath) + "\\" + share;
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, path.c_str(), &key) != ERROR_SUCCESS)
        return "<no share>";
    BYTE data[256];
    DWORD type = 0;
    DWORD size = sizeof data;
    const LONG result = RegQueryValueExA(key, value, nullptr, &type, data, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return "<no value>";
    if (type == REG_SZ)
        return std::string(reinterpret_cast<char *>(data), size > 0 ? size - 1 : 0);
    std::string hex;
    for (DWORD i = 0; i < size; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", data[i]);
        hex += byte;
    }
    return hex;
}

std::vector<std::string> JournalLines(const testkit::TempMachine &machine,
                                      const std::string &prefix) {
    std::vector<std::string> lines;
    for (const std::string &line : testkit::Lines(machine.ReadJournal()))
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
    return lines;
}

} // namespace sharing_test
