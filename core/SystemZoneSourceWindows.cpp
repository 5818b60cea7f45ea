#include "ZoneSource.h"

#include "BoundFunctionWindows.h"

#include <windows.h>

#include <cstring>

namespace Brisvane {
namespace {

using GetTimeZoneInformationFunction = decltype(&::GetTimeZoneInformation);

// Bound by name at first use rather than through the import table; the
// lookup is done once and kept for the life of the process. Every process
// has kernel32 loaded, so there is nothing to load or release.
GetTimeZoneInformationFunction BoundGetTimeZoneInformation()
{
    static const auto function =
        BoundFunction<GetTimeZoneInformationFunction>(::GetModuleHandleW(L"kernel32.dll"), "GetTimeZoneInformation");
    return function;
}

}  // namespace

ZoneAnswer SystemZoneSource::Query(std::chrono::system_clock::time_point) const
{
    const GetTimeZoneInformationFunction getTimeZoneInformation = BoundGetTimeZoneInformation();
    if (getTimeZoneInformation == nullptr)
        return ZoneAnswer{};

    TIME_ZONE_INFORMATION information;
    std::memset(&information, 0, sizeof information);
    ZoneAnswer answer;
    switch (getTimeZoneInformation(&information)) {
    case TIME_ZONE_ID_UNKNOWN: answer.State = ZoneState::NoDaylightRules; break;
    case TIME_ZONE_ID_STANDARD: answer.State = ZoneState::Standard; break;
    case TIME_ZONE_ID_DAYLIGHT: answer.State = ZoneState::Daylight; break;
    default: return ZoneAnswer{};
    }
    answer.Bias = information.Bias;
    answer.DaylightBias = information.DaylightBias;
    return answer;
}

}  // namespace Brisvane
