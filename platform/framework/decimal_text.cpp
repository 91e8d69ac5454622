#include "platform/framework/decimal_text.h"

namespace vp {

namespace {

std::string Digits(unsigned long magnitude, bool negative) {
    char text[2 + 3 * sizeof magnitude];
    char *const end = text + sizeof text;
    char *start = end;
    do {
        *--start = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (negative)
        *--start = '-';
    return std::string(start, end);
}

} // namespace

std::string UnsignedDecimalText(unsigned long value) {
    return Digits(value, false);
}

std::string SignedDecimalText(long value) {
    // The magnitude taken unsigned, so that the most negative value has one.
    const unsigned long magnitude =
        value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    return Digits(magnitude, value < 0);
}

} // namespace vp
