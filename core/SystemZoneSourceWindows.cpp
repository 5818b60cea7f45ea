#include "ZoneSource.h"

#include <windows.h>

#include <cstring>

namespace Brisvane {
namespace {

using GetTimeZoneInformationFunction = DWORD(WINAPI*)(LPTIME_ZONE_INFORMATION);

// Bound by name at first use rather than through the import table; the
// lookup is done once and kept for the life of the process.
GetTimeZoneInformationFunction BoundGetTimeZoneInformation()
{
    static const GetTimeZoneInformationFunction function = [] {
        const HMODULE kernel = ::LoadLibraryW(L"kernel32.dll");
        if (kernel == nullptr)
            return GetTimeZoneInformationFunction{};
        const FARPROC address = ::GetProcAddress(kernel, "GetTimeZoneInformation");
        return reinterpret_cast<GetTimeZoneInformationFunction>(reinterpret_cast<void*>(address));
    }();
    return function;
}

}  // namespace

ZoneAnswer SystemZoneSource::Query(std::chrono::system_clock::time_point) const
{
    const GetTimeZoneInformationFunction getTimeZoneInformation = BoundGetTimeZoneInformation();
    if (getTimeZoneInformation == nullptr)
        return ZoneAnswer{ZoneState::Failure, 0, 0};

    TIME_ZONE_INFORMATION information;
    std::memset(&information, 0, sizeof information);
    ZoneAnswer answer;
    switch (getTimeZoneInformation(&information)) {
    case TIME_ZONE_ID_UNKNOWN: answer.State = ZoneState::NoDaylightRules; break;
    case TIME_ZONE_ID_STANDARD: answer.State = ZoneState::Standard; break;
    case TIME_ZONE_ID_DAYLIGHT: answer.State = ZoneState::Daylight; break;
    default: return ZoneAnswer{ZoneState::Failure, 0, 0};
    }
    answer.Bias = information.Bias;
    answer.DaylightBias = information.DaylightBias;
    return answer;
}

}  // namespace Brisvane
