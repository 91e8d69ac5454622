// Seconds since 1970 from the date and time Windows tells, day by day
// against the C library of this system, leap years and centuries among them.
#include "platform/windows/runtime/civil_time.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

TEST(CivilTime, EveryDayFrom1970To2105MatchesTimegm) {
    std::tm day{};
    day.tm_year = 70;
    day.tm_mday = 1;
    for (int i = 0; i < 49670; ++i, ++day.tm_mday) {
        std::tm normal = day;
        normal.tm_hour = i % 24;
        normal.tm_min = i % 60;
        normal.tm_sec = (i * 7) % 60;
        const std::time_t expected = timegm(&normal); // normalises the date too
        const vp::winrt::CivilTime time = {
            static_cast<unsigned>(normal.tm_year + 1900), static_cast<unsigned>(normal.tm_mon + 1),
            static_cast<unsigned>(normal.tm_mday),        static_cast<unsigned>(normal.tm_hour),
            static_cast<unsigned>(normal.tm_min),         static_cast<unsigned>(normal.tm_sec)};
        ASSERT_EQ(vp::winrt::SecondsSince1970(time), static_cast<std::uint32_t>(expected))
            << time.year << "-" << time.month << "-" << time.day;
    }
}

} // namespace
