// The command line on Linux: the usage goes to the standard output, an
// error to the standard error.
#include "platform/command_switches.h"
#include "platform/user32/fail.h"

#include <cstdio>
#include <cstdlib>

namespace vp {

std::optional<int> TakeCommandLine(int argc, char **argv) {
    const std::string program = ProgramName(argc > 0 ? argv[0] : "");
    const CommandLine line =
        ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc}, ProgramSwitches(program));
    switch (line.outcome) {
    case CommandLine::Outcome::Error:
        ui::Fail(line.error + " (" + program + " /? lists the switches)", kUsageExitCode);
    case CommandLine::Outcome::Help:
        std::fputs(UsageText(program, ProgramSwitches(program)).c_str(), stdout);
        return 0;
    case CommandLine::Outcome::Run:
        break;
    }
    for (const Setting &setting : line.settings)
        setenv(setting.variable.c_str(), setting.value.c_str(), 1);
    return std::nullopt;
}

} // namespace vp
