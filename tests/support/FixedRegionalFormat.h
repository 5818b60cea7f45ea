#pragma once

#include "RegionalFormat.h"

#include <cstdio>
#include <string>

// Regional formats that are the same on every machine: an ISO date, a
// 24-hour time with the zone's abbreviation where it has one, and the
// separator given, so that a test's texts do not depend on the platform's
// locale data.
class FixedRegionalFormat final : public Brisvane::RegionalFormat {
public:
    explicit FixedRegionalFormat(std::string decimalSeparator = ".") : separator_(std::move(decimalSeparator)) {}

    std::string ShortDate(const Brisvane::CalendarReading& r, const Brisvane::ZoneLabel&) const override
    {
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(r.Date.year()),
                      static_cast<unsigned>(r.Date.month()), static_cast<unsigned>(r.Date.day()));
        return text;
    }
    std::string LongTime(const Brisvane::CalendarReading& r, const Brisvane::ZoneLabel& zone) const override
    {
        char text[32];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", r.Hour, r.Minute, r.Second);
        return zone.Abbreviation.empty() ? text : text + (' ' + zone.Abbreviation);
    }
    const std::string& DecimalSeparator() const noexcept override { return separator_; }

private:
    std::string separator_;
};
