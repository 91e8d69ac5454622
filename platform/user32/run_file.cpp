#include "platform/user32/run_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace ui {

void WriteToRunFile(RunFile &file, const char *path, std::string_view text, bool truncate) {
    const int fd =
        open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | (truncate ? O_TRUNC : 0), 0644);
    const ssize_t n = fd >= 0 ? write(fd, text.data(), text.size()) : -1;
    const int error = errno;
    if (fd >= 0)
        close(fd);
    if (n != static_cast<ssize_t>(text.size()) && !file.told) {
        std::fprintf(stderr, "veltrin: cannot write the %s %s: %s\n", file.what, path,
                     n >= 0 ? "short write" : std::strerror(error));
        file.told = true;
    }
}

} // namespace ui
