#include "platform/windows/runtime/unsigned_text.h"

namespace vp::winrt {

namespace {

bool WhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The digit's value in any base up to 36; 36 for what is no digit.
unsigned DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    const char lower = static_cast<char>(c | 0x20);
    if (lower >= 'a' && lower <= 'z')
        return static_cast<unsigned>(lower - 'a') + 10;
    return 36;
}

} // namespace

std::uint32_t ParseUnsigned(const char *text, char **end, int base) {
    const char *at = text;
    while (WhiteSpace(*at))
        ++at;
    const bool negative = *at == '-';
    if (*at == '-' || *at == '+')
        ++at;
    // "0x" counts as a prefix only when a hexadecimal digit follows it.
    const bool hexPrefix = at[0] == '0' && (at[1] | 0x20) == 'x' && DigitValue(at[2]) < 16;
    if ((base == 0 || base == 16) && hexPrefix) {
        at += 2;
        base = 16;
    } else if (base == 0) {
        base = *at == '0' ? 8 : 10;
    }
    if (base < 2 || base > 36) {
        if (end)
            *end = const_cast<char *>(text);
        return 0;
    }
    const char *digits = at;
    std::uint32_t value = 0;
    bool overflow = false;
    const auto radix = static_cast<unsigned>(base);
    for (unsigned digit; (digit = DigitValue(*at)) < radix; ++at) {
        overflow = overflow || value > (0xFFFFFFFFu - digit) / radix;
        value = value * radix + digit;
    }
    if (end)
        *end = const_cast<char *>(at == digits ? text : at);
    if (overflow)
        return 0xFFFFFFFFu;
    return negative ? 0u - value : value;
}

} // namespace vp::winrt
