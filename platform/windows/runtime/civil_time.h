// The C runtime's time: seconds since 1 January 1970, UTC, from the date and
// time of day Windows tells (GetSystemTime).
#pragma once

#include <cstdint>

namespace vp::winrt {

struct CivilTime {
    unsigned year, month, day; // month 1 to 12
    unsigned hour, minute, second;
};

// For 1970 to 2105 (after that 32 bits do not hold the seconds).
std::uint32_t SecondsSince1970(const CivilTime &time);

} // namespace vp::winrt
