// Registry names, compared as platform/registry_names.h says, found fast.
#pragma once

#include "platform/registry_names.h"

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <string_view>
#include <utility>
#include <vector>

namespace sim::reg {

std::uint32_t NameHash(std::string_view name);

// Items (each with a `name` member) kept in creation order and found by name
// in O(1): a short list is searched in place, a longer one through an
// open-addressing table of positions. Removal leaves a hole that the next
// positional access closes, so a run of removals costs one compaction.
// The items and the list's own arrays come from the allocator's memory
// resource (a tree read from a file has one of its own), passed on to the
// items: T's constructor takes it last.
template <class T> class NamedList {
  public:
    using allocator_type = std::pmr::polymorphic_allocator<>;

    explicit NamedList(const allocator_type &alloc = {}) : m_items(alloc), m_table(alloc) {}
    ~NamedList() {
        for (T *item : m_items)
            if (item)
                Allocator().delete_object(item);
    }
    NamedList(NamedList &&other) noexcept
        : m_items(std::move(other.m_items)), m_table(std::move(other.m_table)),
          m_holes(std::exchange(other.m_holes, 0)) {
        other.m_items.clear();
        other.m_table.clear();
    }
    NamedList(const NamedList &) = delete;
    NamedList &operator=(const NamedList &) = delete;
    NamedList &operator=(NamedList &&) = delete;

    std::size_t Size() const { return m_items.size() - m_holes; }

    // The i-th item in creation order; i < Size().
    T &At(std::size_t i) const {
        if (m_holes)
            Rebuild();
        return *m_items[i];
    }

    T *Find(std::string_view name) const {
        if (m_table.empty()) {
            for (T *item : m_items)
                if (vp::SameRegName(item->name, name))
                    return item;
            return nullptr;
        }
        const Slot *slot = Probe(name);
        return slot ? m_items[slot->position - 1] : nullptr;
    }

    // Makes the item T(name, args..., allocator); the caller makes sure no
    // item of that name exists.
    template <class... Args> T &Add(std::string_view name, Args &&...args) {
        T *added = Allocator().template new_object<T>(name, std::forward<Args>(args)...);
        if (m_items.empty())
            m_items.reserve(4); // most keys hold a few values: spare the first regrowths
        m_items.push_back(added);
        if (m_table.empty() ? m_items.size() > kShort : m_items.size() * 2 > m_table.size())
            Rebuild();
        else if (!m_table.empty())
            Place(m_items.size() - 1);
        return *added;
    }

    bool Remove(std::string_view name) {
        if (m_table.empty()) {
            for (auto it = m_items.begin(); it != m_items.end(); ++it)
                if (vp::SameRegName((*it)->name, name)) {
                    Allocator().delete_object(*it);
                    m_items.erase(it);
                    return true;
                }
            return false;
        }
        // The slot stays and leads to a hole, which no name matches.
        const Slot *slot = Probe(name);
        if (!slot)
            return false;
        T *&item = m_items[slot->position - 1];
        Allocator().delete_object(item);
        item = nullptr;
        ++m_holes;
        return true;
    }

  private:
    static constexpr std::size_t kShort = 8;

    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t position = 0; // index + 1; 0 is a free slot
    };

    allocator_type Allocator() const { return m_items.get_allocator(); }

    // The slot of the live item called name, or null.
    const Slot *Probe(std::string_view name) const {
        std::uint32_t hash = NameHash(name);
        for (std::size_t i = hash & (m_table.size() - 1);; i = (i + 1) & (m_table.size() - 1)) {
            const Slot &slot = m_table[i];
            if (slot.position == 0)
                return nullptr;
            const T *item = m_items[slot.position - 1];
            if (slot.hash == hash && item && vp::SameRegName(item->name, name))
                return &slot;
        }
    }

    void Place(std::size_t index) const {
        std::uint32_t hash = NameHash(m_items[index]->name);
        std::size_t i = hash & (m_table.size() - 1);
        while (m_table[i].position != 0)
            i = (i + 1) & (m_table.size() - 1);
        m_table[i] = {hash, static_cast<std::uint32_t>(index + 1)};
    }

    // Closes the holes and sizes the table for the items (none when short).
    void Rebuild() const {
        std::size_t kept = 0;
        for (T *item : m_items)
            if (item)
                m_items[kept++] = item;
        m_items.resize(kept);
        m_holes = 0;
        m_table.clear();
        if (kept <= kShort)
            return;
        std::size_t size = 16;
        while (size < kept * 4)
            size *= 2;
        m_table.resize(size);
        for (std::size_t i = 0; i < kept; ++i)
            Place(i);
    }

    mutable std::pmr::vector<T *> m_items;
    mutable std::pmr::vector<Slot> m_table; // a power of two in size, at most half full
    mutable std::size_t m_holes = 0;
};

} // namespace sim::reg
