#include "wayback/undo_file.h"

#include "platform/framework/format_text.h"
#include "platform/registry_keys.h"
#include "platform/registry_names.h"
#include "wayback/key_path.h"
#include "wayback/whole_file.h"

#include <initializer_list>
#include <optional>

namespace {

// path is parent itself, or a key below it.
bool AtOrBelow(std::string_view path, std::string_view parent) {
    return path.size() >= parent.size() && vp::SameRegName(path.substr(0, parent.size()), parent) &&
           (path.size() == parent.size() || path[parent.size()] == '\\');
}

bool OneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (const std::string_view each : names)
        if (vp::SameRegName(name, each))
            return true;
    return false;
}

constexpr char kNotRecorded[] = "not an entry the setup records";

// The kinds of entry the setup writes: the share key and its shares, the
// printers' "Attributes" and "Share Name", the card's class keys' address
// and mask, RunOnce's "InternetSW" or the whole RunOnce key the setup made.
class UndoEntries final : public RegLineCheck {
  public:
    explicit UndoEntries(const std::vector<std::string> &cardClassKeys)
        : m_classKeys(cardClassKeys) {}

    std::string_view Key(std::string_view path, bool remove) override {
        const bool taken =
            AtOrBelow(path, kShareKeyPath) || vp::SameRegName(path, kRunOnceKeyPath) ||
            (!remove && (!ChildKeyName(path, kPrintersKeyPath).empty() || IsClassKey(path)));
        return taken ? std::string_view() : kNotRecorded;
    }

    std::string_view Value(std::string_view path, std::string_view name) override {
        bool taken = AtOrBelow(path, kShareKeyPath);
        if (!ChildKeyName(path, kPrintersKeyPath).empty())
            taken = OneOf(name, {"Attributes", "Share Name"});
        else if (IsClassKey(path))
            taken = OneOf(name, {"IPAddress", "IPMask"});
        else if (vp::SameRegName(path, kRunOnceKeyPath))
            taken = vp::SameRegName(name, "InternetSW");
        return taken ? std::string_view() : kNotRecorded;
    }

  private:
    bool IsClassKey(std::string_view path) const {
        for (const std::string &key : m_classKeys)
            if (vp::SameRegName(path, key))
                return true;
        return false;
    }

    const std::vector<std::string> &m_classKeys;
};

} // namespace

UndoFileState ReadUndoFile(const std::string &path, std::string *text, RegText *parsed, char *why,
                           std::size_t whySize, const std::vector<std::string> *cardClassKeys) {
    if (const DWORD error = ReadWholeFile(path, kUndoFileLimit, text)) {
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return UndoFileState::Missing;
        if (error == ERROR_FILE_TOO_LARGE)
            vp::FormatText(why, whySize, "cannot be read: it is larger than %lu bytes",
                           static_cast<unsigned long>(kUndoFileLimit));
        else
            vp::FormatText(why, whySize, "cannot be read (error %lu)",
                           static_cast<unsigned long>(error));
        return UndoFileState::Unreadable;
    }
    vp::Regedit4Error parseError;
    std::optional<UndoEntries> entries;
    if (cardClassKeys)
        entries.emplace(*cardClassKeys);
    if (!ParseRegText(*text, parsed, &parseError, entries ? &*entries : nullptr)) {
        vp::FormatText(why, whySize, "cannot be read: line %u, %s",
                       static_cast<unsigned>(parseError.line), parseError.what.c_str());
        return UndoFileState::Malformed;
    }
    return UndoFileState::Read;
}
