// MessageBoxA: the driver shows it, the transcript and the recording record it.
#include "platform/user32/driver.h"
#include "platform/user32/linux_recording.h"
#include "platform/user32/linux_transcript.h"
#include "platform/user32/window_manager.h"

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    ui::MessageBoxRequest request;
    request.owner = ui::FindWindow(owner);
    if (!request.owner)
        request.owner = ui::FindControlWindow(owner).window;
    request.caption = caption ? caption : "Error"; // Windows' caption when none is given
    request.text = text ? text : "";
    request.style = type;
    ui::transcript::MessageBoxShown(request);
    const int answer = ui::CurrentDriver().ShowMessageBox(request);
    ui::transcript::Answered(answer);
    ui::recording::Answered(request, answer);
    return answer;
}
