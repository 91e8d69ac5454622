// MessageBoxA as the program calls it (platform/api.h redirects the name
// here): the transcript records the box and the answer, and a response file
// answers it when one drives the run.
#include "platform/api.h"
#include "platform/windows/script_run.h"
#include "platform/windows/transcript.h"

#undef MessageBoxA

int WINAPI VpMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    win32::transcript::MessageBoxShown(owner, caption, text, type);
    const int answer = win32::script::Active()
                           ? win32::script::AnswerMessageBox(owner, text, caption, type)
                           : MessageBoxA(owner, text, caption, type);
    win32::transcript::Answered(answer);
    return answer;
}
