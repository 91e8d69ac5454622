// Text with its blanks cut from both ends; each reader says what a blank
// is in its format.
#pragma once

#include <string_view>

namespace vp {

template <class IsBlank> std::string_view Trimmed(std::string_view s, IsBlank isBlank) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace vp
