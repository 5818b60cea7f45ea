#include "Epoch2Date.h"

namespace Brisvane {

SerialDate Epoch2Date(Currency epochTime, std::int32_t offsetSecs)
{
    constexpr std::int32_t secondsPerDay = 86'400;
    const Currency local = Add(epochTime, Currency::Widen(offsetSecs));
    const double days = local.ToDouble() / secondsPerDay;
    return SerialDate::FromDouble(days + SerialDate::UnixEpochDay);
}

}  // namespace Brisvane
