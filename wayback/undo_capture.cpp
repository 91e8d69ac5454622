#include "wayback/undo_capture.h"

#include "common/card_bindings.h"
#include "common/reg_key.h"
#include "platform/framework/format_text.h"
#include "platform/quoted_text.h"
#include "platform/registry_keys.h"
#include "platform/registry_names.h"
#include "wayback/key_path.h"
#include "wayback/reg_io.h"
#include "wayback/setup_log.h"
#include "wayback/undo_file.h"
#include "wayback/whole_file.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

// Keys looked up by binary search.
class SortedKeys {
  public:
    void Add(std::string key) { m_keys.push_back(std::move(key)); }

    // After the last Add.
    void Sort() { std::sort(m_keys.begin(), m_keys.end()); }

    bool Holds(std::string_view key) const {
        return std::binary_search(m_keys.begin(), m_keys.end(), key, std::less<>());
    }

  private:
    std::vector<std::string> m_keys;
};

// What an undo file holds already: the keys it names, by folded path, and
// the key trees it deletes.
class HeldState {
  public:
    explicit HeldState(const RegText &text) {
        for (const RegSection &section : text.sections) {
            m_keys.Add(vp::FoldedRegName(section.path));
            if (section.removeKey)
                m_trees.Add(vp::FoldedRegName(section.path));
        }
        m_keys.Sort();
        m_trees.Sort();
    }

    // The file names the key at path, or deletes the tree of one of its
    // parents (which a file of the first version did with the share key).
    bool Holds(std::string_view path) const {
        const std::string folded = vp::FoldedRegName(path);
        if (m_keys.Holds(folded))
            return true;
        for (std::string_view key = folded;;) {
            if (m_trees.Holds(key))
                return true;
            const std::size_t cut = key.rfind('\\');
            if (cut == std::string_view::npos)
                return false;
            key = key.substr(0, cut);
        }
    }

  private:
    SortedKeys m_keys;
    SortedKeys m_trees;
};

// The sections that put back what the run is about to change, for what the
// undo file does not hold yet. The first key that cannot be read stops it:
// a way back with a key left out would lose that key.
class Capture {
  public:
    explicit Capture(const HeldState &held) : m_held(held) {}

    // [-path], then the key's tree as it is, if it is there: importing both
    // leaves exactly today's key, or none when the run makes it.
    void KeyTree(const std::string &path) {
        if (!Wanted(path))
            return;
        std::vector<RegSection> tree;
        if (const LONG result = ReadKeyTree(path, &tree);
            result != ERROR_FILE_NOT_FOUND && Failed(result, path))
            return;
        m_sections.push_back({path, true, {}});
        for (RegSection &section : tree)
            m_sections.push_back(std::move(section));
    }

    // Values of an existing key: each one's data, or "name"=- when it is not
    // there. A key that does not exist is left out when the setup only
    // opens it; made tells that the setup makes it, and then the key goes.
    void Values(const std::string &path, std::initializer_list<const char *> names, bool made) {
        if (!Wanted(path))
            return;
        RegSection section{path, false, {}};
        for (const char *name : names) {
            RegValueLine line;
            const LONG result = ReadValueLine(path, name, &line);
            if (result == ERROR_FILE_NOT_FOUND) {
                if (made)
                    m_sections.push_back({path, true, {}});
                return;
            }
            if (Failed(result, path))
                return;
            section.values.push_back(std::move(line));
        }
        m_sections.push_back(std::move(section));
    }

    // 0, or the error that stopped the capture and the key it befell.
    LONG Error(std::string *at) const {
        *at = m_failedAt;
        return m_error;
    }

    std::vector<RegSection> Take() { return std::move(m_sections); }

  private:
    // Not in the file yet, not captured yet, and nothing has failed.
    bool Wanted(const std::string &path) const {
        if (m_error || m_held.Holds(path))
            return false;
        for (const RegSection &section : m_sections)
            if (vp::SameRegName(section.path, path))
                return false;
        return true;
    }

    bool Failed(LONG result, const std::string &path) {
        if (result == ERROR_SUCCESS)
            return false;
        m_error = result;
        m_failedAt = path;
        return true;
    }

    const HeldState &m_held;
    std::vector<RegSection> m_sections;
    LONG m_error = ERROR_SUCCESS;
    std::string m_failedAt;
};

LONG CaptureState(const RegText &held, const UndoScope &scope, std::vector<RegSection> *out,
                  std::string *failedAt) {
    const HeldState state(held);
    Capture capture(state);
    for (const std::string &share : scope.shares)
        capture.KeyTree(KeyBelow(kShareKeyPath, share));
    for (const std::string &printer : scope.printers)
        capture.Values(KeyBelow(kPrintersKeyPath, printer), {"Attributes", "Share Name"}, false);
    ForEachCardClassKey([&capture](const char *classPath) {
        capture.Values(classPath, {"IPAddress", "IPMask"}, false);
    });
    // Windows runs RunOnce's entries whenever the key is there: a key the
    // setup makes must go again.
    capture.Values(kRunOnceKeyPath, {"InternetSW"}, true);
    *out = capture.Take();
    return capture.Error(failedAt);
}

// How to go on past an undo file that is there but cannot be read: the
// setup adds to it and never overwrites what it may hold.
const char kMendOrMove[] =
    "\n\nTo go on, mend the file, or move it out of the Windows folder and run the setup "
    "again: the setup then records a new way back, from the settings of now.";

// Tells why the undo file cannot be used, and how to go on: the setup then
// changes nothing.
bool Refuse(HWND owner, const std::string &path, const char *why, const char *howOn = "") {
    LogLine("undo-file").Text("failed: ").Quoted(path).Text(" ").Text(why);
    char text[2 * MAX_PATH + 480];
    vp::FormatText(text, sizeof text,
                   "The undo file %s %s.\n\nNothing has been changed on this computer.%s",
                   path.c_str(), why, howOn);
    MessageBoxA(owner, text, "WARNING", MB_ICONHAND);
    return false;
}

} // namespace

bool RecordUndoState(HWND owner, const UndoScope &scope) {
    const std::string path = WindowsDirectoryFile(kUndoFileName);
    char why[MAX_PATH + 128];
    std::string old;
    RegText held;
    // A missing folder is told when the file cannot be written there.
    const UndoFileState state = ReadUndoFile(path, &old, &held, why, sizeof why);
    if (state == UndoFileState::Unreadable || state == UndoFileState::Malformed)
        return Refuse(owner, path, why, kMendOrMove);
    const bool existed = state == UndoFileState::Read;

    RegText added;
    std::string failedAt;
    if (const LONG error = CaptureState(held, scope, &added.sections, &failedAt)) {
        vp::FormatText(why, sizeof why,
                       "cannot be written: the registry key %s cannot be read (error %ld)",
                       vp::VisibleText(failedAt).c_str(), static_cast<long>(error));
        return Refuse(owner, path, why);
    }
    if (added.sections.empty()) {
        LogLine("undo-file").Text("kept ").Quoted(path);
        return true;
    }
    std::string text;
    if (existed) {
        text = std::move(old);
        if (!text.empty() && text.back() != '\n' && text.back() != '\r')
            text += "\r\n";
        text += FormatRegSections(added.sections);
    } else {
        added.notes.emplace_back("Written by veltrin-sharing before it changed anything");
        if (!MachineKeyExists(kWinsock2KeyPath))
            added.notes.emplace_back(kWinsock2MissingNote);
        text = FormatRegText(added);
    }
    if (const DWORD error = ReplaceWholeFile(path, text)) {
        vp::FormatText(why, sizeof why, "cannot be written (error %lu)",
                       static_cast<unsigned long>(error));
        return Refuse(owner, path, why);
    }
    LogLine("undo-file").Text(existed ? "added to " : "written ").Quoted(path);
    return true;
}
