// The spooler's EnumPrintersA, built from the printer keys of the registry.
// Only local printers at level 2 exist on this machine.
#include "platform/api.h"
#include "platform/sim/network/machine_keys.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Printer {
    std::string name;
    std::optional<std::string> shareName, port, driver, comment;
    DWORD attributes = 0;
};

// A string value's text up to its first NUL; nothing when it is missing.
std::optional<std::string> ReadText(HKEY key, const char *name) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::string data(size, '\0');
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(data.data()),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return data.substr(0, data.find('\0'));
}

DWORD ReadDword(HKEY key, const char *name) {
    BYTE data[4] = {};
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, nullptr, data, &size) != ERROR_SUCCESS)
        return 0;
    return DWORD{data[0]} | DWORD{data[1]} << 8 | DWORD{data[2]} << 16 | DWORD{data[3]} << 24;
}

std::vector<Printer> ReadPrinters() {
    std::vector<Printer> printers;
    HKEY all = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, sim::kPrintersKey, &all) != ERROR_SUCCESS)
        return printers;
    char name[1024];
    for (DWORD i = 0;; ++i) {
        LONG code = RegEnumKeyA(all, i, name, sizeof name);
        if (code != ERROR_SUCCESS && code != ERROR_MORE_DATA)
            break;
        HKEY key = nullptr;
        if (code != ERROR_SUCCESS || RegOpenKeyA(all, name, &key) != ERROR_SUCCESS)
            continue; // a name too long to be a printer's, or a key gone meanwhile
        Printer printer;
        printer.name = name;
        printer.shareName = ReadText(key, "Share Name");
        printer.port = ReadText(key, "Port");
        printer.driver = ReadText(key, "Printer Driver");
        printer.comment = ReadText(key, "Description");
        printer.attributes = ReadDword(key, "Attributes");
        RegCloseKey(key);
        printers.push_back(std::move(printer));
    }
    RegCloseKey(all);
    return printers;
}

size_t TextSize(const std::optional<std::string> &text) {
    return text ? text->size() + 1 : 0;
}

size_t BytesNeeded(const std::vector<Printer> &printers) {
    size_t bytes = printers.size() * sizeof(PRINTER_INFO_2A);
    for (const Printer &p : printers)
        bytes += p.name.size() + 1 + TextSize(p.shareName) + TextSize(p.port) + TextSize(p.driver) +
                 TextSize(p.comment);
    return bytes;
}

// Copies the text to the string area and returns where it went (null when
// there is no text).
LPSTR PlaceText(const std::optional<std::string> &text, char *&strings) {
    if (!text)
        return nullptr;
    LPSTR placed = strings;
    std::memcpy(strings, text->c_str(), text->size() + 1);
    strings += text->size() + 1;
    return placed;
}

// Records first, their texts after them, all inside the caller's block.
void WriteRecords(const std::vector<Printer> &printers, LPBYTE block) {
    char *strings = reinterpret_cast<char *>(block) + printers.size() * sizeof(PRINTER_INFO_2A);
    for (size_t i = 0; i < printers.size(); ++i) {
        const Printer &p = printers[i];
        PRINTER_INFO_2A record{};
        record.pPrinterName = PlaceText(p.name, strings);
        record.pShareName = PlaceText(p.shareName, strings);
        record.pPortName = PlaceText(p.port, strings);
        record.pDriverName = PlaceText(p.driver, strings);
        record.pComment = PlaceText(p.comment, strings);
        record.Attributes = p.attributes;
        std::memcpy(block + i * sizeof record, &record, sizeof record);
    }
}

} // namespace

// A block too small (a null one included) writes nothing: FALSE,
// ERROR_INSUFFICIENT_BUFFER and the size needed. Null needed or returned
// pointers give ERROR_INVALID_PARAMETER.
BOOL EnumPrintersA(DWORD flags, LPSTR, DWORD level, LPBYTE printerEnum, DWORD cbBuf, LPDWORD needed,
                   LPDWORD returned) {
    if (!needed || !returned) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *needed = 0;
    *returned = 0;
    if (level != 2) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    if (!(flags & PRINTER_ENUM_LOCAL))
        return TRUE;
    std::vector<Printer> printers = ReadPrinters();
    size_t bytes = BytesNeeded(printers);
    *needed = static_cast<DWORD>(bytes);
    if (bytes > cbBuf || (bytes > 0 && !printerEnum)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (bytes > 0)
        WriteRecords(printers, printerEnum);
    *returned = static_cast<DWORD>(printers.size());
    return TRUE;
}
