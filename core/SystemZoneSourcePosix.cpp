#include "ZoneSource.h"

#include <cmath>
#include <ctime>
#include <string>

namespace Brisvane {
namespace {

// Seconds east of UTC to whole minutes west, rounded to nearest: a few
// historical zones (local mean time) are not whole minutes.
std::int32_t MinutesWest(long secondsEast)
{
    return static_cast<std::int32_t>(-std::lround(static_cast<double>(secondsEast) / 60.0));
}

}  // namespace

ZoneAnswer SystemZoneSource::Query(std::chrono::system_clock::time_point at) const
{
    // tzset reads TZ (or /etc/localtime) afresh and sets `timezone` and
    // `daylight`; an unknown or unreadable zone leaves the C library on UTC.
    ::tzset();
    // A 32-bit time_t (Debian 12's armhf; Debian 13's is 64-bit) holds `at`, the moment the program
    // starts, until 2038, and every epoch value Brisvane accepts (up to
    // 2,147,483,647) for good.
    const std::time_t when = std::chrono::system_clock::to_time_t(at);
    std::tm local{};
    if (::localtime_r(&when, &local) == nullptr)
        return ZoneAnswer{};

    // The biases are derived from the offset actually in force, so that
    // whatever the zone's history, the answer reproduces it exactly.
    const std::int32_t inForce = MinutesWest(local.tm_gmtoff);
    std::string abbreviation = local.tm_zone ? local.tm_zone : "";
    if (local.tm_isdst > 0) {
        const std::int32_t standard = MinutesWest(-::timezone);  // `timezone` is seconds west
        return ZoneAnswer{ZoneState::Daylight, standard, inForce - standard, std::move(abbreviation)};
    }
    return ZoneAnswer{::daylight == 0 ? ZoneState::NoDaylightRules : ZoneState::Standard, inForce, 0,
                      std::move(abbreviation)};
}

}  // namespace Brisvane
