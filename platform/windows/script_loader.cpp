#include "platform/windows/script_loader.h"

#include "platform/framework.h"
#include "platform/framework/run_settings.h"
#include "platform/windows/environment.h"
#include "platform/windows/open_dialogs.h"
#include "platform/windows/win_fail.h"

#include <string>

// The missing DLL belongs to no run: Windows' own message box.
#undef MessageBoxA

namespace win32 {

namespace {

const ScriptLink *g_link = nullptr;

HWND InnermostWindow() {
    const CDialog *dialog = InnermostDialog();
    return dialog ? dialog->GetSafeHwnd() : nullptr;
}

UINT TemplateOf(HWND window) {
    const CDialog *dialog = OpenDialogOf(window);
    return dialog ? dialog->TemplateId() : 0;
}

BOOL EndRequested(HWND window) {
    const CDialog *dialog = OpenDialogOf(window);
    return dialog && dialog->EndRequested();
}

constexpr ProgramLink kProgram = {InnermostWindow, TemplateOf, EndRequested};

bool Asked() {
    return vp::NamesResponseFile(EnvironmentValue(vp::kUiVariable)) ||
           !EnvironmentValue(vp::kTranscriptVariable).empty() ||
           !EnvironmentValue(vp::kRecordVariable).empty();
}

[[noreturn]] void Missing() {
    std::string text = "This run needs ";
    text += kScriptLibrary;
    text += " beside the program, for its response file, transcript or recording. "
            "It cannot be loaded, so nothing has been done.";
    MessageBoxA(nullptr, text.c_str(), "Veltrin Pellorin", MB_OK | MB_ICONSTOP);
    Fail({text});
}

} // namespace

void LoadScriptLink() {
    if (!Asked())
        return;
    const HMODULE library = LoadLibraryA(kScriptLibrary);
    const auto entry = library ? reinterpret_cast<ScriptLinkEntry>(reinterpret_cast<void (*)()>(
                                     GetProcAddress(library, kScriptEntry)))
                               : nullptr;
    g_link = entry ? entry(&kProgram) : nullptr;
    if (!g_link)
        Missing();
}

const ScriptLink *Automation() {
    return g_link;
}

} // namespace win32
