// Reads REGEDIT4 text (the format regedit exports and imports) into a tree.
#pragma once

#include "platform/sim/registry/tree.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace sim::reg {

struct ParseError {
    std::size_t line = 0; // 1-based
    std::string what;
};

// Applies text to root: [KEY] creates the key and any missing parents,
// [-KEY] deletes a key and its tree, "name"=- deletes a value, every other
// value line sets a value. Stops at the first fault and reports it; root then
// holds the changes of the lines before it.
bool ApplyRegedit4(std::string_view text, Key &root, ParseError *error);

} // namespace sim::reg
