#include "platform/sim/host/host_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace sim {

namespace {

std::string Reason(int error) {
    if (error == ELOOP)
        return "a symbolic link, not followed";
    // What opening a FIFO without a reader or a socket gives.
    return error == ENXIO ? "not a regular file" : std::strerror(error);
}

// Checks what an open without blocking found, then lets reads and writes
// block again as usual: -1 (closed, errno set) when it is no regular file.
int KeepRegular(int fd, std::size_t limit, std::string *why, struct stat *st) {
    struct stat own;
    st = st ? st : &own;
    if (fstat(fd, st) != 0) {
        const int error = errno;
        *why = Reason(error);
        close(fd);
        errno = error;
        return -1;
    }
    if (!S_ISREG(st->st_mode) || static_cast<std::uint64_t>(st->st_size) > limit) {
        errno = S_ISREG(st->st_mode) ? EFBIG : S_ISDIR(st->st_mode) ? EISDIR : EINVAL;
        *why = errno == EFBIG    ? TooLarge(limit)
               : errno == EISDIR ? std::strerror(EISDIR)
                                 : "not a regular file";
        close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

int OpenChecked(const std::string &path, int flags, mode_t mode, std::size_t limit,
                std::string *why, struct stat *st) {
    const int fd = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode);
    if (fd < 0) {
        *why = Reason(errno);
        return -1;
    }
    return KeepRegular(fd, limit, why, st);
}

} // namespace

std::string TooLarge(std::size_t limit) {
    return "larger than " + std::to_string(limit) + " bytes";
}

int OpenRegularFile(const std::string &path, std::size_t limit, bool followLink, std::string *why,
                    struct stat *st) {
    return OpenChecked(path, O_RDONLY | (followLink ? 0 : O_NOFOLLOW), 0, limit, why, st);
}

bool ReadRegularFile(const std::string &path, std::size_t limit, std::string *text,
                     std::string *why) {
    struct stat st;
    const int fd = OpenRegularFile(path, limit, true, why, &st);
    if (fd < 0)
        return false;
    text->clear();
    text->reserve(static_cast<std::size_t>(st.st_size));
    char buffer[16384];
    bool ok = true;
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0 && text->size() + static_cast<std::size_t>(n) > limit) {
            *why = TooLarge(limit); // grew while read
            errno = EFBIG;
            ok = false;
            break;
        }
        if (n > 0) {
            text->append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            if (n < 0) {
                *why = Reason(errno);
                ok = false;
            }
            break;
        }
    }
    const int error = errno;
    close(fd);
    if (!ok)
        text->clear();
    errno = error;
    return ok;
}

int OpenForWriting(const std::string &path, int flags, std::string *why, mode_t mode) {
    return OpenChecked(path, flags | O_NOFOLLOW, mode, static_cast<std::size_t>(-1), why, nullptr);
}

} // namespace sim
