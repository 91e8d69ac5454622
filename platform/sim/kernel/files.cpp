// Files on the machine's drives: CreateFileA and the calls on its handles,
// DeleteFileA and MoveFileA/MoveFileExA. A CD-ROM drive is read-only.
#include "platform/api.h"
#include "platform/registry_names.h"
#include "platform/sim/kernel/drive_path.h"
#include "platform/sim/kernel/kernel_handles.h"
#include "platform/sim/machine/machine_config.h"

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileObject : sim::HandleObject {
    explicit FileObject(int descriptor) : fd(descriptor) {}
    ~FileObject() override { close(fd); }
    int fd;
};

DWORD ErrorOf(int error) {
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case EIO:
        return ERROR_WRITE_FAULT;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

template <class T> T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

bool ReadOnlyDrive(LPCSTR path) {
    return sim::DriveTypeOf(path[0]) == DRIVE_CDROM;
}

// The host path of a file to open, make or replace: its own folder entry,
// a final link not followed; 0 or the Windows error.
DWORD HostPathOf(LPCSTR windowsPath, bool forWriting, std::string *host) {
    if (!windowsPath)
        return ERROR_INVALID_PARAMETER;
    const sim::DrivePath path = sim::LookupDrivePath(windowsPath);
    if (path.status == sim::PathStatus::PathMissing)
        return ERROR_PATH_NOT_FOUND;
    if (path.hostPath.empty())
        return ERROR_FILE_NOT_FOUND;
    if (forWriting && ReadOnlyDrive(windowsPath))
        return ERROR_ACCESS_DENIED;
    *host = path.entryPath;
    return 0;
}

int OpenFlags(DWORD access, DWORD creation) {
    const bool reads = (access & GENERIC_READ) != 0, writes = (access & GENERIC_WRITE) != 0;
    int flags = O_CLOEXEC | (reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY);
    switch (creation) {
    case CREATE_NEW:
        return flags | O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
        return flags | O_CREAT | O_TRUNC;
    case OPEN_ALWAYS:
        return flags | O_CREAT;
    case TRUNCATE_EXISTING:
        return flags | O_TRUNC;
    case OPEN_EXISTING:
        return flags;
    default:
        return -1;
    }
}

std::shared_ptr<FileObject> FileOf(HANDLE file) {
    return sim::FindHandleOf<FileObject>(file);
}

// rename() over the machine's drives; the folder is synced too when asked.
BOOL Move(LPCSTR existing, LPCSTR newName, DWORD flags) {
    std::string from, to;
    DWORD error = HostPathOf(existing, true, &from);
    if (!error)
        error = HostPathOf(newName, true, &to);
    if (error)
        return Fail(error, FALSE);
    if (vp::FoldAscii(existing[0]) != vp::FoldAscii(newName[0]))
        return Fail<BOOL>(ERROR_NOT_SAME_DEVICE, FALSE);
    struct stat st;
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && lstat(to.c_str(), &st) == 0)
        return Fail<BOOL>(ERROR_ALREADY_EXISTS, FALSE);
    if (flags & MOVEFILE_WRITE_THROUGH) {
        const int fd = open(from.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            fsync(fd);
            close(fd);
        }
    }
    if (rename(from.c_str(), to.c_str()) != 0)
        return Fail(ErrorOf(errno), FALSE);
    if (flags & MOVEFILE_WRITE_THROUGH) {
        const int dir =
            open(to.substr(0, to.rfind('/')).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            fsync(dir);
            close(dir);
        }
    }
    return TRUE;
}

} // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD creation,
                   DWORD, HANDLE) {
    const bool writes = (access & GENERIC_WRITE) != 0 || creation == CREATE_NEW ||
                        creation == CREATE_ALWAYS || creation == TRUNCATE_EXISTING;
    std::string host;
    const int flags = OpenFlags(access, creation);
    DWORD error = flags < 0 ? static_cast<DWORD>(ERROR_INVALID_PARAMETER)
                            : HostPathOf(fileName, writes, &host);
    if (error)
        return Fail(error, INVALID_HANDLE_VALUE);
    struct stat st;
    const bool existed = lstat(host.c_str(), &st) == 0;
    // Windows 9x has no links, FIFOs or devices on a drive: a file reached
    // through one could be anything on the host, and a FIFO would hold the
    // program up for ever. Only a regular file opens, never through a final
    // link, and the open itself never waits.
    if (existed && !S_ISREG(st.st_mode))
        return Fail<HANDLE>(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    const int fd = open(host.c_str(), flags | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0)
        return Fail(ErrorOf(errno), INVALID_HANDLE_VALUE);
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(fd);
        return Fail<HANDLE>(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    }
    // As Windows does: an existing file opened by CREATE_ALWAYS or
    // OPEN_ALWAYS says so, with success.
    SetLastError(existed && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS)
                     ? ERROR_ALREADY_EXISTS
                     : ERROR_SUCCESS);
    return sim::AddHandle(std::make_shared<FileObject>(fd));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED) {
    auto object = FileOf(file);
    if (read)
        *read = 0;
    if (!object)
        return Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
    DWORD done = 0;
    while (done < toRead) {
        const ssize_t n = ::read(object->fd, static_cast<char *>(buffer) + done, toRead - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(ErrorOf(errno), FALSE);
        if (n == 0)
            break;
        done += static_cast<DWORD>(n);
    }
    if (read)
        *read = done;
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED) {
    auto object = FileOf(file);
    if (written)
        *written = 0;
    if (!object)
        return Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
    DWORD done = 0;
    while (done < toWrite) {
        const ssize_t n =
            ::write(object->fd, static_cast<const char *>(buffer) + done, toWrite - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (written)
                *written = done;
            return Fail(n < 0 ? ErrorOf(errno) : static_cast<DWORD>(ERROR_WRITE_FAULT), FALSE);
        }
        done += static_cast<DWORD>(n);
    }
    if (written)
        *written = done;
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG *distanceHigh, DWORD method) {
    auto object = FileOf(file);
    if (!object)
        return Fail(static_cast<DWORD>(ERROR_INVALID_HANDLE), INVALID_SET_FILE_POINTER);
    const int whence = method == FILE_BEGIN     ? SEEK_SET
                       : method == FILE_CURRENT ? SEEK_CUR
                       : method == FILE_END     ? SEEK_END
                                                : -1;
    // Without a high part the distance is a signed 32-bit number.
    const off_t offset =
        distanceHigh ? static_cast<off_t>(
                           (static_cast<std::uint64_t>(static_cast<DWORD>(*distanceHigh)) << 32) |
                           static_cast<DWORD>(distance))
                     : static_cast<off_t>(distance);
    const off_t at = whence < 0 ? -1 : lseek(object->fd, offset, whence);
    if (at < 0)
        return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER), INVALID_SET_FILE_POINTER);
    if (distanceHigh)
        *distanceHigh = static_cast<LONG>(static_cast<std::uint64_t>(at) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(at);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
    auto object = FileOf(file);
    struct stat st;
    if (!object || fstat(object->fd, &st) != 0)
        return Fail(static_cast<DWORD>(ERROR_INVALID_HANDLE), INVALID_FILE_SIZE);
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (sizeHigh)
        *sizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

BOOL SetEndOfFile(HANDLE file) {
    auto object = FileOf(file);
    if (!object)
        return Fail<BOOL>(ERROR_INVALID_HANDLE, FALSE);
    const off_t at = lseek(object->fd, 0, SEEK_CUR);
    if (at < 0 || ftruncate(object->fd, at) != 0)
        return Fail(ErrorOf(errno), FALSE);
    return TRUE;
}

BOOL DeleteFileA(LPCSTR fileName) {
    std::string host;
    const DWORD error = HostPathOf(fileName, true, &host);
    if (error)
        return Fail(error, FALSE);
    struct stat st;
    if (lstat(host.c_str(), &st) != 0)
        return Fail<BOOL>(ERROR_FILE_NOT_FOUND, FALSE);
    if (S_ISDIR(st.st_mode) || unlink(host.c_str()) != 0)
        return Fail<BOOL>(S_ISDIR(st.st_mode) ? ERROR_ACCESS_DENIED : ErrorOf(errno), FALSE);
    return TRUE;
}

BOOL MoveFileA(LPCSTR existing, LPCSTR newName) {
    return Move(existing, newName, 0);
}

BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) {
    return Move(existing, newName, flags);
}
