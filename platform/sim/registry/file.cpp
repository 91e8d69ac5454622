#include "platform/sim/registry/file.h"

#include "platform/sim/host/host_file.h"
#include "platform/sim/host/page_memory.h"
#include "platform/sim/registry/appended_changes.h"
#include "platform/sim/registry/apply_regedit4.h"
#include "platform/sim/registry/file_lock.h"
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
    : m_path(std::move(path)), m_tree(std::make_unique<Tree>(0)), m_generation(NextGeneration()) {}

RegistryFile::~RegistryFile() {
    Forget();
}

LONG RegistryFile::Failed(LONG code, const std::string &what) {
    m_error = m_path + ": " + what;
    Report();
    return code;
}

// A registry that cannot be read or saved needs a person: the first time a
// fault is met, it goes to stderr.
void RegistryFile::Report() {
    if (m_error != m_reported) {
        std::fprintf(stderr, "%s\n", m_error.c_str());
        m_reported = m_error;
    }
}

// Drops what was read: the next call reads the file again.
void RegistryFile::Forget() {
    if (m_file >= 0)
        close(m_file);
    m_file = -1;
    m_loaded = false;
}

LONG RegistryFile::Read(const Key **root) {
    LONG code = Refresh();
    if (code == ERROR_SUCCESS)
        *root = &m_tree->root;
    return code;
}

LONG RegistryFile::Refresh() {
    struct stat st;
    if (m_loaded && m_file >= 0) {
        // Replaced by a writer's rename (or removed), the file read has no
        // link left; edited in place, it has a new stamp.
        if (fstat(m_file, &st) == 0 && st.st_nlink > 0 && StampOf(st) == m_stamp)
            return m_state;
    } else if (m_loaded && stat(m_path.c_str(), &st) != 0 && errno == ENOENT) {
        return m_state; // still no file
    }
    return Load();
}

LONG RegistryFile::Load() {
    Forget();
    m_generation = NextGeneration();
    // A registry.reg that is a link is refused, not followed: a writer
    // renames its new file over the name, so the link would be replaced by a
    // plain file and the file it named left with part of the history.
    std::string why;
    struct stat st;
    Fd file(OpenRegularFile(m_path, kRegistryFileLimit, false, &why, &st));
    if (file.Get() < 0) {
        if (errno != ENOENT)
            return Failed(ERROR_ACCESS_DENIED, why);
        m_tree = std::make_unique<Tree>(0); // a machine without a registry yet: an empty one
        m_stamp = FileStamp();
        m_wholeBytes = m_appendedBytes = 0;
        m_cut = false;
        m_state = ERROR_SUCCESS;
        m_loaded = true;
        return m_state;
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
    m_cut = appended.cutAt != std::string_view::npos;
    if (m_cut)
        text = text.substr(0, appended.cutAt + 2); // up to the line end before the cut change
    m_wholeBytes = appended.start;
    m_appendedBytes = text.size() - std::min(appended.start, text.size());
    auto fresh = std::make_unique<Tree>(size);
    vp::Regedit4Error parse;
    if (ApplyRegedit4(text, fresh->root, &parse)) {
        fresh->takenByRead = fresh->pages.Taken();
        m_tree = std::move(fresh);
        m_state = ERROR_SUCCESS;
    } else {
        m_tree = std::make_unique<Tree>(0);
        m_state = ERROR_BADDB;
        m_error = m_path + ":" + std::to_string(parse.line) + ": " + parse.what;
        Report();
    }
    m_stamp = StampOf(st);
    m_file = file.Release();
    m_loaded = true;
    return m_state;
}

LONG RegistryFile::EditTree(const std::function<LONG(Key &root)> &change) {
    return Locked([&] {
        m_generation = NextGeneration(); // change may remove keys
        LONG code = change(m_tree->root);
        return code == ERROR_SUCCESS ? Save() : code;
    });
}

LONG RegistryFile::AppendChange(
    const std::function<LONG(const Key &root, ChangeText *change)> &describe) {
    return Locked([&]() -> LONG {
        ChangeText change;
        LONG code = describe(m_tree->root, &change);
        if (code != ERROR_SUCCESS)
            return code;
        m_generation = NextGeneration(); // the change may remove keys
        vp::Regedit4Error parse;
        if (!ApplyRegedit4(change.Text(), m_tree->root, &parse))
            return Failed(ERROR_INVALID_PARAMETER, "a change that does not read: line " +
                                                       std::to_string(parse.line) + ": " +
                                                       parse.what);
        std::string_view text = change.Sections(); // the header is the file's own
        if (text.empty())
            return ERROR_SUCCESS;
        std::size_t limit = std::max(m_wholeBytes, kLeastAppendedBytes);
        if (m_cut || !m_stamp.exists || m_appendedBytes + text.size() > limit)
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
    LONG code = LockExclusive(m_path + ".lock", &lockFd, &why);
    Fd lock(lockFd); // the lock is held until this closes, on return
    if (code != ERROR_SUCCESS)
        return Failed(code, why);
    code = Refresh();
    if (code == ERROR_SUCCESS)
        code = work();
    if (code != ERROR_SUCCESS || m_tree->Overgrown())
        Forget();
    return code;
}

LONG RegistryFile::AppendToFile(std::string_view text) {
    std::string why;
    Fd file(OpenForWriting(m_path, O_WRONLY | O_APPEND, &why));
    if (file.Get() < 0)
        return Failed(CodeOf(errno), "cannot save: " + why);
    const std::string framed = FramedChange(text);
    if (!WriteAll(file.Get(), framed) || fsync(file.Get()) != 0 || !file.Close()) {
        int error = errno;
        // Back to the last good length; should that fail too, readers leave
        // the cut change out and the next writer writes the whole file.
        [[maybe_unused]] int undone = truncate(m_path.c_str(), static_cast<off_t>(m_stamp.size));
        return Failed(CodeOf(error), std::string("cannot save: ") + std::strerror(error));
    }
    struct stat st;
    if (m_file < 0 || fstat(m_file, &st) != 0) {
        Forget(); // saved, but not watchable: read it again next time
        return ERROR_SUCCESS;
    }
    m_stamp = StampOf(st);
    m_appendedBytes += framed.size();
    return ERROR_SUCCESS;
}

LONG RegistryFile::Save() {
    WriteRegedit4(m_tree->root, "", &m_text);
    std::string tmpPath = m_path + ".tmp";
    // Made new: one a killed writer left (or anything else by that name,
    // a link included) is removed first, under the lock.
    unlink(tmpPath.c_str());
    std::string why;
    Fd tmp(OpenForWriting(tmpPath, O_WRONLY | O_CREAT | O_EXCL, &why, 0666));
    if (tmp.Get() < 0)
        return Failed(CodeOf(errno), "cannot save: " + why);
    if (!WriteAll(tmp.Get(), m_text) || fsync(tmp.Get()) != 0 || !tmp.Close() ||
        rename(tmpPath.c_str(), m_path.c_str()) != 0) {
        int error = errno;
        unlink(tmpPath.c_str());
        return Failed(CodeOf(error), std::string("cannot save: ") + std::strerror(error));
    }
    SyncFolder(m_path);
    // m_tree is what the file now holds; watch the new file from here on.
    Fd saved(open(m_path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (saved.Get() < 0 || fstat(saved.Get(), &st) != 0) {
        Forget(); // saved, but not watchable: read it again next time
        return ERROR_SUCCESS;
    }
    if (m_file >= 0)
        close(m_file);
    m_file = saved.Release();
    m_stamp = StampOf(st);
    m_state = ERROR_SUCCESS;
    m_wholeBytes = m_text.size();
    m_appendedBytes = 0;
    m_cut = false;
    return ERROR_SUCCESS;
}

} // namespace sim::reg
