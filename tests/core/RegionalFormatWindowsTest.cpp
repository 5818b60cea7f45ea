// Windows' regional formats, pinned to named locales, as Wine 8 has them.

#include "DateText.h"
#include "Epoch2Date.h"
#include "RegionalFormat.h"

#include <gtest/gtest.h>

using namespace Brisvane;

TEST(WindowsRegionalFormat, FollowsTheNamedLocale)
{
    struct Case {
        const char* locale;
        const char* date;
        const char* time;
        const char* separator;
    };
    const CalendarReading reading = ReadCalendar(Epoch2Date(Currency::Widen(1'600'000'000), 0));
    for (const Case c : {
             Case{"en-US", "9/13/2020", "12:26:40 PM", "."},
             Case{"de-DE", "13.9.2020", "12:26:40", ","},
             Case{"ja-JP", "2020/9/13", "12:26:40", "."},
             Case{"fr-FR", "13/09/2020", "12:26:40", ","},
         }) {
        const auto format = NamedRegionalFormat(c.locale);
        ASSERT_TRUE(format) << c.locale;
        EXPECT_EQ(format->ShortDate(reading, {}), c.date) << c.locale;
        EXPECT_EQ(format->LongTime(reading, {}), c.time) << c.locale;
        EXPECT_EQ(format->DecimalSeparator(), c.separator) << c.locale;
    }
    EXPECT_EQ(NamedRegionalFormat("xx-NOWHERE"), nullptr);
}

TEST(WindowsRegionalFormat, FallsBackToTheCLocaleWhereWindowsCannotFormat)
{
    // Windows formats no year before 1601: the call fails as for a broken
    // locale, and the date is the "C" locale's, as on POSIX systems.
    const auto format = NamedRegionalFormat("de-DE");
    ASSERT_TRUE(format);
    EXPECT_EQ(DateText(SerialDate::FromDouble(-146'094.75), {}, *format), "01/01/00 06:00:00");
}
