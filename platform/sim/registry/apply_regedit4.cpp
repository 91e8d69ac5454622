#include "platform/sim/registry/apply_regedit4.h"

#include <algorithm>
#include <string>

namespace sim::reg {

namespace {

class TreeSink final : public vp::Regedit4Sink {
  public:
    explicit TreeSink(Key &root) : root_(root) {}

    std::string_view KeyLine(std::string_view path, bool remove) override {
        key_ = nullptr;
        if (!path.empty() && !ValidPath(path)) {
            if (std::count(path.begin(), path.end(), '\\') >= kMaxKeyDepth)
                return TooDeep();
            return TooLong(path) ? "key name longer than 255 characters" : "invalid key name";
        }
        std::size_t last = path.rfind('\\');
        std::string_view parentPath = last == path.npos ? std::string_view() : path.substr(0, last);
        std::string_view name = last == path.npos ? path : path.substr(last + 1);
        if (!remove) {
            key_ = path.empty() ? &root_ : &Parent(parentPath)->AddSubkey(name);
            return {};
        }
        parent_ = nullptr; // it may be in the tree going away
        if (Key *parent = FindKey(root_, parentPath))
            parent->DeleteSubkey(name);
        return {};
    }

    std::string_view ValueLine(std::string_view name, bool remove, std::uint32_t type,
                               std::string_view data) override {
        if (remove)
            key_->DeleteValue(name);
        else
            key_->SetValue(name, type, data);
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
        if (!parent_ || parentPath != parentPath_) {
            parent_ = CreateKey(root_, parentPath);
            parentPath_.assign(parentPath);
        }
        return parent_;
    }

    Key &root_;
    Key *key_ = nullptr; // the key of the last [KEY]
    Key *parent_ = nullptr;
    std::string parentPath_;
};

} // namespace

bool ApplyRegedit4(std::string_view text, Key &root, vp::Regedit4Error *error) {
    TreeSink sink(root);
    return vp::ReadRegedit4(text, sink, error);
}

} // namespace sim::reg
