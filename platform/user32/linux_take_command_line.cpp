// The command line on Linux: the usage goes to the standard output, an
// error to the standard error.
#include "platform/framework/command_switches.h"
#include "platform/user32/linux_fail.h"

#include <cstdio>
#include <cstdlib>

namespace vp {

std::optional<int> TakeCommandLine(int argc, char **argv, std::span<const Switch> switches) {
    static constexpr CommandLineOutlet kOutlet = {
        [](const std::string &usage) { std::fputs(usage.c_str(), stdout); },
        [](const std::string &error) { ui::Fail(error, kUsageExitCode); },
        [](const char *name, const std::string &value) { setenv(name, value.c_str(), 1); },
    };
    return TakeCommandLine(argc, argv, switches, kOutlet);
}

} // namespace vp
