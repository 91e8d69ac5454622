// The digits of numbers written in base 10 or 16, both ways.
#pragma once

namespace vp {

// The digit of each value 0-15, lower case.
inline constexpr char kHexDigits[] = "0123456789abcdef";

// 0-9 and a-f or A-F as 0-15; -1 for any other character.
constexpr int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = static_cast<char>(c | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

} // namespace vp
