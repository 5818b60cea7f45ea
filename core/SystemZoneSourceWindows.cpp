#include "ZoneSource.h"

#include <windows.h>

#include <cstring>

namespace Brisvane {
namespace {

using GetTimeZoneInformationFunction = decltype(&::GetTimeZoneInformation);

// A function of a loaded module, looked up by name, as the pointer type the
// caller names; null where the module lacks it. GetProcAddress hands back
// every function as the same generic pointer type.
template <typename Function>
Function BoundFunction(HMODULE module, const char* name)
{
    static_assert(sizeof(Function) == sizeof(FARPROC));
    const FARPROC address = ::GetProcAddress(module, name);
    Function function = nullptr;
    std::memcpy(&function, &address, sizeof function);
    return function;
}

// Bound by name at first use rather than through the import table; the
// lookup is done once and kept for the life of the process. Every process
// has kernel32 loaded, so there is nothing to load or release.
GetTimeZoneInformationFunction BoundGetTimeZoneInformation()
{
    static const GetTimeZoneInformationFunction function = [] {
        const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
        return kernel ? BoundFunction<GetTimeZoneInformationFunction>(kernel, "GetTimeZoneInformation") : nullptr;
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
