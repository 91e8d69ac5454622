// AfxWinMain on Linux: choose the user interface once, run the application
// object, and keep the terminal until the programs it started have ended.
#include "platform/framework.h"
#include "platform/framework/run_settings.h"
#include "platform/sim/machine/machine_config.h"
#include "platform/sim/programs/started_programs.h"
#include "platform/user32/linux_recording.h"
#include "platform/user32/no_user_driver.h"
#include "platform/user32/script_driver.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

#include <unistd.h>

namespace {

// Exit status when the machine folder cannot be used.
constexpr int kNoMachineExitCode = 1;
std::unique_ptr<ui::Driver> TerminalDriver() {
    if (ui::DriverFactory factory = ui::TerminalDriverFactory())
        if (auto driver = factory())
            return driver;
    // On a terminal, the reason is most often a TERM lost on the way (sudo,
    // env -i, a service manager).
    const char *term = std::getenv("TERM");
    if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO) && (!term || !*term))
        return std::make_unique<ui::NoUserDriver>(
            "TERM is not set, so the terminal cannot be used (set TERM, or "
            "VELTRIN_UI=script:<file>)");
    return std::make_unique<ui::NoUserDriver>();
}

std::unique_ptr<ui::Driver> ChooseDriver() {
    const char *setting = std::getenv(vp::kUiVariable);
    const std::string_view ui = setting ? setting : "";
    if (vp::NamesResponseFile(ui))
        return std::make_unique<ui::ScriptDriver>(std::string(ui.substr(vp::kScriptPrefix.size())));
    if (ui == "tui")
        return TerminalDriver();
    if (!vp::IsUiSetting(ui))
        ui::Fail(std::string(vp::kUiSettingRule) + ", not \"" + std::string(ui) + "\"",
                 vp::kBadUiSettingExitCode);
    if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO))
        return TerminalDriver();
    return std::make_unique<ui::NoUserDriver>();
}

// The programs this one starts run in the drive's folder: give them the
// run's files by absolute paths.
void MakeAbsolute(const char *variable, std::string_view prefix = "") {
    const char *value = std::getenv(variable);
    if (!value || !std::string_view(value).starts_with(prefix))
        return;
    const std::string path(std::string_view(value).substr(prefix.size()));
    if (path.empty())
        return;
    const std::string absolute =
        std::string(prefix) + std::filesystem::absolute(path).lexically_normal().string();
    setenv(variable, absolute.c_str(), 1);
}

} // namespace

int AfxWinMain() {
    // A machine folder that cannot be used is told before any window, and
    // alone: on a machine without drives the launcher would ask for the CD.
    if (!sim::MachineUsable())
        return kNoMachineExitCode;
    ui::SetDriver(ChooseDriver());
    MakeAbsolute(vp::kUiVariable, vp::kScriptPrefix);
    MakeAbsolute(vp::kTranscriptVariable);
    MakeAbsolute(vp::kRecordVariable);
    ui::recording::Start();

    int status = 0;
    if (CWinApp *app = AfxGetApp())
        status = app->InitInstance() ? app->Run() : app->ExitInstance();
    sim::WaitForStartedPrograms();
    return status;
}
