// The resource-script reader over any script and header (the input up to
// its first NUL is the header, the rest the script): it reads or refuses
// with "<file>:<line>: <what>", in bounded time and memory.
#include "res/templates.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char *>(data), size);
    std::string_view header;
    if (const std::size_t nul = input.find('\0'); nul != std::string_view::npos) {
        header = input.substr(0, nul);
        input.remove_prefix(nul + 1);
    }
    res::ResourceScript script;
    std::string error;
    if (!res::ParseResourceScript(input, header, &script, &error) &&
        (error.empty() || error.find(':') == std::string::npos))
        std::abort(); // a refusal names its file and line
    return 0;
}
