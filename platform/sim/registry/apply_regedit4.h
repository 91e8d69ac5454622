// Applies REGEDIT4 text (the format regedit exports and imports) to a tree.
#pragma once

#include "platform/regedit4/reader.h"
#include "platform/sim/registry/tree.h"

#include <string_view>

namespace sim::reg {

// Applies text to root: [KEY] creates the key and any missing parents,
// [-KEY] deletes a key and its tree, "name"=- deletes a value, every other
// value line sets a value. Stops at the first fault and reports it; root then
// holds the changes of the lines before it.
bool ApplyRegedit4(std::string_view text, Key &root, vp::Regedit4Error *error);

} // namespace sim::reg
