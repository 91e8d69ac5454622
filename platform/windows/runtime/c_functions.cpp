// The C library's functions the programs call, under their C names, on the
// plain code beside them (which the unit tests run on Linux).
#include "platform/windows/runtime/unsigned_text.h"

#include <cstdlib>

extern "C" {

unsigned long strtoul(const char *text, char **end, int base) {
    return vp::winrt::ParseUnsigned(text, end, base);
}

} // extern "C"
