#include "platform/sim/registry/file.h"

#include "platform/sim/host/host_file.h"
#include "platform/sim/host/page_memory.h"
#include "platform/sim/registry/appended_changes.h"
#include "platform/sim/registry/file_lock.h"
#include "platform/sim/registry/apply_regedit4.h"
#include "platform/sim/registry/writer.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sim::reg {

namespace {

// Generations of every registry file of the process.
std::uint64_t NextGeneration() {
    static std::atomic<std::uint64_t> next{1};
    return next++;
}

} // namespace

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

    PageMemory pages;
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
    // A registry.reg that is a link is refused, not followed: a writer
    // renames its new file over the name, so the link would be replaced by a
    // plain file and the file it named left with part of the history.
    std::string why;
    struct stat st;
    Fd file(OpenRegularFile(path_, kRegistryFileLimit, false, &why, &st));
    if (file.Get() < 0) {
        if (errno != ENOENT)
            return Failed(ERROR_ACCESS_DENIED, why);
        tree_ = std::make_unique<Tree>(0); // a machine without a registry yet: an empty one
        stamp_ = FileStamp();
        wholeBytes_ = appendedBytes_ = 0;
        cut_ = false;
        state_ = ERROR_SUCCESS;
        loaded_ = true;
        return state_;
    }
    auto size = static_cast<std::size_t>(st.st_size);
    // The text in pages of its own too (see PageMemory), given back once it
    // is parsed.
    PageMemory textPages;
    std::pmr::string whole(size + 1, '\0', &textPages);
    if (!ReadAll(file.Get(), kRegistryFileLimit, &whole, &why))
        return Failed(ERROR_ACCESS_DENIED, why);
    std::string_view text = whole;
    Appended appended = AppendedChanges(text);
    cut_ = appended.cutAt != std::string_view::npos;
    if (cut_)
        text = text.substr(0, appended.cutAt + 2); // up to the line end before the cut change
    wholeBytes_ = appended.start;
    appendedBytes_ = text.size() - std::min(appended.start, text.size());
    auto fresh = std::make_unique<Tree>(size);
    vp::Regedit4Error parse;
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

LONG RegistryFile::EditTree(const std::function<LONG(Key &root)> &change) {
    return Locked([&] {
        generation_ = NextGeneration(); // change may remove keys
        LONG code = change(tree_->root);
        return code == ERROR_SUCCESS ? Save() : code;
    });
}

LONG RegistryFile::AppendChange(
    const std::function<LONG(const Key &root, ChangeText *change)> &describe) {
    return Locked([&]() -> LONG {
        ChangeText change;
        LONG code = describe(tree_->root, &change);
        if (code != ERROR_SUCCESS)
            return code;
        generation_ = NextGeneration(); // the change may remove keys
        vp::Regedit4Error parse;
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
    int lockFd = -1;
    std::string why;
    LONG code = LockExclusive(path_ + ".lock", &lockFd, &why);
    Fd lock(lockFd); // the lock is held until this closes, on return
    if (code != ERROR_SUCCESS)
        return Failed(code, why);
    code = Refresh();
    if (code == ERROR_SUCCESS)
        code = work();
    if (code != ERROR_SUCCESS || tree_->Overgrown())
        Forget();
    return code;
}

LONG RegistryFile::AppendToFile(std::string_view text) {
    std::string why;
    Fd file(OpenForWriting(path_, O_WRONLY | O_APPEND, &why));
    if (file.Get() < 0)
        return Failed(CodeOf(errno), "cannot save: " + why);
    const std::string framed = FramedChange(text);
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
    // Made new: one a killed writer left (or anything else by that name,
    // a link included) is removed first, under the lock.
    unlink(tmpPath.c_str());
    std::string why;
    Fd tmp(OpenForWriting(tmpPath, O_WRONLY | O_CREAT | O_EXCL, &why, 0666));
    if (tmp.Get() < 0)
        return Failed(CodeOf(errno), "cannot save: " + why);
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
