#pragma once

#include "ZoneLabel.h"

#include <cstdint>
#include <optional>
#include <string>

namespace Brisvane {

// Which of a zone's times is in force, as the platform answers it.
enum class ZoneState {
    NoDaylightRules,  // the zone never changes its clocks
    Standard,
    Daylight,
    Failure,  // the platform could not tell
};

// The platform's answer about the local zone, in minutes, signed the way
// Windows signs them: UTC = local standard time + Bias, and in daylight time
// UTC = local time + Bias + DaylightBias. DaylightBias is read only in
// daylight time.
struct ZoneAnswer {
    ZoneState State = ZoneState::Failure;
    std::int32_t Bias = 0;
    std::int32_t DaylightBias = 0;
    // The abbreviation of the time in force ("IST", "EDT"); empty where the
    // platform gives none.
    std::string Abbreviation;

    friend bool operator==(const ZoneAnswer&, const ZoneAnswer&) = default;
};

// How far local time is ahead of UTC, in seconds and in hours; both empty
// when the platform failed (the caller then counts 0 and shows nothing).
// Label is how a time converted with this offset names its zone; after a
// failure that time is UTC's, and it says so.
struct ZoneOffset {
    std::optional<std::int32_t> Seconds;
    std::optional<double> Hours;
    ZoneLabel Label{"UTC", 0, false};
};

// The offset in force according to `answer`. A zone without daylight-saving
// rules is in standard time all year, so it gets -Bias like standard time;
// daylight time uses the zone's own daylight bias, which is not an hour
// everywhere (Lord Howe Island shifts by 30 minutes, Dublin's "daylight"
// time is its winter). The seconds are worked out, with their 32-bit
// overflow checks, before the hours: an overflow raises the error and gives
// neither.
ZoneOffset ComputeZoneOffset(const ZoneAnswer& answer);

}  // namespace Brisvane
