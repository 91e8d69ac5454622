// Registry names compare case-insensitively in ASCII only: bytes above 0x7f
// are compared as they are, as Windows 9x does for the ANSI code page's
// letters it does not fold.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sim::reg {

inline char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool NamesEqual(std::string_view a, std::string_view b);

struct NameHash {
    std::size_t operator()(std::string_view name) const;
};
struct NameEqual {
    bool operator()(std::string_view a, std::string_view b) const { return NamesEqual(a, b); }
};

// Items (each with a `name` member) kept in creation order, found by name in
// O(1). Removal leaves a hole that the next positional access closes, so a
// run of removals costs one compaction, not one shift each.
template <class T> class NamedList {
  public:
    std::size_t Size() const { return items_.size() - holes_; }

    // The i-th item in creation order; i < Size().
    T &At(std::size_t i) const {
        Compact();
        return *items_[i];
    }

    T *Find(std::string_view name) const {
        auto it = index_.find(name);
        return it == index_.end() ? nullptr : items_[it->second].get();
    }

    // The caller makes sure no item of that name exists.
    T &Add(std::unique_ptr<T> item) {
        T &added = *item;
        index_.emplace(std::string_view(added.name), items_.size());
        items_.push_back(std::move(item));
        return added;
    }

    bool Remove(std::string_view name) {
        auto it = index_.find(name);
        if (it == index_.end())
            return false;
        std::size_t at = it->second;
        index_.erase(it);
        items_[at].reset();
        ++holes_;
        return true;
    }

  private:
    void Compact() const {
        if (holes_ == 0)
            return;
        std::size_t kept = 0;
        for (auto &item : items_) {
            if (!item)
                continue;
            index_[item->name] = kept;
            items_[kept++] = std::move(item);
        }
        items_.resize(kept);
        holes_ = 0;
    }

    // The index's keys view the items' own names, which never move: each
    // item lives in its own allocation.
    mutable std::vector<std::unique_ptr<T>> items_;
    mutable std::unordered_map<std::string_view, std::size_t, NameHash, NameEqual> index_;
    mutable std::size_t holes_ = 0;
};

} // namespace sim::reg
