// registry.reg: one REGEDIT4 file shared by every process of a machine.
//
// Readers reload it when it changed: one fstat a call of the file read
// last, which a writer's rename leaves with no link (a stat of the path
// only while there is no file). A write takes an
// exclusive flock on <file>.lock, re-reads the newest file, applies the
// change, writes <file>.tmp, fsyncs it, renames it over the file and fsyncs
// the folder, so a reader sees the old file or the new one, never a part,
// and two writers never lose each other's change.
//
// A small change may instead be appended to the file, framed by comment
// lines that carry its length and checksum (see appended_changes.h): the
// file stays one REGEDIT4 text whose later sections override the earlier
// ones, as regedit imports it. One append is one write and one fsync, whatever the file's size, so
// a run of share calls costs what it changes, not the file's size each time. Once the appended
// changes outgrow the rest, the next change writes the whole file again. A change cut short (a
// writer killed or a full disk during its write) runs past the end of the file: readers leave it
// out, and the next writer writes the whole file.
#pragma once

#include "platform/api.h"
#include "platform/sim/registry/posix_file.h"
#include "platform/sim/registry/tree.h"
#include "platform/sim/registry/writer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace sim::reg {

class RegistryFile {
  public:
    explicit RegistryFile(std::string path);
    ~RegistryFile();
    RegistryFile(const RegistryFile &) = delete;
    RegistryFile &operator=(const RegistryFile &) = delete;

    const std::string &Path() const { return m_path; }

    // The newest tree. A missing file reads as an empty one. Fails with
    // ERROR_BADDB while the file does not parse, or ERROR_ACCESS_DENIED when
    // it cannot be read. The first time a failure is met (here or in
    // a write), its LastError() text goes to stderr.
    LONG Read(const Key **root);

    // Under the lock, runs change on the newest tree and saves the result
    // when change returns 0. Any other code is returned with nothing
    // written. A file that does not parse is never overwritten (ERROR_BADDB).
    // A save that fails returns ERROR_ACCESS_DENIED or ERROR_WRITE_FAULT and
    // leaves the last good file. After any failure the change is dropped
    // from memory too: the next call reads the file again.
    LONG EditTree(const std::function<LONG(Key &root)> &change);

    // The same for a change that describe writes as REGEDIT4 text after
    // looking at the newest tree: the text is applied to the tree and
    // appended to the file (or the whole file written, see above).
    LONG AppendChange(const std::function<LONG(const Key &root, ChangeText *change)> &describe);

    // Changes whenever the tree may have changed (a read of the file, a
    // change), never to a value it had before, in this object or another:
    // a key found in the tree stays valid while it is the same.
    std::uint64_t Generation() const { return m_generation; }

    // The last read left out a change cut short at the file's end.
    bool CutChangeLeftOut() const { return m_cut; }

    // The last failure in words, e.g. "<file>:<line>: <what>".
    const std::string &LastError() const { return m_error; }

  private:
    struct Tree;

    LONG Locked(const std::function<LONG()> &work);
    LONG Refresh();
    LONG Load();
    void Forget();
    LONG Save();
    LONG AppendToFile(std::string_view text);
    LONG Failed(LONG code, const std::string &what);
    void Report();

    std::string m_path;
    std::unique_ptr<Tree> m_tree; // never null
    bool m_loaded = false;        // m_tree and m_state belong to m_stamp
    FileStamp m_stamp;
    int m_file = -1; // the file m_tree was read from, open while m_loaded
    LONG m_state = ERROR_SUCCESS;
    std::uint64_t m_generation;
    std::string m_error;
    std::string m_reported; // the last failure printed
    std::string m_text;     // the last text saved, its room kept for the next
    // The file read or written last: its whole text before the first
    // appended change, the appended changes, and whether a cut change ends it.
    std::size_t m_wholeBytes = 0, m_appendedBytes = 0;
    bool m_cut = false;
};

} // namespace sim::reg
