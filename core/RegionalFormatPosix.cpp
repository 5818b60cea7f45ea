#include "RegionalFormat.h"

#include "LocaleHandlePosix.h"
#include "Utf8FromCharsetPosix.h"

#include <langinfo.h>

#include <chrono>
#include <ctime>

namespace Brisvane {
namespace {

// Only the categories the program reads: a broken LC_MESSAGES, say, must
// not cost the user their date format.
constexpr int UsedCategories = LC_TIME_MASK | LC_NUMERIC_MASK;

// The zone fields matter to the formats that name the zone: without them
// glibc takes %Z from tzname[0], the standard-time name, and %z as +0000.
std::tm ToTm(const CalendarReading& reading, const ZoneLabel& zone)
{
    const std::chrono::year_month_day date = reading.Date;
    std::tm tm{};
    tm.tm_year = static_cast<int>(date.year()) - 1900;
    tm.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
    tm.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
    tm.tm_hour = reading.Hour;
    tm.tm_min = reading.Minute;
    tm.tm_sec = reading.Second;
    tm.tm_wday = static_cast<int>(reading.Weekday.c_encoding());
    tm.tm_yday = reading.DayOfYear;
    tm.tm_isdst = zone.Daylight ? 1 : 0;
    tm.tm_gmtoff = zone.OffsetSeconds;
    tm.tm_zone = zone.Abbreviation.c_str();
    return tm;
}

class PosixRegionalFormat final : public RegionalFormat {
public:
    // Each category's texts come in its own character set, which need not
    // be UTF-8 (ja_JP.eucjp, el_GR) nor the same for both. POSIX names only
    // LC_CTYPE's set (CODESET); _NL_TIME_CODESET and _NL_NUMERIC_CODESET,
    // each category's own, are glibc's.
    explicit PosixRegionalFormat(LocaleHandle locale)
        : locale_(std::move(locale)), timeCharset_(::nl_langinfo_l(_NL_TIME_CODESET, locale_.get())),
          timeIsUtf8_(ReadsAsUtf8(timeCharset_)),
          decimalSeparator_(Utf8FromCharset(::nl_langinfo_l(RADIXCHAR, locale_.get()),
                                            ::nl_langinfo_l(_NL_NUMERIC_CODESET, locale_.get())))
    {
    }

    // %x and %X are the locale's own short date and long time.
    std::string ShortDate(const CalendarReading& reading, const ZoneLabel& zone) const override
    {
        return TimeText(Format(" %x", ToTm(reading, zone)));
    }
    std::string LongTime(const CalendarReading& reading, const ZoneLabel& zone) const override
    {
        return TimeText(Format(" %X", ToTm(reading, zone)));
    }
    const std::string& DecimalSeparator() const noexcept override { return decimalSeparator_; }

private:
    // Most locales are UTF-8: their texts take no detour.
    std::string TimeText(std::string text) const
    {
        return timeIsUtf8_ ? text : Utf8FromCharset(std::move(text), timeCharset_);
    }

    // strftime_l gives 0 both for a buffer too small and for an empty text.
    // The leading blank in `format` tells them apart: the text is never
    // empty, so 0 always means "grow the buffer". It is dropped from the
    // result.
    std::string Format(const char* format, const std::tm& tm) const
    {
        char buffer[128];
        if (const std::size_t length = ::strftime_l(buffer, sizeof buffer, format, &tm, locale_.get()))
            return std::string(buffer + 1, length - 1);
        // Only a locale with very long patterns gets here.
        std::string text(2 * sizeof buffer, '\0');
        while (true) {
            if (const std::size_t length = ::strftime_l(text.data(), text.size(), format, &tm, locale_.get())) {
                text.resize(length);
                return text.erase(0, 1);
            }
            text.resize(2 * text.size());
        }
    }

    LocaleHandle locale_;
    // Held by the locale, and lives as long as it does.
    const char* timeCharset_;
    bool timeIsUtf8_;
    std::string decimalSeparator_;
};

std::unique_ptr<const RegionalFormat> FormatOf(const char* name)
{
    LocaleHandle locale(::newlocale(UsedCategories, name, nullptr));
    if (!locale)
        return nullptr;
    return std::make_unique<PosixRegionalFormat>(std::move(locale));
}

}  // namespace

std::unique_ptr<const RegionalFormat> UserRegionalFormat()
{
    // "" reads the environment.
    if (auto format = FormatOf(""))
        return format;
    return FormatOf("C");
}

std::unique_ptr<const RegionalFormat> NamedRegionalFormat(const std::string& name)
{
    return FormatOf(name.c_str());
}

}  // namespace Brisvane
