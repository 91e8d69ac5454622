#include "platform/user32/transcript.h"

#include "platform/user32/run_file.h"

#include <cstdlib>

namespace ui::transcript {

namespace {

void Write(std::string line) {
    static RunFile file{"transcript"};
    const char *path = std::getenv("VELTRIN_TRANSCRIPT");
    if (!path || !*path)
        return;
    line += '\n';
    WriteToRunFile(file, path, line);
}

} // namespace

void MessageBoxShown(const MessageBoxRequest &request) {
    Write(MessageBoxLine(request.caption, request.text, request.style,
                         request.owner ? std::optional<int>(request.OwnerTemplateId())
                                       : std::nullopt));
}

void Answered(int button) {
    Write(AnswerLine(button));
}

void DialogOpened(const Window &window) {
    Write(DialogOpenLine(window.TemplateId(), window.title));
}

void DialogWaits(const Window &window) {
    for (const Control &control : window.controls) {
        if (control.Kind() == ControlKind::ListBox)
            Write(ListLine(control.id, control.items));
        else if (control.HasCheck())
            Write(CheckLine(control.id, control.check == BST_CHECKED));
    }
}

void DialogEnded(const Window &window, int result) {
    Write(DialogEndLine(window.TemplateId(), result));
}

} // namespace ui::transcript
