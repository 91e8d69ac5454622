// The command line on Windows, where a program started from Explorer or the
// Run box has no console: the usage shows in a message box, and so does an
// error unless there is a standard error to write it to (a console, or Wine).
#include "platform/command_switches.h"
#include "platform/api.h"
#include "platform/windows/environment.h"

// The usage and these errors belong to no run: Windows' own message box,
// not the one the transcript records and a response file answers.
#undef MessageBoxA

namespace vp {

namespace {

constexpr char kCaption[] = "Veltrin Pellorin";

void ReportError(const std::string &error) {
    const std::string line = "veltrin: " + error + "\r\n";
    const HANDLE output = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (output && output != INVALID_HANDLE_VALUE &&
        WriteFile(output, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
        written == line.size())
        return;
    MessageBoxA(nullptr, error.c_str(), kCaption, MB_OK | MB_ICONSTOP);
}

} // namespace

std::optional<int> TakeCommandLine(int argc, char **argv) {
    const std::string program = ProgramName(argc > 0 ? argv[0] : "");
    const CommandLine line =
        ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc}, ProgramSwitches(program));
    switch (line.outcome) {
    case CommandLine::Outcome::Error:
        ReportError(line.error + " (" + program + " /? lists the switches)");
        return kUsageExitCode;
    case CommandLine::Outcome::Help:
        MessageBoxA(nullptr, UsageText(program, ProgramSwitches(program)).c_str(), kCaption,
                    MB_OK | MB_ICONINFORMATION);
        return 0;
    case CommandLine::Outcome::Run:
        break;
    }
    for (const Setting &setting : line.settings)
        win32::SetEnvironmentValue(setting.variable.c_str(), setting.value);
    return std::nullopt;
}

} // namespace vp
