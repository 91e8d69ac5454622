// AfxWinMain of the Windows build: choose who answers the dialogs, then run
// the one application object.
#include "platform/framework.h"
#include "platform/framework/run_settings.h"
#include "platform/windows/environment.h"
#include "platform/windows/script_loader.h"
#include "platform/windows/win_fail.h"

#include <string_view>

namespace {

// A person answers unless a response file does; "tui" names the person too,
// who here sees the real dialogs.
void CheckUserInterface() {
    const std::string setting = win32::EnvironmentValue(vp::kUiVariable);
    if (!vp::IsUiSetting(setting))
        win32::Fail({vp::kUiSettingRule, ", not \"", setting, "\""}, vp::kBadUiSettingExitCode);
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
    // The recording starts with the DLL and names its file to the programs
    // this one starts: by its absolute path from the first.
    MakeAbsolute(vp::kRecordVariable);
    win32::LoadScriptLink();
    MakeAbsolute(vp::kUiVariable, vp::kScriptPrefix);
    MakeAbsolute(vp::kTranscriptVariable);

    CWinApp *app = AfxGetApp();
    if (!app)
        return 0;
    return app->InitInstance() ? app->Run() : app->ExitInstance();
}
