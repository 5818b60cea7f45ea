#include "DateText.h"

#include <ctime>
#include <iterator>
#include <sstream>

#if defined(__unix__) || defined(__APPLE__)
#include <locale.h>
#define BRISVANE_HAVE_STRFTIME_L 1
#endif

namespace Brisvane {
namespace {

std::tm ToTm(const CalendarReading& reading)
{
    std::tm tm{};
    tm.tm_year = reading.Date.Year - 1900;
    tm.tm_mon = reading.Date.Month - 1;
    tm.tm_mday = reading.Date.Day;
    tm.tm_hour = reading.Hour;
    tm.tm_min = reading.Minute;
    tm.tm_sec = reading.Second;
    tm.tm_wday = reading.Weekday;
    tm.tm_yday = reading.DayOfYear;
    return tm;
}

const char* FormatFor(SerialDate date)
{
    return date.HasTimeOfDay() ? "%x %X" : "%x";
}

std::string TimePutText(const std::tm& tm, const char* format, const std::locale& locale)
{
    std::ostringstream out;
    out.imbue(locale);
    std::use_facet<std::time_put<char>>(locale).put(std::ostreambuf_iterator<char>(out), out, ' ', &tm, format,
                                                    format + std::char_traits<char>::length(format));
    return std::move(out).str();
}

}  // namespace

DateFormat::DateFormat(const std::locale& locale) : locale_(locale)
{
#ifdef BRISVANE_HAVE_STRFTIME_L
    // A locale built from facets has the name "*" and no C library
    // counterpart. Named ones (also composite names such as
    // "LC_CTYPE=C;LC_TIME=de_DE.UTF-8;...") are what std::time_put itself
    // hands to strftime_l, so both roads give the same text.
    const std::string name = locale.name();
    if (name != "*") {
        if (const locale_t handle = ::newlocale(LC_TIME_MASK, name.c_str(), nullptr))
            cLocale_ = std::shared_ptr<const void>(handle, [](const void* h) {
                ::freelocale(static_cast<locale_t>(const_cast<void*>(h)));
            });
    }
#endif
}

std::string DateFormat::Text(SerialDate date) const
{
    const std::tm tm = ToTm(ReadCalendar(date));
    const char* format = FormatFor(date);
#ifdef BRISVANE_HAVE_STRFTIME_L
    if (cLocale_) {
        char buffer[256];
        const auto handle = static_cast<locale_t>(const_cast<void*>(cLocale_.get()));
        // 0 means the buffer was too small (or the text empty): take the slow road.
        if (const std::size_t length = ::strftime_l(buffer, sizeof buffer, format, &tm, handle))
            return std::string(buffer, length);
    }
#endif
    return TimePutText(tm, format, locale_);
}

std::string DateText(SerialDate date, const std::locale& locale)
{
    return DateFormat(locale).Text(date);
}

}  // namespace Brisvane
