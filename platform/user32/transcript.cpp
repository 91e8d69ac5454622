#include "platform/user32/transcript.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace ui::transcript {

namespace {

// One write per line on a descriptor opened for appending: lines of the
// processes of one run never interleave.
void Write(std::string line) {
    const char *path = std::getenv("VELTRIN_TRANSCRIPT");
    if (!path || !*path)
        return;
    int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    line += '\n';
    // A failure loses only the record, never the run; it is told once.
    const ssize_t n = fd >= 0 ? write(fd, line.data(), line.size()) : -1;
    const int error = errno;
    if (fd >= 0)
        close(fd);
    static bool told = false;
    if (n != static_cast<ssize_t>(line.size()) && !told) {
        std::fprintf(stderr, "veltrin: cannot write the transcript %s: %s\n", path,
                     n >= 0 ? "short write" : std::strerror(error));
        told = true;
    }
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
