#include "DateText.h"

#include <ctime>
#include <iterator>
#include <sstream>

namespace Brisvane {

std::string DateText(SerialDate date, const std::locale& locale)
{
    const CalendarReading reading = ReadCalendar(date);
    std::tm tm{};
    tm.tm_year = reading.Date.Year - 1900;
    tm.tm_mon = reading.Date.Month - 1;
    tm.tm_mday = reading.Date.Day;
    tm.tm_hour = reading.Hour;
    tm.tm_min = reading.Minute;
    tm.tm_sec = reading.Second;
    tm.tm_wday = reading.Weekday;
    tm.tm_yday = reading.DayOfYear;
    tm.tm_isdst = 0;

    static constexpr char dateOnly[] = "%x";
    static constexpr char dateAndTime[] = "%x %X";
    const char* format = date.HasTimeOfDay() ? dateAndTime : dateOnly;
    const char* formatEnd = format + std::char_traits<char>::length(format);

    std::ostringstream out;
    out.imbue(locale);
    std::use_facet<std::time_put<char>>(locale).put(std::ostreambuf_iterator<char>(out), out, ' ', &tm, format,
                                                    formatEnd);
    return std::move(out).str();
}

}  // namespace Brisvane
