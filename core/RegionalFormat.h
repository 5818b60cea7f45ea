#pragma once

#include "SerialDate.h"
#include "ZoneLabel.h"

#include <memory>
#include <string>

namespace Brisvane {

// The user's regional settings, as far as the program uses them: the short
// date, the long time and the decimal separator, all as UTF-8. A format that
// names the zone names `zone`, the zone of the reading. Each platform
// has its own source (RegionalFormatPosix.cpp, RegionalFormatWindows.cpp);
// tests may supply a fixed one.
class RegionalFormat {
public:
    virtual ~RegionalFormat() = default;

    // The date of `reading` in the short date format.
    virtual std::string ShortDate(const CalendarReading& reading, const ZoneLabel& zone) const = 0;
    // The time of day of `reading` in the long time format.
    virtual std::string LongTime(const CalendarReading& reading, const ZoneLabel& zone) const = 0;
    virtual const std::string& DecimalSeparator() const noexcept = 0;
};

// The formats of the user's locale. On POSIX systems that is the locale the
// environment names (LC_ALL, LC_TIME, LC_NUMERIC, LANG); one that is named
// but not installed falls back to "C" rather than stopping the program. On
// Windows it is the user's default locale.
std::unique_ptr<const RegionalFormat> UserRegionalFormat();

// The formats of a locale named the platform's way ("de_DE.UTF-8" on POSIX
// systems, "de-DE" on Windows), or null where the platform does not have it.
std::unique_ptr<const RegionalFormat> NamedRegionalFormat(const std::string& name);

}  // namespace Brisvane
