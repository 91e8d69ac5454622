// Key paths as the way back writes and reads them: names joined by '\',
// compared without case.
#pragma once

#include "platform/registry_names.h"

#include <string>
#include <string_view>

// The path of the key `name` below parent; the name alone below the root.
inline std::string KeyBelow(std::string_view parent, std::string_view name) {
    std::string path(parent);
    if (!path.empty())
        path += '\\';
    path += name;
    return path;
}

// The name of the key one level below parent that path names; empty when
// path is not one level below it.
inline std::string_view ChildKeyName(std::string_view path, std::string_view parent) {
    if (path.size() <= parent.size() + 1 || path[parent.size()] != '\\' ||
        !vp::SameRegName(path.substr(0, parent.size()), parent))
        return {};
    const std::string_view name = path.substr(parent.size() + 1);
    return name.find('\\') == std::string_view::npos ? name : std::string_view();
}
