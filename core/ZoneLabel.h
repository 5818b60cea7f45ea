#pragma once

#include <cstdint>
#include <string>

namespace Brisvane {

// What a date or time text says of its zone, for the locales whose formats
// name it: many of glibc's long times end in the zone's abbreviation (%Z:
// Hindi, Bengali, every Arabic locale), Norwegian's in the numeric offset
// (%z). The program takes it from the one zone reading made at start-up, the
// same that gives the offset every time is converted with, so that the label
// always belongs to the time beside it.
struct ZoneLabel {
    std::string Abbreviation;        // "IST", "AEDT"; empty where the platform names none
    std::int32_t OffsetSeconds = 0;  // east of UTC
    bool Daylight = false;

    friend bool operator==(const ZoneLabel&, const ZoneLabel&) = default;
};

}  // namespace Brisvane
