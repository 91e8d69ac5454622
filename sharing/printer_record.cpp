#include "sharing/printer_record.h"

#include <cstdint>

namespace {

bool InBlock(const char *text, const BYTE *begin, const BYTE *end) {
    const auto at = reinterpret_cast<std::uintptr_t>(text);
    return at >= reinterpret_cast<std::uintptr_t>(begin) &&
           at < reinterpret_cast<std::uintptr_t>(end);
}

} // namespace

bool IsOfferedPrinter(const PRINTER_INFO_2 &record, const BYTE *begin, const BYTE *end) {
    if (!InBlock(record.pPrinterName, begin, end))
        return false;
    if (record.pShareName && !InBlock(record.pShareName, begin, end))
        return false;
    const char *port = record.pPortName;
    if (!port)
        return true;
    if (!InBlock(port, begin, end))
        return false;
    return port[0] != '\\' && (port[0] == '\0' || port[1] != '\\');
}
