// strtoul as the C runtime of Windows has it, where unsigned long has 32
// bits.
#pragma once

#include <cstdint>

namespace vp::winrt {

// Leading white space, then an optional sign ("-" negates the value modulo
// 2^32), then digits of base 2 to 36; base 0 takes "0x" for 16, a leading 0
// for 8, else 10, and base 16 may start with "0x". A value too big for 32 bits
// is 0xFFFFFFFF. end, when not null, gets where the digits stopped, or text
// itself when there were none.
std::uint32_t ParseUnsigned(const char *text, char **end, int base);

} // namespace vp::winrt
