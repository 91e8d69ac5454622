#include "platform/sim/registry/apply_regedit4.h"

#include <algorithm>
#include <string>

namespace sim::reg {

namespace {

class TreeSink final : public vp::Regedit4Sink {
  public:
    explicit TreeSink(Key &root) : m_root(root) {}

    std::string_view KeyLine(std::string_view path, bool remove) override {
        m_key = nullptr;
        if (!path.empty() && !ValidPath(path)) {
            if (std::count(path.begin(), path.end(), '\\') >= kMaxKeyDepth)
                return TooDeep();
            return TooLong(path) ? "key name longer than 255 characters" : "invalid key name";
        }
        std::size_t last = path.rfind('\\');
        std::string_view parentPath = last == path.npos ? std::string_view() : path.substr(0, last);
        std::string_view name = last == path.npos ? path : path.substr(last + 1);
        if (!remove) {
            m_key = path.empty() ? &m_root : &Parent(parentPath)->AddSubkey(name);
            return {};
        }
        m_parent = nullptr; // it may be in the tree going away
        if (Key *parent = FindKey(m_root, parentPath))
            parent->DeleteSubkey(name);
        return {};
    }

    std::string_view ValueLine(std::string_view name, bool remove, std::uint32_t type,
                               std::string_view data) override {
        if (remove)
            m_key->DeleteValue(name);
        else
            m_key->SetValue(name, type, data);
        return {};
    }

  private:
    static bool TooLong(std::string_view path) {
        for (std::size_t at = 0; at <= path.size();) {
            const std::size_t cut = std::min(path.find('\\', at), path.size());
            if (cut - at > kMaxKeyName)
                return true;
            at = cut + 1;
        }
        return false;
    }

    static std::string_view TooDeep() {
        static const std::string what =
            "key nested deeper than " + std::to_string(kMaxKeyDepth) + " levels";
        return what;
    }

    // The key at parentPath, created when missing. Keys of a file come in
    // runs under one parent: the last one is kept to spare walking its path.
    Key *Parent(std::string_view parentPath) {
        if (!m_parent || parentPath != m_parentPath) {
            m_parent = CreateKey(m_root, parentPath);
            m_parentPath.assign(parentPath);
        }
        return m_parent;
    }

    Key &m_root;
    Key *m_key = nullptr; // the key of the last [KEY]
    Key *m_parent = nullptr;
    std::string m_parentPath;
};

} // namespace

bool ApplyRegedit4(std::string_view text, Key &root, vp::Regedit4Error *error) {
    TreeSink sink(root);
    return vp::ReadRegedit4(text, sink, error);
}

} // namespace sim::reg
