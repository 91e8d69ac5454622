#include "netsetup/undo_capture.h"

#include "common/reg_io.h"
#include "common/reg_key.h"
#include "common/setup_log.h"
#include "common/undo_file.h"
#include "common/whole_file.h"
#include "netsetup/card_bindings.h"
#include "platform/format_text.h"
#include "platform/registry_keys.h"
#include "platform/registry_names.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

int CompareViews(const void *a, const void *b) {
    return static_cast<const std::string_view *>(a)->compare(
        *static_cast<const std::string_view *>(b));
}

// Keys looked up by binary search. Sorted by the C runtime's qsort, on views
// of the keys: std::sort would add a sort of its own for std::string.
class SortedKeys {
  public:
    void Add(std::string key) { m_keys.push_back(std::move(key)); }

    // After the last Add.
    void Sort() {
        // Room for one more: the array qsort and bsearch get is never null,
        // which they do not take even for no keys.
        m_index.reserve(m_keys.size() + 1);
        for (const std::string &key : m_keys)
            m_index.push_back(key);
        std::qsort(m_index.data(), m_index.size(), sizeof(std::string_view), CompareViews);
    }

    bool Holds(std::string_view key) const {
        return std::bsearch(&key, m_index.data(), m_index.size(), sizeof key, CompareViews);
    }

  private:
    std::vector<std::string> m_keys;
    std::vector<std::string_view> m_index;
};

// What an undo file holds already: the key trees it deletes and the values
// it names, by folded path (and name).
class HeldState {
  public:
    explicit HeldState(const RegText &text) {
        for (const RegSection &section : text.sections) {
            if (section.removeKey)
                m_trees.Add(vp::FoldedRegName(section.path));
            for (const RegValueLine &value : section.values)
                m_values.Add(ValueKey(section.path, value.name));
        }
        m_trees.Sort();
        m_values.Sort();
    }

    // The tree at path or one of its parents is deleted by the file.
    bool HoldsTree(std::string_view path) const {
        const std::string folded = vp::FoldedRegName(path);
        for (std::string_view key = folded;;) {
            if (m_trees.Holds(key))
                return true;
            const std::size_t cut = key.rfind('\\');
            if (cut == std::string_view::npos)
                return false;
            key = key.substr(0, cut);
        }
    }

    bool HoldsValue(std::string_view path, std::string_view name) const {
        return HoldsTree(path) || m_values.Holds(ValueKey(path, name));
    }

  private:
    static std::string ValueKey(std::string_view path, std::string_view name) {
        return vp::FoldedRegName(path) + '\0' + vp::FoldedRegName(name);
    }

    SortedKeys m_trees;
    SortedKeys m_values;
};

class Capture {
  public:
    explicit Capture(const HeldState &held) : m_held(held) {}

    // [-path], then the key's tree as it is: importing both leaves exactly
    // today's tree, and no key the setup makes survives.
    void KeyTree(const char *path) {
        if (m_held.HoldsTree(path))
            return;
        m_sections.push_back({path, true, {}});
        for (RegSection &section : ReadKeyTree(path))
            m_sections.push_back(std::move(section));
    }

    // One value of an existing key: its data, or "name"=- when it is not
    // there. A key that does not exist is left out: the setup only opens it.
    void Value(const char *path, const char *name) {
        RegValueLine line;
        if (m_held.HoldsValue(path, name) || !ReadValueLine(path, name, &line))
            return;
        if (m_sections.empty() || m_sections.back().removeKey ||
            !vp::SameRegName(m_sections.back().path, path))
            m_sections.push_back({path, false, {}});
        m_sections.back().values.push_back(std::move(line));
    }

    std::vector<RegSection> Take() { return std::move(m_sections); }

  private:
    const HeldState &m_held;
    std::vector<RegSection> m_sections;
};

std::vector<RegSection> CaptureState(const RegText &held) {
    const HeldState state(held);
    Capture capture(state);
    capture.KeyTree(kShareKeyPath);
    {
        COpenKey printers;
        if (printers.Open(HKEY_LOCAL_MACHINE, kPrintersKeyPath) == ERROR_SUCCESS)
            for (const std::string &printer : SubkeyNames(printers.Get())) {
                std::string path = kPrintersKeyPath;
                path += '\\';
                path += printer;
                capture.Value(path.c_str(), "Attributes");
                capture.Value(path.c_str(), "Share Name");
            }
    }
    ForEachCardClassKey([&capture](const char *classPath) {
        capture.Value(classPath, "IPAddress");
        capture.Value(classPath, "IPMask");
    });
    capture.Value(kRunOnceKeyPath, "InternetSW");
    return capture.Take();
}

// Tells why the undo file cannot be used: the setup then changes nothing.
bool Refuse(HWND owner, const std::string &path, const char *why) {
    LogLine("undo-file").Text("failed: ").Quoted(path).Text(" ").Text(why);
    char text[MAX_PATH + 320];
    vp::FormatText(text, sizeof text,
                   "The undo file %s %s.\n\nNothing has been changed on this computer.",
                   path.c_str(), why);
    MessageBoxA(owner, text, "WARNING", MB_ICONHAND);
    return false;
}

} // namespace

bool RecordUndoState(HWND owner) {
    const std::string path = WindowsDirectoryFile(kUndoFileName);
    char why[256];
    std::string old;
    RegText held;
    // A missing folder is told when the file cannot be written there.
    const UndoFileState state = ReadUndoFile(path, &old, &held, why, sizeof why);
    if (state == UndoFileState::Unreadable || state == UndoFileState::Malformed)
        return Refuse(owner, path, why);
    const bool existed = state == UndoFileState::Read;

    RegText added;
    added.sections = CaptureState(held);
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
