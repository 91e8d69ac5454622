#include "platform/user32/linux_fail.h"

#include "platform/sim/host/program_name.h"

#include <cstdio>
#include <cstdlib>

namespace ui {

void Fail(const std::string &message, int status) {
    std::fflush(stdout);
    sim::PrintError(message);
    std::fflush(stderr);
    // No unwinding: the failure may come from deep inside nested modal runs.
    std::_Exit(status);
}

} // namespace ui
