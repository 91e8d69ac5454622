// The spooler over any printer keys: the registry is built from the input
// (printer names, value names, types and bytes of any kind), then
// EnumPrintersA fills a block of exactly the size it asked for. Records and
// every text must lie inside that block, a block one byte short must stay
// untouched, and the dialog's test of each record must hold up.
#include "fuzz/fuzz_machine.h"
#include "platform/api.h"
#include "platform/sim/network/machine_keys.h"
#include "platform/sim/registry/tree.h"
#include "platform/sim/registry/writer.h"
#include "sharing/printer_record.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr const char *kValueNames[] = {"Port", "Attributes", "Share Name", "Printer Driver",
                                       "Description"};
constexpr int kMaxPrinters = 24;
constexpr int kMaxValues = 8;

std::string RegistryFrom(FuzzedDataProvider &input) {
    sim::reg::Key root;
    sim::reg::Key *printers = sim::reg::CreateKey(root, sim::kPrintersKey);
    for (int p = 0; p < kMaxPrinters && input.remaining_bytes() > 0; ++p) {
        const std::string name = input.ConsumeRandomLengthString(400);
        if (!sim::reg::ValidKeyName(name))
            continue;
        sim::reg::Key &printer = printers->AddSubkey(name);
        const int values = input.ConsumeIntegralInRange(0, kMaxValues);
        for (int v = 0; v < values; ++v) {
            const auto which = input.ConsumeIntegralInRange<std::size_t>(0, std::size(kValueNames));
            const std::string valueName = which < std::size(kValueNames)
                                              ? kValueNames[which]
                                              : input.ConsumeRandomLengthString(40);
            const auto type = input.ConsumeIntegralInRange<std::uint32_t>(0, 8);
            printer.SetValue(valueName, type, input.ConsumeRandomLengthString(600));
        }
    }
    return sim::reg::WriteRegedit4(root, "");
}

bool Inside(const char *text, const BYTE *block, DWORD size) {
    const auto *at = reinterpret_cast<const BYTE *>(text);
    return at >= block && at < block + size &&
           std::memchr(at, '\0', static_cast<std::size_t>(block + size - at)) != nullptr;
}

void CheckRecords(const BYTE *block, DWORD size, DWORD count) {
    if (static_cast<std::uint64_t>(count) * sizeof(PRINTER_INFO_2A) > size)
        std::abort();
    for (DWORD i = 0; i < count; ++i) {
        PRINTER_INFO_2A record;
        std::memcpy(&record, block + i * sizeof record, sizeof record);
        for (const char *text : {record.pPrinterName, record.pShareName, record.pPortName,
                                 record.pDriverName, record.pComment})
            if (text && !Inside(text, block, size))
                std::abort();
        if (!record.pPrinterName)
            std::abort();
        (void)IsOfferedPrinter(record, block, block + size);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    fuzz::ReplaceFile("registry.reg", RegistryFrom(input));

    DWORD needed = 0, returned = 0;
    if (EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned)) {
        if (needed != 0) // no printers is the one case a NULL block suits
            std::abort();
        return 0;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0)
        std::abort();

    // One byte short: nothing written, the same size asked for again.
    std::vector<BYTE> shortBlock(needed - 1, 0xA5);
    DWORD again = 0;
    if (EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, shortBlock.data(), needed - 1, &again,
                      &returned) ||
        again != needed ||
        std::any_of(shortBlock.begin(), shortBlock.end(), [](BYTE b) { return b != 0xA5; }))
        std::abort();

    // Exactly the size asked for, from the heap, so any byte past it is caught.
    std::unique_ptr<BYTE[]> block(new BYTE[needed]);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, block.get(), needed, &needed, &returned))
        std::abort();
    CheckRecords(block.get(), needed, returned);
    return 0;
}
