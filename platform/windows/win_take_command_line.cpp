// The command line on Windows, where a program started from Explorer or the
// Run box has no console: the usage shows in a message box, and so does an
// error unless there is a standard error to write it to (a console, or Wine).
#include "platform/api.h"
#include "platform/framework/command_switches.h"
#include "platform/windows/environment.h"
#include "platform/windows/win_fail.h"

// The usage and these errors belong to no run: Windows' own message box,
// not the one the transcript records and a response file answers.
#undef MessageBoxA

namespace vp {

namespace {

constexpr char kCaption[] = "Veltrin Pellorin";

void ReportError(const std::string &error) {
    if (!win32::WriteErrorLine(error))
        MessageBoxA(nullptr, error.c_str(), kCaption, MB_OK | MB_ICONSTOP);
}

} // namespace

std::optional<int> TakeCommandLine(int argc, char **argv, std::span<const Switch> switches) {
    static constexpr CommandLineOutlet kOutlet = {
        [](const std::string &usage) {
            MessageBoxA(nullptr, usage.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
        },
        ReportError,
        [](const char *name, const std::string &value) { win32::SetEnvironmentValue(name, value); },
    };
    return TakeCommandLine(argc, argv, switches, kOutlet);
}

} // namespace vp
