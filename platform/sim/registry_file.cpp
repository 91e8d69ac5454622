#include "platform/sim/registry_file.h"

#include "platform/sim/registry_reader.h"
#include "platform/sim/registry_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sim::reg {

namespace {

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

// Closes fd on every path out.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            close(fd_);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int Get() const { return fd_; }
    int Release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now and says whether the close failed (NFS reports late write
    // errors there).
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

  private:
    int fd_;
};

// Reads to the end into *text; size is what fstat said, so a file that does
// not grow meanwhile is read straight into one buffer, which is not cleared
// first (a registry can be megabytes).
bool ReadAll(int fd, std::size_t size, std::unique_ptr<char[]> *buffer, std::string_view *text) {
    std::size_t capacity = size + 1, done = 0;
    buffer->reset(new char[capacity]);
    for (;;) {
        if (done == capacity) {
            std::unique_ptr<char[]> bigger(new char[capacity * 2]);
            std::memcpy(bigger.get(), buffer->get(), done);
            *buffer = std::move(bigger);
            capacity *= 2;
        }
        ssize_t n = read(fd, buffer->get() + done, capacity - done);
        if (n == 0) {
            *text = std::string_view(buffer->get(), done);
            return true;
        }
        if (n < 0 && errno != EINTR)
            return false;
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

std::string FolderOf(const std::string &path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename durable. The rename is done whatever this reports, and
// some file systems cannot sync a folder at all, so its result is not a
// failure of the write.
void SyncFolder(const std::string &path) {
    Fd folder(open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        fsync(folder.Get());
}

} // namespace

RegistryFile::~RegistryFile() {
    Forget();
}

LONG RegistryFile::Failed(LONG code, const std::string &what) {
    error_ = path_ + ": " + what;
    return code;
}

// Drops what was read: the next call reads the file again.
void RegistryFile::Forget() {
    if (file_ >= 0)
        close(file_);
    file_ = -1;
    loaded_ = false;
}

LONG RegistryFile::Read(const Key **root) {
    LONG code = Refresh();
    if (code == ERROR_SUCCESS)
        *root = &root_;
    return code;
}

LONG RegistryFile::Refresh() {
    struct stat st;
    if (loaded_ && file_ >= 0) {
        // Replaced by a writer's rename (or removed), the file read has no
        // link left; edited in place, it has a new stamp.
        if (fstat(file_, &st) == 0 && st.st_nlink > 0 && StampOf(st) == stamp_)
            return state_;
    } else if (loaded_ && stat(path_.c_str(), &st) != 0 && errno == ENOENT) {
        return state_; // still no file
    }
    return Load();
}

LONG RegistryFile::Load() {
    Forget();
    Fd file(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        if (errno != ENOENT)
            return Failed(ERROR_ACCESS_DENIED, std::strerror(errno));
        root_ = Key(); // a machine without a registry yet: an empty one
        stamp_ = FileStamp();
        state_ = ERROR_SUCCESS;
        loaded_ = true;
        return state_;
    }
    struct stat st;
    std::unique_ptr<char[]> buffer;
    std::string_view text;
    if (fstat(file.Get(), &st) != 0 ||
        !ReadAll(file.Get(), static_cast<std::size_t>(st.st_size), &buffer, &text))
        return Failed(ERROR_ACCESS_DENIED, std::strerror(errno));
    Key fresh;
    ParseError parse;
    if (ApplyRegedit4(text, fresh, &parse)) {
        root_ = std::move(fresh);
        state_ = ERROR_SUCCESS;
    } else {
        root_ = Key();
        state_ = ERROR_BADDB;
        error_ = path_ + ":" + std::to_string(parse.line) + ": " + parse.what;
        if (error_ != reported_) {
            std::fprintf(stderr, "%s\n", error_.c_str());
            reported_ = error_;
        }
    }
    stamp_ = StampOf(st);
    file_ = file.Release();
    loaded_ = true;
    return state_;
}

LONG RegistryFile::Update(const std::function<LONG(Key &root)> &change) {
    std::string lockPath = path_ + ".lock";
    Fd lock(open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (lock.Get() < 0)
        return Failed(CodeOf(errno), lockPath + ": " + std::strerror(errno));
    // The lock goes with the descriptor, closed on return: a fresh open per
    // write, since a descriptor shared across fork would share the lock too.
    while (flock(lock.Get(), LOCK_EX) != 0)
        if (errno != EINTR)
            return Failed(ERROR_WRITE_FAULT, lockPath + ": " + std::strerror(errno));
    LONG code = Refresh();
    if (code == ERROR_SUCCESS)
        code = change(root_);
    if (code == ERROR_SUCCESS)
        code = Save();
    if (code != ERROR_SUCCESS)
        Forget();
    return code;
}

LONG RegistryFile::Save() {
    // A change rarely grows the file by more than a page.
    std::string text = WriteRegedit4(root_, "", stamp_.size + 4096);
    std::string tmpPath = path_ + ".tmp";
    Fd tmp(open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (tmp.Get() < 0)
        return Failed(CodeOf(errno), std::string("cannot save: ") + std::strerror(errno));
    if (!WriteAll(tmp.Get(), text) || fsync(tmp.Get()) != 0 || !tmp.Close() ||
        rename(tmpPath.c_str(), path_.c_str()) != 0) {
        int error = errno;
        unlink(tmpPath.c_str());
        return Failed(CodeOf(error), std::string("cannot save: ") + std::strerror(error));
    }
    SyncFolder(path_);
    // root_ is what the file now holds; watch the new file from here on.
    Fd saved(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (saved.Get() < 0 || fstat(saved.Get(), &st) != 0) {
        Forget(); // saved, but not watchable: read it again next time
        return ERROR_SUCCESS;
    }
    if (file_ >= 0)
        close(file_);
    file_ = saved.Release();
    stamp_ = StampOf(st);
    state_ = ERROR_SUCCESS;
    return ERROR_SUCCESS;
}

} // namespace sim::reg
