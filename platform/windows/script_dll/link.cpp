// veltrin-script.dll's one export: the program hands over its side and gets
// the DLL's (platform/windows/script_link.h).
#include "platform/windows/environment.h"
#include "platform/windows/script_dll/program.h"
#include "platform/windows/script_dll/script_run.h"
#include "platform/windows/script_dll/transcript.h"

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
    return answer;
}

// A person's runs record the lists and checks as the dialog opens; a
// scripted run each time the dialog waits.
void DialogOpened(HWND dialog) {
    transcript::DialogOpened(dialog);
    if (!script::Active())
        transcript::DialogWaits(dialog);
}

constexpr ScriptLink kLink = {ShowMessageBox, DialogOpened, script::DialogShown,
                              transcript::DialogEnded, script::DialogClosed};

constexpr char kScript[] = "script:";

} // namespace

const ProgramLink &Program() {
    return *g_program;
}

} // namespace win32

extern "C" __declspec(dllexport) const win32::ScriptLink *VpScriptLink(
    const win32::ProgramLink *program) {
    win32::g_program = program;
    const std::string setting = win32::EnvironmentValue("VELTRIN_UI");
    if (setting.rfind(win32::kScript, 0) == 0)
        win32::script::Start(setting.substr(sizeof win32::kScript - 1));
    return &win32::kLink;
}
