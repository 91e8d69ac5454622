#include "platform/sim/registry/posix_file.h"

#include "platform/sim/host/host_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace sim::reg {

namespace {

std::string FolderOf(const std::string &path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

FileStamp StampOf(const struct stat &st) {
    return {true,
            static_cast<std::uint64_t>(st.st_dev),
            static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            st.st_mtim.tv_sec,
            st.st_mtim.tv_nsec,
            st.st_ctim.tv_sec,
            st.st_ctim.tv_nsec};
}

LONG CodeOf(int error) {
    return (error == EACCES || error == EPERM || error == EROFS) ? ERROR_ACCESS_DENIED
                                                                 : ERROR_WRITE_FAULT;
}

Fd::~Fd() {
    if (m_fd >= 0)
        close(m_fd);
}

bool Fd::Close() {
    int fd = m_fd;
    m_fd = -1;
    return close(fd) == 0;
}

bool ReadAll(int fd, std::size_t limit, std::pmr::string *text, std::string *why) {
    std::size_t done = 0;
    for (;;) {
        if (done > limit) {
            *why = TooLarge(limit); // grew while read
            return false;
        }
        if (done == text->size())
            text->resize(std::max<std::size_t>(2 * done, 1));
        ssize_t n = read(fd, text->data() + done, text->size() - done);
        if (n == 0) {
            text->resize(done);
            return true;
        }
        if (n < 0 && errno != EINTR) {
            *why = std::strerror(errno);
            return false;
        }
        if (n > 0)
            done += static_cast<std::size_t>(n);
    }
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = write(fd, data.data(), data.size());
        if (n < 0 && errno != EINTR)
            return false;
        if (n > 0)
            data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void SyncFolder(const std::string &path) {
    Fd folder(open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        fsync(folder.Get());
}

} // namespace sim::reg
