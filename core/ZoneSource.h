#pragma once

#include "ZoneOffset.h"

#include <chrono>

namespace Brisvane {

// Where the local zone comes from: the platform in the program, a fake in tests.
class ZoneSource {
public:
    virtual ~ZoneSource() = default;

    // The zone's answer for the instant `at` (the program asks about "now").
    virtual ZoneAnswer Query(std::chrono::system_clock::time_point at) const = 0;
};

// The machine's own zone. On POSIX systems: the C library's tz database,
// honouring TZ and /etc/localtime. On Windows: GetTimeZoneInformation, bound
// from kernel32.dll at first use, which only knows about the present, so
// `at` is not used there.
class SystemZoneSource final : public ZoneSource {
public:
    ZoneAnswer Query(std::chrono::system_clock::time_point at) const override;
};

}  // namespace Brisvane
