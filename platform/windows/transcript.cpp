#include "platform/windows/transcript.h"

#include "platform/framework/transcript_lines.h"
#include "platform/windows/environment.h"
#include "platform/windows/open_dialogs.h"

namespace win32::transcript {

namespace {

// Appends one line; the processes of a run take turns, so a write at the
// end of the file is enough.
void Write(std::string line) {
    const std::string path = EnvironmentValue("VELTRIN_TRANSCRIPT");
    if (path.empty())
        return;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return; // the record is lost, never the run
    line += '\n';
    SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

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
    const CDialog *dialog = OpenDialogOf(owner);
    std::optional<int> ownerId;
    if (dialog)
        ownerId = static_cast<int>(dialog->TemplateId());
    // Windows' caption when none is given.
    Write(ui::transcript::MessageBoxLine(caption ? caption : "Error", text ? text : "", style,
                                         ownerId));
}

void Answered(int button) {
    Write(ui::transcript::AnswerLine(button));
}

void DialogOpened(const CDialog &dialog) {
    char title[512];
    const int length = GetWindowTextA(dialog.GetSafeHwnd(), title, sizeof title);
    Write(ui::transcript::DialogOpenLine(
        static_cast<int>(dialog.TemplateId()),
        std::string_view(title, length > 0 ? static_cast<std::size_t>(length) : 0)));
}

// Child windows come in the order of the template (creation order).
void DialogWaits(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = "";
        GetClassNameA(child, cls, sizeof cls);
        const int id = GetDlgCtrlID(child);
        if (lstrcmpiA(cls, "ListBox") == 0)
            Write(ListLineOf(child, id));
        else if (lstrcmpiA(cls, "Button") == 0 && IsCheckOrRadio(child))
            Write(ui::transcript::CheckLine(id,
                                            SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED));
    }
}

void DialogEnded(const CDialog &dialog, int result) {
    Write(ui::transcript::DialogEndLine(static_cast<int>(dialog.TemplateId()), result));
}

} // namespace win32::transcript
