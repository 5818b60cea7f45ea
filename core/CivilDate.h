#pragma once

#include <cstdint>

namespace Brisvane {

// A date in the proleptic Gregorian calendar.
struct CivilDate {
    std::int32_t Year = 1970;
    std::int32_t Month = 1;  // 1..12
    std::int32_t Day = 1;    // 1..31

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Days since 1970-01-01 to a date, and back. Exact integer arithmetic over
// +/- 5.8 million years, with no dependence on time_t or the time zone.
//
// The calendar repeats every 400 years (146,097 days). Shifting the epoch to
// 0000-03-01 puts the leap day at the very end of each "year", so that the
// day of the year maps to the month with one linear formula: the month
// lengths from March on run 31,30,31,30,31 and repeat, which
// (153 * month + 2) / 5 reproduces.
constexpr CivilDate CivilFromDays(std::int32_t days) noexcept
{
    const std::int32_t z = days + 719'468;                          // days since 0000-03-01
    const std::int32_t era = (z >= 0 ? z : z - 146'096) / 146'097;  // floor division
    const std::int32_t dayOfEra = z - era * 146'097;                // [0, 146096]
    // [0, 399]
    const std::int32_t yearOfEra = (dayOfEra - dayOfEra / 1'460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // [0, 365]
    const std::int32_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // [0, 11], March is 0
    const std::int32_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const std::int32_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int32_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate{year, month, day};
}

constexpr std::int32_t DaysFromCivil(CivilDate date) noexcept
{
    const std::int32_t year = date.Year - (date.Month <= 2 ? 1 : 0);
    const std::int32_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int32_t yearOfEra = year - era * 400;
    const std::int32_t shiftedMonth = date.Month > 2 ? date.Month - 3 : date.Month + 9;
    const std::int32_t dayOfYear = (153 * shiftedMonth + 2) / 5 + date.Day - 1;
    const std::int32_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + dayOfEra - 719'468;
}

// 0 is Sunday. 1970-01-01 was a Thursday.
constexpr std::int32_t WeekdayFromDays(std::int32_t days) noexcept
{
    return days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6;
}

static_assert(CivilFromDays(0) == CivilDate{1970, 1, 1});
static_assert(CivilFromDays(-25'569) == CivilDate{1899, 12, 30});
static_assert(DaysFromCivil(CivilDate{2000, 3, 1}) == 11'017);
static_assert(WeekdayFromDays(0) == 4 && WeekdayFromDays(-5) == 6 && WeekdayFromDays(-4) == 0);

}  // namespace Brisvane
