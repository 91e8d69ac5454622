#include "platform/user32/linux_transcript.h"

#include "platform/script/run_file.h"

namespace ui::transcript {

void MessageBoxShown(const MessageBoxRequest &request) {
    script::WriteTranscriptLine(MessageBoxLine(
        request.caption, request.text, request.style,
        request.owner ? std::optional<int>(request.OwnerTemplateId()) : std::nullopt));
}

void Answered(int button) {
    script::WriteTranscriptLine(AnswerLine(button));
}

void DialogOpened(const Window &window) {
    script::WriteTranscriptLine(DialogOpenLine(window.TemplateId(), window.title));
}

void DialogWaits(const Window &window) {
    for (const Control &control : window.controls) {
        if (control.Kind() == ControlKind::ListBox)
            script::WriteTranscriptLine(ListLine(control.id, control.items));
        else if (control.HasCheck())
            script::WriteTranscriptLine(CheckLine(control.id, control.check == BST_CHECKED));
    }
}

void DialogEnded(const Window &window, int result) {
    script::WriteTranscriptLine(DialogEndLine(window.TemplateId(), result));
}

} // namespace ui::transcript
