#include "platform/sim/registry/file_lock.h"

#include "platform/sim/host/host_file.h"
#include "platform/sim/registry/posix_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>

namespace sim::reg {

LONG LockExclusive(const std::string &lockPath, int *fd, std::string *what) {
    std::string why;
    Fd opened(OpenForWriting(lockPath, O_RDWR | O_CREAT, &why, 0666));
    if (opened.Get() < 0) {
        const int error = errno;
        *what = lockPath + ": " + why;
        return CodeOf(error);
    }
    // The lock goes with the descriptor: a fresh open per write, since a
    // descriptor shared across fork would share the lock too.
    while (flock(opened.Get(), LOCK_EX) != 0)
        if (errno != EINTR) {
            *what = lockPath + ": " + std::strerror(errno);
            return ERROR_WRITE_FAULT;
        }
    *fd = opened.Release();
    return ERROR_SUCCESS;
}

} // namespace sim::reg
