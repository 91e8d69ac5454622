#include "platform/windows/script_dll/win_transcript.h"

#include "platform/framework/transcript_lines.h"
#include "platform/script/run_file.h"
#include "platform/windows/script_dll/program.h"
#include "platform/windows/script_dll/shown_window.h"

namespace win32::transcript {

namespace {

bool IsCheckOrRadio(HWND button) {
    const LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
           type == BS_AUTORADIOBUTTON;
}

} // namespace

void MessageBoxShown(HWND owner, LPCSTR caption, LPCSTR text, UINT style) {
    const UINT ownerTemplate = Program().templateOf(owner);
    std::optional<int> ownerId;
    if (ownerTemplate)
        ownerId = static_cast<int>(ownerTemplate);
    // Windows' caption when none is given.
    ::script::WriteTranscriptLine(ui::transcript::MessageBoxLine(caption ? caption : "Error",
                                                                 text ? text : "", style, ownerId));
}

void Answered(int button) {
    ::script::WriteTranscriptLine(ui::transcript::AnswerLine(button));
}

void DialogOpened(HWND dialog) {
    char title[512];
    const int length = GetWindowTextA(dialog, title, sizeof title);
    ::script::WriteTranscriptLine(ui::transcript::DialogOpenLine(
        static_cast<int>(Program().templateOf(dialog)),
        std::string_view(title, length > 0 ? static_cast<std::size_t>(length) : 0)));
}

// Child windows come in the order of the template (creation order).
void DialogWaits(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (HasClass(child, "ListBox"))
            ::script::WriteTranscriptLine(ui::transcript::ListLine(id, ListEntries(child)));
        else if (HasClass(child, "Button") && IsCheckOrRadio(child))
            ::script::WriteTranscriptLine(ui::transcript::CheckLine(
                id, SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED));
    }
}

void DialogEnded(HWND dialog, int result) {
    ::script::WriteTranscriptLine(
        ui::transcript::DialogEndLine(static_cast<int>(Program().templateOf(dialog)), result));
}

} // namespace win32::transcript
