#pragma once

#include "Currency.h"
#include "SerialDate.h"

#include <cstdint>

namespace Brisvane {

// An epoch value (seconds since 1970-01-01 00:00:00 UTC) to local time as a
// SerialDate, local time being UTC + offsetSecs. The offset is added while
// the value is still an exact fixed-point count of seconds; the day count is
// one double division; 25,569 is added last. The result is deliberately not
// rounded here: reading it as a calendar rounds to the nearest second.
//
// For every 32-bit epoch value and offset no step can fail. A step that
// does fail raises the overflow error instead of passing off a made-up
// date as an answer.
SerialDate Epoch2Date(Currency epochTime, std::int32_t offsetSecs);

}  // namespace Brisvane
