// Whole numbers in decimal, as std::to_string writes them, by one routine
// out of line: the library's own is expanded at every call.
#pragma once

#include <concepts>
#include <string>
#include <type_traits>

namespace vp {

std::string UnsignedDecimalText(unsigned long value);
std::string SignedDecimalText(long value);

template <std::integral Number> std::string DecimalText(Number value) {
    if constexpr (std::is_signed_v<Number>)
        return SignedDecimalText(static_cast<long>(value));
    else
        return UnsignedDecimalText(static_cast<unsigned long>(value));
}

} // namespace vp
