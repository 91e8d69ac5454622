// Registry names compare case-insensitively in ASCII only: bytes above 0x7f
// are compared as they are, as Windows 9x does for the ANSI code page's
// letters it does not fold. File and profile names follow the same rule.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vp {

inline char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

inline bool SameRegName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

// The name with A to Z made lower case: equal for names SameRegName matches.
inline std::string FoldedRegName(std::string_view name) {
    std::string out(name);
    for (char &c : out)
        c = FoldAscii(c);
    return out;
}

} // namespace vp
