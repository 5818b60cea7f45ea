#include "DateText.h"
#include "Epoch2Date.h"
#include "Locale.h"
#include "NamedLocale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace Brisvane;

namespace {

std::string TextOf(std::int32_t epoch, const std::locale& locale, std::int32_t offset = 0)
{
    return DateText(Epoch2Date(Currency::Widen(epoch), offset), locale);
}

}  // namespace

TEST(DateText, FollowsTheRegionalFormatOfTheGivenLocale)
{
    struct Case {
        const char* locale;
        std::int32_t epoch;
        const char* text;
    };
    for (const Case c : {
             Case{"en_US.UTF-8", 1'600'000'000, "09/13/2020 12:26:40 PM"},
             Case{"de_DE.UTF-8", 1'600'000'000, "13.09.2020 12:26:40"},
             Case{"ja_JP.UTF-8", 1'600'000'000, "2020\xE5\xB9\xB4" "09\xE6\x9C\x88" "13\xE6\x97\xA5 "
                                                "12\xE6\x99\x82" "26\xE5\x88\x86" "40\xE7\xA7\x92"},
             Case{"en_US.UTF-8", 1, "01/01/1970 12:00:01 AM"},
             Case{"de_DE.UTF-8", 2'147'483'647, "19.01.2038 03:14:07"},
         }) {
        EXPECT_EQ(TextOf(c.epoch, NamedLocale(c.locale)), c.text) << c.locale << ' ' << c.epoch;
    }
}

TEST(DateText, IsWholeHoweverLongTheLocalePatternIs)
{
    std::string date;
    for (int i = 0; i < 8; ++i)
        date += "Sunday, a day with a name that runs long; ";
    date += "2020-09-13";
    EXPECT_EQ(TextOf(1'600'000'000, NamedLocale("en_US.UTF-8@longdate")), date + " 12:26:40");
}

TEST(DateText, WritesTheClassicFormat)
{
    const std::locale c = std::locale::classic();
    EXPECT_EQ(TextOf(1'600'000'000, c), "09/13/20 12:26:40");
    EXPECT_EQ(TextOf(1, c, -18'000), "12/31/69 19:00:01");
}

TEST(DateText, ExactMidnightShowsTheDateAlone)
{
    const std::locale c = std::locale::classic();
    EXPECT_EQ(TextOf(86'400, c), "01/02/70");
    EXPECT_EQ(TextOf(86'400 - 19'800, c, 19'800), "01/02/70");
    EXPECT_EQ(DateText(SerialDate::FromDouble(25'569.5), c), "01/01/70 12:00:00");
}

#ifndef _WIN32
TEST(UserLocale, FallsBackToClassicWhenTheNamedLocaleIsMissing)
{
    const char* saved = std::getenv("LC_ALL");
    const std::string savedValue = saved ? saved : "";
    ::setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    const std::locale locale = UserLocale();
    if (saved)
        ::setenv("LC_ALL", savedValue.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
    EXPECT_EQ(locale.name(), "C");
    EXPECT_EQ(TextOf(1'600'000'000, locale), "09/13/20 12:26:40");
}
#endif

TEST(DateFormat, LocalesWithoutANameGiveTheSameText)
{
    // A locale assembled from facets has no C library counterpart and is
    // formatted through time_put; it must read exactly like the named one.
    for (const char* name : {"C", "en_US.UTF-8", "de_DE.UTF-8", "ja_JP.UTF-8"}) {
        const std::locale named = NamedLocale(name);
        const std::locale unnamed(named, new std::numpunct<char>());
        ASSERT_EQ(unnamed.name(), "*");
        const DateFormat fast(named);
        const DateFormat portable(unnamed);
        for (const std::int32_t epoch : {1, 86'400, 1'600'000'000, 2'147'483'647}) {
            const SerialDate date = Epoch2Date(Currency::Widen(epoch), 0);
            EXPECT_EQ(portable.Text(date), fast.Text(date)) << name << ' ' << epoch;
        }
    }
}

TEST(DateFormat, HonoursTheTimeCategoryOfAMixedLocale)
{
    // LANG=C with LC_TIME=de_DE.UTF-8 gives a composite locale name.
    const std::locale mixed(std::locale::classic(), NamedLocale("de_DE.UTF-8"), std::locale::time);
    EXPECT_EQ(DateFormat(mixed).Text(Epoch2Date(Currency::Widen(1'600'000'000), 0)), "13.09.2020 12:26:40");
}
