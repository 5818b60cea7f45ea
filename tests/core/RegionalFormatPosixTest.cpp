// The C library's regional formats, in locales that scripts/deps generates.

#include "DateText.h"
#include "Epoch2Date.h"
#include "LocaleHandlePosix.h"
#include "NumberText.h"
#include "RegionalFormat.h"
#include "ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <langinfo.h>

#include <string>

using namespace Brisvane;

namespace {

const ZoneLabel Utc{"UTC", 0, false};

// The epoch value as the program shows it in `zone`.
std::string TextOf(std::int32_t epoch, const RegionalFormat& format, const ZoneLabel& zone = Utc)
{
    return DateText(Epoch2Date(Currency::Widen(epoch), zone.OffsetSeconds), zone, format);
}

std::unique_ptr<const RegionalFormat> Named(const std::string& name)
{
    auto format = NamedRegionalFormat(name);
    if (!format)
        ADD_FAILURE() << "locale " << name << " is not installed (scripts/deps generates it)";
    return format;
}

// Greek's time was twelve-hour (its pattern "%r": "12:26:40 \u03BC\u03BC") in
// Debian 12's glibc, and is a 24-hour time alone ("%T") in Debian 13's. The
// pattern of the C library's own data picks which fixed text is expected.
std::string GreekText()
{
    const LocaleHandle greek(::newlocale(LC_TIME_MASK, "el_GR.UTF-8", nullptr));
    const std::string pattern = greek ? ::nl_langinfo_l(T_FMT, greek.get()) : "(el_GR.UTF-8 is not installed)";
    if (pattern == "%r")
        return "13/09/2020 12:26:40 \u03BC\u03BC";
    if (pattern == "%T")
        return "13/09/2020 12:26:40";
    ADD_FAILURE() << "no Greek text is pinned for the time pattern " << pattern;
    return pattern;
}

}  // namespace

TEST(PosixRegionalFormat, FollowsTheNamedLocale)
{
    struct Case {
        const char* locale;
        std::int32_t epoch;
        std::string text;
        const char* separator;
        ZoneLabel zone = Utc;
    };
    const ZoneLabel sydneySummer{"AEDT", 39'600, true}, cairoSummer{"EEST", 10'800, true}, india{"IST", 19'800, false};
    const std::string hindiPm = "\u0905\u092A\u0930\u093E\u0939\u094D\u0928";
    const std::string japanese = "2020\u5E7409\u670813\u65E5 12\u664226\u520640\u79D2";
    const std::string chinese = "2020\u5E7409\u670813\u65E5 12\u65F626\u520640\u79D2";
    const std::string arabic = "13 \u0633\u0628\u062A, 2020 EEST 03:26:40 \u0645";
    const std::string greek = GreekText();
    for (const Case& c : {
             Case{"C", 1'600'000'000, "09/13/20 12:26:40", "."},
             Case{"en_US.UTF-8", 1'600'000'000, "09/13/2020 12:26:40 PM", "."},
             Case{"de_DE.UTF-8", 1'600'000'000, "13.09.2020 12:26:40", ","},
             Case{"ja_JP.UTF-8", 1'600'000'000, japanese, "."},
             Case{"zh_CN.UTF-8", 1'600'000'000, chinese, "."},
             // Locales in older character sets read as their UTF-8 siblings.
             Case{"ja_JP.EUC-JP", 1'600'000'000, japanese, "."},
             Case{"zh_CN.GB18030", 1'600'000'000, chinese, "."},
             Case{"el_GR.ISO-8859-7", 1'600'000'000, greek, ","},
             Case{"ar_EG.ISO-8859-6", 1'600'000'000, arabic, ".", cairoSummer},
             Case{"en_US.UTF-8", 1, "01/01/1970 12:00:01 AM", "."},
             Case{"de_DE.UTF-8", 2'147'483'647, "19.01.2038 03:14:07", ","},
             Case{"de_DE.UTF-8", 86'400, "02.01.1970", ","},
             // Times that name their zone name the one they were converted
             // in, on daylight time or not; the rest ignore it.
             Case{"hi_IN.UTF-8", 1'600'000'000, "13/9/20 11:26:40 " + hindiPm + " AEDT", ".", sydneySummer},
             Case{"ar_EG.UTF-8", 1'600'000'000, arabic, ".", cairoSummer},
             Case{"hi_IN.UTF-8", 1'600'000'000, "13/9/20 05:56:40 " + hindiPm + " IST", ".", india},
             Case{"nb_NO.UTF-8", 1'600'000'000, "13. sep. 2020 kl. 23.26 +1100", ",", sydneySummer},
             Case{"nb_NO.UTF-8", 1'600'000'000, "13. sep. 2020 kl. 17.56 +0530", ",", india},
             Case{"en_US.UTF-8", 1'600'000'000, "09/13/2020 11:26:40 PM", ".", sydneySummer},
         }) {
        const auto format = Named(c.locale);
        ASSERT_TRUE(format);
        EXPECT_EQ(TextOf(c.epoch, *format, c.zone), c.text) << c.locale << ' ' << c.epoch;
        EXPECT_EQ(format->DecimalSeparator(), c.separator) << c.locale;
    }
    EXPECT_EQ(NamedRegionalFormat("xx_NOWHERE.UTF-8"), nullptr);
}

TEST(PosixRegionalFormat, IsWholeHoweverLongTheLocalePatternIs)
{
    std::string date;
    for (int i = 0; i < 8; ++i)
        date += "Sunday, a day with a name that runs long; ";
    const auto format = Named("en_US.UTF-8@longdate");
    ASSERT_TRUE(format);
    EXPECT_EQ(TextOf(1'600'000'000, *format), date + "2020-09-13 12:26:40");
}

TEST(PosixRegionalFormat, UserFormatsComeFromTheEnvironment)
{
    struct Case {
        ScopedEnvironment::Variables environment;
        std::string text;
        const char* hours;  // 5.5 as the number text
    };
    for (const Case& c : {
             Case{{{"LC_ALL", "de_DE.UTF-8"}}, "13.09.2020 12:26:40", "5,5"},
             // Each category on its own, as a mixed session sets them.
             Case{{{"LC_ALL", std::nullopt}, {"LANG", "C"}, {"LC_TIME", "de_DE.UTF-8"}, {"LC_NUMERIC", std::nullopt}},
                  "13.09.2020 12:26:40",
                  "5.5"},
             Case{{{"LC_ALL", std::nullopt}, {"LANG", "C"}, {"LC_TIME", std::nullopt}, {"LC_NUMERIC", "de_DE.UTF-8"}},
                  "09/13/20 12:26:40",
                  "5,5"},
             // Each category read in its own character set: Greek's date in
             // ISO 8859-7 and Pashto's decimal separator, U+066B, in UTF-8.
             Case{{{"LC_ALL", std::nullopt},
                   {"LANG", "C"},
                   {"LC_TIME", "el_GR.ISO-8859-7"},
                   {"LC_NUMERIC", "ps_AF.UTF-8"}},
                  GreekText(),
                  "5\u066B5"},
             // A locale that is named but not installed: "C", not a failure.
             Case{{{"LC_ALL", "xx_NOWHERE.UTF-8"}}, "09/13/20 12:26:40", "5.5"},
         }) {
        const ScopedEnvironment environment(c.environment);
        const auto format = UserRegionalFormat();
        ASSERT_TRUE(format);
        EXPECT_EQ(TextOf(1'600'000'000, *format), c.text);
        EXPECT_EQ(NumberText(5.5, format->DecimalSeparator()), c.hours);
    }
}
