#include "ZoneOffset.h"

#include "Error.h"

#include <string>

namespace Brisvane {
namespace {

[[noreturn]] void RaiseBiasOverflow(const ZoneAnswer& answer)
{
    std::string detail = "the time zone's bias of " + std::to_string(answer.Bias) + " minutes";
    if (answer.State == ZoneState::Daylight)
        detail += " with a daylight bias of " + std::to_string(answer.DaylightBias) + " minutes";
    RaiseOverflow(detail + " is out of range");
}

// Minutes west of UTC to seconds east, as 32-bit arithmetic that must not wrap.
std::int32_t SecondsEast(std::int32_t minutesWest, const ZoneAnswer& answer)
{
    std::int32_t seconds = 0;
    if (__builtin_mul_overflow(minutesWest, -60, &seconds))
        RaiseBiasOverflow(answer);
    return seconds;
}

}  // namespace

ZoneOffset ComputeZoneOffset(const ZoneAnswer& answer)
{
    switch (answer.State) {
    case ZoneState::NoDaylightRules:
    case ZoneState::Standard: {
        const std::int32_t seconds = SecondsEast(answer.Bias, answer);
        return ZoneOffset{seconds, -static_cast<double>(answer.Bias) / 60.0, {answer.Abbreviation, seconds, false}};
    }
    case ZoneState::Daylight: {
        std::int32_t minutesWest = 0;
        if (__builtin_add_overflow(answer.Bias, answer.DaylightBias, &minutesWest))
            RaiseBiasOverflow(answer);
        const std::int32_t seconds = SecondsEast(minutesWest, answer);
        // Negated after the division, so that Bias 60 with a one-hour daylight
        // bias gives -0.0: the number text shows that as a plain 0.
        return ZoneOffset{seconds, -(static_cast<double>(minutesWest) / 60.0), {answer.Abbreviation, seconds, true}};
    }
    case ZoneState::Failure: break;
    }
    return ZoneOffset{};
}

}  // namespace Brisvane
