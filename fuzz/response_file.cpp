// The response-file reader over any text: it reads every line as an action or
// names the line that is not one; each action read keeps to its limits.
#include "platform/script/response_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    script::ResponseFile file;
    std::string error;
    if (!script::ParseResponseFile(text, "run.txt", &file, &error)) {
        if (!error.starts_with("run.txt:"))
            std::abort();
        return 0;
    }
    for (const script::Action &action : file.actions) {
        const bool fits = action.line >= 1 && action.line <= file.lineCount && action.id >= 0 &&
                          action.id <= 0xFFFF && action.index >= 0 && action.command <= 0xFFFF &&
                          action.wait.count() >= 0 && action.wait.count() <= 86400000 &&
                          action.text.find('\n') == std::string::npos;
        if (!fits)
            std::abort();
    }
    return 0;
}
