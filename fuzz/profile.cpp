// Profile strings over any INI file: GetPrivateProfileStringA reads the file
// from the machine's Windows directory into a buffer of exactly the size it
// is given (so AddressSanitizer sees any write past it), for a section and key
// the file holds, a missing one, and the NULL name lists. machine.ini's own
// reading runs over the same text.
#include "fuzz/fuzz_machine.h"
#include "platform/api.h"
#include "platform/sim/machine/ini_text.h"
#include "platform/sim/machine/machine_config.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// One call into a buffer of size bytes; checks what it says it copied.
void Query(const char *section, const char *key, const char *fallback, DWORD size) {
    std::unique_ptr<char[]> buffer(new char[size]);
    std::memset(buffer.get(), 'x', size);
    const DWORD copied =
        GetPrivateProfileStringA(section, key, fallback, buffer.get(), size, "FUZZ.INI");
    if (size == 0)
        return;
    const bool list = !section || !key;
    // A list ends with two NULs; a text with one, after at most size - 1 characters.
    if (copied + (list && size >= 2 ? 2 : 1) > size || buffer[copied] != '\0')
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto bufferSize = input.ConsumeIntegralInRange<DWORD>(0, 300);
    const auto pick = input.ConsumeIntegral<std::uint16_t>();
    const std::string fallback = input.ConsumeRandomLengthString(64);
    const std::string text = input.ConsumeRemainingBytesAsString();

    (void)sim::ParseMachineConfig(text, "machine.ini");
    fuzz::ReplaceFile("drives/C/WINDOWS/FUZZ.INI", text);

    const sim::ini::Text ini = sim::ini::Parse(text);
    std::string section = "Strings", key = "VendorName";
    if (!ini.entries.empty()) {
        const sim::ini::Entry &entry = ini.entries[pick % ini.entries.size()];
        section = entry.section;
        key = entry.key;
    }
    Query(section.c_str(), key.c_str(), fallback.c_str(), bufferSize);
    Query(section.c_str(), "no such key", fallback.c_str(), bufferSize);
    Query(section.c_str(), nullptr, nullptr, bufferSize);
    Query(nullptr, nullptr, nullptr, bufferSize);
    return 0;
}
