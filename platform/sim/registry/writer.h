// Writes a tree as REGEDIT4 text that regedit (and ApplyRegedit4) imports
// back to the same tree.
#pragma once

#include "platform/sim/registry/tree.h"

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

// A change to the registry as REGEDIT4 text: "REGEDIT4", a blank line, then
// one section per step, in order. Applied with ApplyRegedit4, or appended to
// a registry file after its header.
class ChangeText {
  public:
    ChangeText() : m_text(kHeader) {}

    // [-path]: the key and its tree go.
    void DeleteKey(std::string_view path);
    // [path] with key's values (the key's own name is not used): the key is
    // made if missing, the values set.
    void SetValues(std::string_view path, const Key &key);
    // [path] with "name"=-.
    void DeleteValue(std::string_view path, std::string_view name);

    const std::string &Text() const { return m_text; }
    // The sections alone, without the header.
    std::string_view Sections() const { return std::string_view(m_text).substr(kHeader.size()); }

  private:
    static constexpr std::string_view kHeader = "REGEDIT4\r\n\r\n";
    std::string m_text;
};

} // namespace sim::reg
