// Writes a tree as REGEDIT4 text that regedit (and ApplyRegedit4) imports
// back to the same tree.
#pragma once

#include "platform/sim/registry_tree.h"

#include <string>
#include <string_view>

namespace sim::reg {

// "REGEDIT4", a blank line, then key (whose path under the root, in stored
// case, is path; "" for the root) and each key below it: its [path] line,
// its values, a blank line. CRLF line ends. Keys without values are written
// too, so empty keys survive; the root's line only when it holds values.
std::string WriteRegedit4(const Key &key, std::string_view path);
// The same into *out, replacing what it held: a buffer kept from one write to
// the next spares growing it (and faulting in its pages) each time.
void WriteRegedit4(const Key &key, std::string_view path, std::string *out);

} // namespace sim::reg
