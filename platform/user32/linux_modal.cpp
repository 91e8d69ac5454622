// The modal run of a dialog on the in-process window manager.
#include "platform/framework.h"
#include "platform/user32/driver.h"
#include "platform/user32/input.h"
#include "platform/user32/linux_recording.h"
#include "platform/user32/linux_transcript.h"
#include "platform/user32/resource_lookup.h"
#include "platform/user32/timers.h"
#include "platform/user32/window_manager.h"

namespace {

// The loop stops only between inputs, so a handler that ends the dialog
// still has its window and controls until it returns.
void RunLoop(ui::Window &window, CDialog &dialog) {
    ui::Driver &driver = ui::CurrentDriver();
    while (!dialog.EndRequested()) {
        if (window.needsPaint) {
            window.needsPaint = false;
            ui::SendToDialog(window, WM_PAINT);
            continue; // the painting may have ended the dialog
        }
        ui::transcript::DialogWaits(window);
        const std::optional<ui::Duration> untilTimer = ui::UntilNextTimer();
        const ui::Input input = driver.NextInput(window, untilTimer);
        // Time counts where it moves timers on; a person's pause elsewhere
        // changes nothing a replay would see.
        if (untilTimer || input.kind == ui::Input::Kind::TimePassed)
            ui::recording::TimePassed(input.elapsed);
        if (!ui::LetTimePass(window, input.elapsed) || input.kind == ui::Input::Kind::TimePassed)
            continue;
        const std::string why = ui::Misfit(window, input);
        if (!why.empty()) {
            driver.InputRejected(window, input, why);
            continue;
        }
        // Before the dialog acts: the entry's text is the one clicked on, and
        // what the action opens is recorded after it.
        ui::recording::DialogInput(window, input);
        ui::Act(window, input);
    }
}

// Without a parent the dialog is owned by the active window, as the
// framework chooses on Windows.
HWND OwnerFor(const CWnd *parent) {
    if (parent)
        return parent->GetSafeHwnd();
    const auto &open = ui::OpenWindows();
    return open.empty() ? nullptr : open.back()->handle;
}

} // namespace

INT_PTR CDialog::DoModal() {
    const res::DialogTemplate *tmpl = ui::FindTemplate(static_cast<int>(m_templateId));
    if (!tmpl)
        return -1;
    ClearEndRequest();
    ui::Window &window = ui::CreateDialogWindow(*tmpl, *this, OwnerFor(m_parent));
    AttachWindow(window.handle);

    ui::SendToDialog(window, WM_INITDIALOG);
    ui::transcript::DialogOpened(window);
    ui::CurrentDriver().DialogOpened(window);
    RunLoop(window, *this);

    const int result = m_endCode;
    ui::transcript::DialogEnded(window, result);
    ui::recording::DialogEnded(window);
    ui::CurrentDriver().DialogClosed(window, result);
    ui::SendToDialog(window, WM_DESTROY);
    ui::DestroyDialogWindow(window); // its timers go with it
    AttachWindow(nullptr);
    return result;
}

void CDialog::EndDialog(int result) {
    m_endRequested = true;
    m_endCode = result;
}
