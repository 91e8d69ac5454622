// AfxWinMain of the Windows build: choose who answers the dialogs, then run
// the one application object.
#include "platform/framework.h"
#include "platform/windows/environment.h"
#include "platform/windows/fail.h"
#include "platform/windows/script_loader.h"

#include <string_view>

namespace {

// Exit status when VELTRIN_UI holds something else than tui or script:<file>.
constexpr int kBadSettingExitCode = 2;
constexpr std::string_view kScript = "script:";

// A person answers unless a response file does; "tui" names the person too,
// who here sees the real dialogs.
void CheckUserInterface() {
    const std::string setting = win32::EnvironmentValue("VELTRIN_UI");
    if (!setting.empty() && setting != "tui" && !std::string_view(setting).starts_with(kScript))
        win32::Fail({"VELTRIN_UI must be tui or script:<file>, not \"", setting, "\""},
                    kBadSettingExitCode);
}

// The programs this one starts run in other folders: give them the run's
// files by absolute paths.
void MakeAbsolute(const char *variable, std::string_view prefix = "") {
    std::string value = win32::EnvironmentValue(variable);
    if (value.size() <= prefix.size() || !std::string_view(value).starts_with(prefix))
        return;
    value.replace(prefix.size(), std::string::npos, win32::FullPath(value.c_str() + prefix.size()));
    win32::SetEnvironmentValue(variable, value);
}

} // namespace

int AfxWinMain() {
    CheckUserInterface();
    win32::LoadScriptLink();
    MakeAbsolute("VELTRIN_UI", kScript);
    MakeAbsolute("VELTRIN_TRANSCRIPT");

    CWinApp *app = AfxGetApp();
    if (!app)
        return 0;
    return app->InitInstance() ? app->Run() : app->ExitInstance();
}
