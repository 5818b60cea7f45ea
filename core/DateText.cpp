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

// strftime_l gives 0 both for a buffer too small and for an empty text.
// The leading blank tells them apart: the text is never empty, so 0 always
// means "grow the buffer". It is dropped from the result.
const char* FormatFor(SerialDate date)
{
    return date.HasTimeOfDay() ? " %x %X" : " %x";
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
        const auto handle = static_cast<locale_t>(const_cast<void*>(cLocale_.get()));
        char buffer[256];
        if (const std::size_t length = ::strftime_l(buffer, sizeof buffer, format, &tm, handle))
            return std::string(buffer + 1, length - 1);
        // A locale whose patterns are this long is rare: only then allocate.
        std::string text(2 * sizeof buffer, '\0');
        while (true) {
            if (const std::size_t length = ::strftime_l(text.data(), text.size(), format, &tm, handle)) {
                text.resize(length);
                return text.erase(0, 1);
            }
            text.resize(2 * text.size());
        }
    }
#endif
    return TimePutText(tm, format + 1, locale_);
}

std::string DateText(SerialDate date, const std::locale& locale)
{
    return DateFormat(locale).Text(date);
}

}  // namespace Brisvane
