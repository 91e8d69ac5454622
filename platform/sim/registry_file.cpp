#include "platform/sim/registry_file.h"

#include "platform/sim/page_memory.h"
#include "platform/sim/registry_reader.h"
#include "platform/sim/registry_writer.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

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

// A file's text in pages of its own (see PageMemory), given back once the
// text is parsed. Not cleared first: a registry can be megabytes.
class TextBuffer {
  public:
    explicit TextBuffer(std::size_t capacity)
        : capacity_(capacity), data_(static_cast<char *>(Pages().allocate(capacity))) {}
    ~TextBuffer() { Pages().deallocate(data_, capacity_); }
    TextBuffer(const TextBuffer &) = delete;
    TextBuffer &operator=(const TextBuffer &) = delete;

    char *Data() const { return data_; }
    std::size_t Capacity() const { return capacity_; }
    // Twice the room, keeping the first `kept` bytes.
    void Grow(std::size_t kept) {
        auto *bigger = static_cast<char *>(Pages().allocate(capacity_ * 2));
        std::memcpy(bigger, data_, kept);
        Pages().deallocate(data_, capacity_);
        data_ = bigger;
        capacity_ *= 2;
    }

  private:
    std::size_t capacity_;
    char *data_;
};

// Reads to the end into *text; the buffer is sized by what fstat said, so a
// file that does not grow meanwhile is read in one go.
bool ReadAll(int fd, TextBuffer &buffer, std::string_view *text) {
    std::size_t done = 0;
    for (;;) {
        if (done == buffer.Capacity())
            buffer.Grow(done);
        ssize_t n = read(fd, buffer.Data() + done, buffer.Capacity() - done);
        if (n == 0) {
            *text = std::string_view(buffer.Data(), done);
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

// The frame of an appended change; the blank line before it makes it start a
// line whatever the file's last line was.
constexpr std::string_view kChangeBegins = "\r\n; change begins\r\n";
constexpr std::string_view kChangeEndsLine = "\r\n; change ends\r\n";
// A registry smaller than this is written whole only when its appended
// changes pass this size.
constexpr std::size_t kLeastAppendedBytes = 64 * 1024;

std::size_t Find(std::string_view text, std::string_view what, std::size_t from) {
    if (from > text.size())
        return std::string_view::npos;
    const void *at = memmem(text.data() + from, text.size() - from, what.data(), what.size());
    return at ? static_cast<std::size_t>(static_cast<const char *>(at) - text.data())
              : std::string_view::npos;
}

// Where a file's appended changes start (its size when it has none), and
// where its last one starts when that one was cut short (npos when none was).
struct Appended {
    std::size_t start, cutAt;
};

Appended AppendedChanges(std::string_view text) {
    std::size_t start = Find(text, kChangeBegins, 0);
    if (start == std::string_view::npos)
        return {text.size(), std::string_view::npos};
    std::size_t last = start, next;
    while ((next = Find(text, kChangeBegins, last + kChangeBegins.size())) != text.npos)
        last = next;
    // A change's text ends with a blank line, so its end line follows a line
    // end (the begin line's own, should the change be empty).
    bool ended = Find(text, kChangeEndsLine, last + kChangeBegins.size() - 2) != text.npos;
    return {start, ended ? std::string_view::npos : last};
}

// Generations of every registry file of the process.
std::uint64_t NextGeneration() {
    static std::atomic<std::uint64_t> next{1};
    return next++;
}

} // namespace

// Pages, counting what is taken.
class CountedPages : public std::pmr::memory_resource {
  public:
    std::size_t Taken() const { return taken_; }

  private:
    void *do_allocate(std::size_t bytes, std::size_t alignment) override {
        taken_ += bytes;
        return Pages().allocate(bytes, alignment);
    }
    void do_deallocate(void *memory, std::size_t bytes, std::size_t alignment) override {
        Pages().deallocate(memory, bytes, alignment);
    }
    bool do_is_equal(const std::pmr::memory_resource &other) const noexcept override {
        return this == &other;
    }

    std::size_t taken_ = 0;
};

// A tree and the memory it lives in. One read from a file takes its memory
// in a few large runs sized by the file; all of it goes back at once when
// the file is read again. What a change removes or replaces stays until
// then; a process that keeps changing the registry on its own reads the
// file afresh once that has grown well past what the file needs.
struct RegistryFile::Tree {
    explicit Tree(std::size_t fileSize)
        : memory(std::max(kTreeBytesPerFileByte * fileSize, kLeastTreeBytes), &pages) {}
    // Measured on a whole Windows 98 registry: the tree takes about 3.5
    // bytes of memory for each byte of its REGEDIT4 text. Room not used
    // costs address space only (see PageMemory).
    static constexpr std::size_t kTreeBytesPerFileByte = 4;
    static constexpr std::size_t kLeastTreeBytes = 64 * 1024;

    // Twice what the read itself took, and a megabyte: a change replaces
    // little, so reading again is rare. (Measured against the read, not the
    // file's size: keys of few short values take more than
    // kTreeBytesPerFileByte, and such a tree must not count as overgrown
    // from the start, or every change would read the whole file again.)
    bool Overgrown() const { return pages.Taken() > 2 * takenByRead + (1 << 20); }

    CountedPages pages;
    std::size_t takenByRead = 0;
    std::pmr::monotonic_buffer_resource memory;
    Key root{"", &memory};
};

RegistryFile::RegistryFile(std::string path)
    : path_(std::move(path)), tree_(std::make_unique<Tree>(0)), generation_(NextGeneration()) {}

RegistryFile::~RegistryFile() {
    Forget();
}

LONG RegistryFile::Failed(LONG code, const std::string &what) {
    error_ = path_ + ": " + what;
    Report();
    return code;
}

// A registry that cannot be read or saved needs a person: the first time a
// fault is met, it goes to stderr.
void RegistryFile::Report() {
    if (error_ != reported_) {
        std::fprintf(stderr, "%s\n", error_.c_str());
        reported_ = error_;
    }
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
        *root = &tree_->root;
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
    generation_ = NextGeneration();
    Fd file(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        if (errno != ENOENT)
            return Failed(ERROR_ACCESS_DENIED, std::strerror(errno));
        tree_ = std::make_unique<Tree>(0); // a machine without a registry yet: an empty one
        stamp_ = FileStamp();
        wholeBytes_ = appendedBytes_ = 0;
        cut_ = false;
        state_ = ERROR_SUCCESS;
        loaded_ = true;
        return state_;
    }
    struct stat st;
    if (fstat(file.Get(), &st) != 0)
        return Failed(ERROR_ACCESS_DENIED, std::strerror(errno));
    auto size = static_cast<std::size_t>(st.st_size);
    TextBuffer buffer(size + 1);
    std::string_view text;
    if (!ReadAll(file.Get(), buffer, &text))
        return Failed(ERROR_ACCESS_DENIED, std::strerror(errno));
    Appended appended = AppendedChanges(text);
    cut_ = appended.cutAt != std::string_view::npos;
    if (cut_)
        text = text.substr(0, appended.cutAt + 2); // up to the line end before the cut change
    wholeBytes_ = appended.start;
    appendedBytes_ = text.size() - std::min(appended.start, text.size());
    auto fresh = std::make_unique<Tree>(size);
    ParseError parse;
    if (ApplyRegedit4(text, fresh->root, &parse)) {
        fresh->takenByRead = fresh->pages.Taken();
        tree_ = std::move(fresh);
        state_ = ERROR_SUCCESS;
    } else {
        tree_ = std::make_unique<Tree>(0);
        state_ = ERROR_BADDB;
        error_ = path_ + ":" + std::to_string(parse.line) + ": " + parse.what;
        Report();
    }
    stamp_ = StampOf(st);
    file_ = file.Release();
    loaded_ = true;
    return state_;
}

LONG RegistryFile::Update(const std::function<LONG(Key &root)> &change) {
    return Locked([&] {
        generation_ = NextGeneration(); // change may remove keys
        LONG code = change(tree_->root);
        return code == ERROR_SUCCESS ? Save() : code;
    });
}

LONG RegistryFile::Append(
    const std::function<LONG(const Key &root, ChangeText *change)> &describe) {
    return Locked([&]() -> LONG {
        ChangeText change;
        LONG code = describe(tree_->root, &change);
        if (code != ERROR_SUCCESS)
            return code;
        generation_ = NextGeneration(); // the change may remove keys
        ParseError parse;
        if (!ApplyRegedit4(change.Text(), tree_->root, &parse))
            return Failed(ERROR_INVALID_PARAMETER, "a change that does not read: line " +
                                                       std::to_string(parse.line) + ": " +
                                                       parse.what);
        std::string_view text = change.Sections(); // the header is the file's own
        if (text.empty())
            return ERROR_SUCCESS;
        std::size_t limit = std::max(wholeBytes_, kLeastAppendedBytes);
        if (cut_ || !stamp_.exists || appendedBytes_ + text.size() > limit)
            return Save();
        return AppendToFile(text);
    });
}

// Under the lock, runs work on the newest tree; after a failure, or when the
// tree has grown well past what a read takes, the next call reads the file
// again.
LONG RegistryFile::Locked(const std::function<LONG()> &work) {
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
        code = work();
    if (code != ERROR_SUCCESS || tree_->Overgrown())
        Forget();
    return code;
}

LONG RegistryFile::AppendToFile(std::string_view text) {
    Fd file(open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    if (file.Get() < 0)
        return Failed(CodeOf(errno), std::string("cannot save: ") + std::strerror(errno));
    std::string framed;
    framed.reserve(kChangeBegins.size() + text.size() + kChangeEndsLine.size());
    framed.append(kChangeBegins).append(text).append(kChangeEndsLine.substr(2));
    if (!WriteAll(file.Get(), framed) || fsync(file.Get()) != 0 || !file.Close()) {
        int error = errno;
        // Back to the last good length; should that fail too, readers leave
        // the cut change out and the next writer writes the whole file.
        [[maybe_unused]] int undone = truncate(path_.c_str(), static_cast<off_t>(stamp_.size));
        return Failed(CodeOf(error), std::string("cannot save: ") + std::strerror(error));
    }
    struct stat st;
    if (file_ < 0 || fstat(file_, &st) != 0) {
        Forget(); // saved, but not watchable: read it again next time
        return ERROR_SUCCESS;
    }
    stamp_ = StampOf(st);
    appendedBytes_ += framed.size();
    return ERROR_SUCCESS;
}

LONG RegistryFile::Save() {
    WriteRegedit4(tree_->root, "", &text_);
    std::string tmpPath = path_ + ".tmp";
    Fd tmp(open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (tmp.Get() < 0)
        return Failed(CodeOf(errno), std::string("cannot save: ") + std::strerror(errno));
    if (!WriteAll(tmp.Get(), text_) || fsync(tmp.Get()) != 0 || !tmp.Close() ||
        rename(tmpPath.c_str(), path_.c_str()) != 0) {
        int error = errno;
        unlink(tmpPath.c_str());
        return Failed(CodeOf(error), std::string("cannot save: ") + std::strerror(error));
    }
    SyncFolder(path_);
    // tree_ is what the file now holds; watch the new file from here on.
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
    wholeBytes_ = text_.size();
    appendedBytes_ = 0;
    cut_ = false;
    return ERROR_SUCCESS;
}

} // namespace sim::reg
