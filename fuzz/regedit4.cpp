// The REGEDIT4 reader over any text. What it accepts must survive the trip
// through the writer: read back, it is the same tree, and written again, the
// same text. What it refuses, it refuses with a line and a reason.
#include "platform/sim/registry/apply_regedit4.h"
#include "platform/sim/registry/writer.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Broken(const char *what, const std::string &text) {
    std::fprintf(stderr, "%s\n--- written ---\n%s\n", what, text.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    sim::reg::Key tree;
    vp::Regedit4Error error;
    if (!sim::reg::ApplyRegedit4(text, tree, &error)) {
        if (error.line == 0 || error.what.empty())
            Broken("a refusal without its line or reason", "");
        return 0;
    }
    const std::string written = sim::reg::WriteRegedit4(tree, "");
    sim::reg::Key again;
    if (!sim::reg::ApplyRegedit4(written, again, &error))
        Broken(("the written text does not read back: line " + std::to_string(error.line) + ": " +
                error.what)
                   .c_str(),
               written);
    if (!(again == tree))
        Broken("the tree read back differs", written);
    if (sim::reg::WriteRegedit4(again, "") != written)
        Broken("writing the tree read back gives another text", written);
    return 0;
}
