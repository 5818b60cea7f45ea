#include "SerialDate.h"

#include "Error.h"

#include <cmath>
#include <cstdio>

namespace Brisvane {

SerialDate SerialDate::FromDouble(double d)
{
    // Written so that NaN fails too.
    if (!(d > Lowest && d < Highest)) {
        char text[64];
        std::snprintf(text, sizeof text, "the day number %.17g is outside the calendar", d);
        RaiseOverflow(text);
    }
    return SerialDate(d);
}

bool SerialDate::HasTimeOfDay() const noexcept
{
    return std::floor(value_) != value_;
}

CalendarReading ReadCalendar(SerialDate date) noexcept
{
    constexpr std::int32_t secondsPerDay = 86'400;

    // The day is counted downwards (floor) so that the time of day is never
    // negative; the program only forms positive values, where this is plain
    // truncation. Within the valid range both fit in 32 bits.
    const double wholeDays = std::floor(date.Value());
    auto dayNumber = static_cast<std::int32_t>(wholeDays);
    // value - floor(value) is exact, so the only rounding is the one to the second.
    auto seconds = static_cast<std::int32_t>(std::floor((date.Value() - wholeDays) * secondsPerDay + 0.5));
    if (seconds == secondsPerDay) {
        seconds = 0;
        ++dayNumber;
    }

    using namespace std::chrono;
    const sys_days day{days{dayNumber - static_cast<std::int32_t>(SerialDate::UnixEpochDay)}};
    CalendarReading reading;
    reading.Date = year_month_day{day};
    reading.Hour = seconds / 3'600;
    reading.Minute = seconds / 60 % 60;
    reading.Second = seconds % 60;
    reading.Weekday = weekday{day};
    reading.DayOfYear = static_cast<std::int32_t>((day - sys_days{reading.Date.year() / January / 1}).count());
    return reading;
}

}  // namespace Brisvane
