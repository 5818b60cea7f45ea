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
        EXPECT_EQ(format->ShortDate(reading), c.date) << c.locale;
        EXPECT_EQ(format->LongTime(reading), c.time) << c.locale;
        EXPECT_EQ(format->DecimalSeparator(), c.separator) << c.locale;
    }
    EXPECT_EQ(NamedRegionalFormat("xx-NOWHERE"), nullptr);
}

TEST(WindowsRegionalFormat, NeverShowsADateAsNothing)
{
    // Windows formats dates from 1601 on only: 1500-01-01 falls back to ISO.
    const auto format = NamedRegionalFormat("en-US");
    ASSERT_TRUE(format);
    EXPECT_EQ(DateText(SerialDate::FromDouble(-146'094.75), *format), "1500-01-01 6:00:00 AM");
}
