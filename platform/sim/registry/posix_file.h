// The POSIX file calls under the registry file: whole reads and writes that
// go on after EINTR, a descriptor closed on every path out, the stamp that
// tells one version of a file from another, and a failure in Windows' codes.
#pragma once

#include "platform/api.h"

#include <cstdint>
#include <memory_resource>
#include <string>
#include <string_view>

#include <sys/stat.h>

namespace sim::reg {

// What tells one version of the file from another.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t mtimeSec = 0, mtimeNsec = 0, ctimeSec = 0, ctimeNsec = 0;
    bool operator==(const FileStamp &) const = default;
};

FileStamp StampOf(const struct stat &st);

// ERROR_ACCESS_DENIED for a permission fault (errno EACCES, EPERM, EROFS),
// ERROR_WRITE_FAULT for any other.
LONG CodeOf(int error);

// Closes fd on every path out.
class Fd {
  public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd();
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int Get() const { return m_fd; }
    int Release() {
        int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    // Closes now and says whether the close failed (NFS reports late write
    // errors there).
    bool Close();

  private:
    int m_fd;
};

// Reads to the end into *text, whose size on entry is the room to read
// into first: sized by what fstat said and a byte more, a file that does not
// grow meanwhile is read in one go. A file that grows past limit meanwhile
// is not read (*why says so, or the system's reason).
bool ReadAll(int fd, std::size_t limit, std::pmr::string *text, std::string *why);

bool WriteAll(int fd, std::string_view data);

// Makes a rename in path's folder durable. The rename is done whatever this
// reports, and some file systems cannot sync a folder at all, so its result
// is not a failure of the write.
void SyncFolder(const std::string &path);

} // namespace sim::reg
