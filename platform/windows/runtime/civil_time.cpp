#include "platform/windows/runtime/civil_time.h"

namespace vp::winrt {

std::uint32_t SecondsSince1970(const CivilTime &time) {
    // Years counted from 1 March 1600, so that a leap day ends its year and
    // the Gregorian rules repeat every 400 years from the start.
    const bool early = time.month <= 2;
    const std::uint32_t years = time.year - 1600 - (early ? 1 : 0);
    const std::uint32_t dayOfYear =
        (153 * (early ? time.month + 9 : time.month - 3) + 2) / 5 + time.day - 1;
    const std::uint32_t days = years * 365 + years / 4 - years / 100 + years / 400 + dayOfYear;
    // 1 March 1600 is day 0: 1 January 1970 is day 135080.
    const std::uint32_t sinceEpoch = days - 135080;
    return sinceEpoch * 86400 + time.hour * 3600 + time.minute * 60 + time.second;
}

} // namespace vp::winrt
