#include "platform/windows/script_dll/transcript.h"

#include "platform/framework/transcript_lines.h"
#include "platform/script/transcript_file.h"
#include "platform/windows/script_dll/program.h"

namespace win32::transcript {

namespace {

// The list box's line, its entries read one at a time.
std::string ListLineOf(HWND list, int id) {
    std::string line = ui::transcript::ListLine(id, {});
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    std::string entry;
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        entry.assign(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
        const LRESULT got = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                         reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        ui::transcript::AppendListEntry(line, entry);
    }
    return line;
}

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
    ::script::WriteTranscriptLine(ui::transcript::MessageBoxLine(caption ? caption : "Error", text ? text : "", style,
                                         ownerId));
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
        char cls[16] = "";
        GetClassNameA(child, cls, sizeof cls);
        const int id = GetDlgCtrlID(child);
        if (lstrcmpiA(cls, "ListBox") == 0)
            ::script::WriteTranscriptLine(ListLineOf(child, id));
        else if (lstrcmpiA(cls, "Button") == 0 && IsCheckOrRadio(child))
            ::script::WriteTranscriptLine(ui::transcript::CheckLine(id,
                                            SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED));
    }
}

void DialogEnded(HWND dialog, int result) {
    ::script::WriteTranscriptLine(ui::transcript::DialogEndLine(static_cast<int>(Program().templateOf(dialog)), result));
}

} // namespace win32::transcript
