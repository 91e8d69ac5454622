// Named mutexes: Windows 9x has one name space for the whole machine, so a
// name is a lock file in the machine folder, "mutex-<name>.lock", locked by
// the process that made the mutex first. Another process's CreateMutexA of
// the name finds the lock held and answers ERROR_ALREADY_EXISTS, with a
// handle, as Windows does while the first one's handle is open. The lock
// goes with that handle, or with the process.
#include "platform/api.h"
#include "platform/sim/host/host_file.h"
#include "platform/sim/kernel/kernel_handles.h"
#include "platform/sim/machine/machine.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

struct MutexObject : sim::HandleObject {
    explicit MutexObject(int descriptor) : fd(descriptor) {}
    ~MutexObject() override {
        if (fd >= 0)
            close(fd);
    }
    int fd; // the locked file, or -1 when another process holds the name
};

// A name may hold any character but '\': the file's name keeps letters,
// digits, '-' and '_' and writes every other byte as two hex digits.
std::string LockFileOf(std::string_view name) {
    static const char hex[] = "0123456789abcdef";
    std::string path = sim::MachineDir() + "/mutex-";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_') {
            path += c;
        } else {
            path += '%';
            path += hex[byte >> 4];
            path += hex[byte & 15];
        }
    }
    return path + ".lock";
}

} // namespace

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR name) {
    if (!name || !*name) {
        SetLastError(ERROR_SUCCESS);
        return sim::AddHandle(std::make_shared<MutexObject>(-1));
    }
    std::string why;
    const int fd = sim::OpenForWriting(LockFileOf(name), O_RDWR | O_CREAT, &why);
    if (fd < 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        SetLastError(ERROR_SUCCESS);
        return sim::AddHandle(std::make_shared<MutexObject>(fd));
    }
    const int error = errno;
    close(fd);
    if (error != EWOULDBLOCK) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    SetLastError(ERROR_ALREADY_EXISTS);
    return sim::AddHandle(std::make_shared<MutexObject>(-1));
}
