#pragma once

#include <chrono>
#include <cstdint>

namespace Brisvane {

// A date and time as one double: whole days since 1899-12-30 (day 0), the
// fraction the time of day (0.5 is noon). 25,569 is 1970-01-01.
class SerialDate {
public:
    static constexpr double Lowest = -657'435.0;    // exclusive: 0100-01-01 is the first valid day
    static constexpr double Highest = 2'958'466.0;  // exclusive: 9999-12-31 is the last valid day
    static constexpr double UnixEpochDay = 25'569.0;

    // The range check: a value not strictly inside (Lowest, Highest), or NaN,
    // raises the overflow error.
    static SerialDate FromDouble(double d);

    double Value() const noexcept { return value_; }
    bool HasTimeOfDay() const noexcept;

    friend bool operator==(SerialDate, SerialDate) = default;

private:
    explicit constexpr SerialDate(double d) noexcept : value_(d) {}
    double value_;
};

// A date in the proleptic Gregorian calendar, with the time of day, and
// what the regional formats need of it besides: worked out once, since each
// date text formats the same reading twice (the date, then the time).
struct CalendarReading {
    std::chrono::year_month_day Date;
    std::int32_t Hour = 0;
    std::int32_t Minute = 0;
    std::int32_t Second = 0;
    std::chrono::weekday Weekday;
    std::int32_t DayOfYear = 0;  // 0 is January 1st

    friend bool operator==(const CalendarReading&, const CalendarReading&) = default;
};

// The date and the time of day to the nearest second. The conversion forms
// most whole seconds a few units in the last place below the exact value
// (epoch second 1 becomes 0.99999992 s), so truncating would lose a second.
CalendarReading ReadCalendar(SerialDate date) noexcept;

}  // namespace Brisvane
