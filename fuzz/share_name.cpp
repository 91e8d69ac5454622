// Share names made from any printer name: the name and its one retry go
// through the dialog's share record into the share service's record reader
// (stood in for here, so that no registry is written), which must find in
// the record's 13-byte name field exactly the name offered, and never be
// offered one over 12 characters.
#include "platform/sim/network/share_request.h"
#include "platform/svrapi.h"
#include "sharing/printer_share_name.h"
#include "wayback/share_record.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string g_offered; // the name the current Add was given
int g_calls = 0;

} // namespace

// The share service as the record reaches it.
unsigned NetShareAdd(const char *server, short level, const char *buffer, unsigned short size) {
    ++g_calls;
    sim::ShareRequest request;
    const unsigned code = sim::ReadShareRecord(buffer, size, &request);
    if (server || level != 50 || g_offered.size() > 12 || request.name != g_offered)
        std::abort();
    if (code != 0)
        return code; // a printer name too long for a share path
    return sim::ValidShareName(request.name) ? 0u : static_cast<unsigned>(ERROR_INVALID_PARAMETER);
}

// The record never deletes; stood in for all the same, so that the share
// service is none of the machine's.
unsigned NetShareDel(const char *, const char *, unsigned short) {
    std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // The spooler hands out C strings: the printer's name ends at a NUL.
    std::string printerName(reinterpret_cast<const char *>(data), size);
    printerName.resize(printerName.find('\0') == std::string::npos ? printerName.size()
                                                                   : printerName.find('\0'));
    ShareRecord record(STYPE_PRINTQ, SHI50F_PERSIST | SHI50F_FULL, printerName.data());
    if (!record)
        return 0;
    const std::string name = PrinterShareName(printerName);
    const std::string retry = RetryShareName(name);
    if (retry.size() > 12) // the retry always fits the name field
        std::abort();
    for (const std::string &offered : {name, retry}) {
        g_offered = offered;
        g_calls = 0;
        const unsigned code = record.Add(offered);
        // Over 12 characters is refused as invalid without asking the service.
        if ((offered.size() > 12) != (g_calls == 0) ||
            (g_calls == 0 && code != ERROR_INVALID_PARAMETER))
            std::abort();
    }
    return 0;
}
