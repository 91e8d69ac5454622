// veltrin-script.dll's one export: the program hands over its side and gets
// the DLL's (platform/windows/script_link.h).
#include "platform/framework/run_settings.h"
#include "platform/windows/environment.h"
#include "platform/windows/script_dll/program.h"
#include "platform/windows/script_dll/recording_hooks.h"
#include "platform/windows/script_dll/script_run.h"
#include "platform/windows/script_dll/win_transcript.h"

#include <string>

#undef MessageBoxA

namespace win32 {

namespace {

const ProgramLink *g_program = nullptr;

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    transcript::MessageBoxShown(owner, caption, text, style);
    const int answer = script::Active() ? script::AnswerMessageBox(owner, text, caption, style)
                                        : MessageBoxA(owner, text, caption, style);
    transcript::Answered(answer);
    recording::Answered(caption, answer);
    return answer;
}

// A person's runs record the lists and checks as the dialog opens; a
// scripted run each time the dialog waits.
void DialogOpened(HWND dialog) {
    transcript::DialogOpened(dialog);
    if (!script::Active())
        transcript::DialogWaits(dialog);
}

void DialogShown(HWND dialog) {
    recording::DialogShown(dialog);
    script::DialogShown(dialog);
}

void DialogEnded(HWND dialog, int result) {
    transcript::DialogEnded(dialog, result);
    recording::DialogEnded(dialog);
}

constexpr ScriptLink kLink = {ShowMessageBox, DialogOpened, recording::DialogMessage,
                              DialogShown,    DialogEnded,  script::DialogClosed};

} // namespace

const ProgramLink &Program() {
    return *g_program;
}

} // namespace win32

extern "C" __declspec(dllexport) const win32::ScriptLink *VpScriptLink(
    const win32::ProgramLink *program) {
    win32::g_program = program;
    win32::recording::Start();
    const std::string setting = win32::EnvironmentValue(vp::kUiVariable);
    if (vp::NamesResponseFile(setting))
        win32::script::Start(setting.substr(vp::kScriptPrefix.size()));
    return &win32::kLink;
}
