#include "platform/sim/host/program_name.h"

#include <cerrno>
#include <cstdio>

namespace sim {

void PrintError(const std::string &message) {
    const char *program = program_invocation_short_name;
    std::fprintf(stderr, "%s: %s\n", program && *program ? program : "veltrin", message.c_str());
}

} // namespace sim
