#include "Error.h"
#include "NumberText.h"
#include "ZoneOffset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

using namespace Brisvane;

namespace {

constexpr auto None = ZoneState::NoDaylightRules;
constexpr auto Standard = ZoneState::Standard;
constexpr auto Daylight = ZoneState::Daylight;

std::optional<std::string> HoursText(const ZoneOffset& offset)
{
    if (!offset.Hours)
        return std::nullopt;
    return NumberText(*offset.Hours, ".");
}

}  // namespace

TEST(ZoneOffset, FollowsTheZoneTable)
{
    struct Case {
        ZoneState state;
        std::int32_t bias;
        std::int32_t daylightBias;
        std::optional<std::int32_t> seconds;
        std::optional<std::string> hours;
    };
    for (const Case& c : {
             Case{Standard, 300, -60, -18'000, "-5"},
             Case{Daylight, 300, -60, -14'400, "-4"},
             Case{Standard, 210, -60, -12'600, "-3.5"},
             Case{Daylight, 210, -60, -9'000, "-2.5"},
             Case{Standard, -570, -60, 34'200, "9.5"},
             Case{Daylight, -570, -60, 37'800, "10.5"},
             Case{Standard, -345, 0, 20'700, "5.75"},
             Case{Standard, 0, -60, 0, "0"},
             Case{Daylight, 0, -60, 3'600, "1"},
             Case{Daylight, 60, -60, 0, "0"},  // negative zero, shown without a sign
             // A zone without daylight saving is on its standard time, not on UTC.
             Case{None, -330, 0, 19'800, "5.5"},
             Case{None, 0, 0, 0, "0"},
             Case{None, -480, 0, 28'800, "8"},
             // The zone's own daylight bias, not a fixed hour.
             Case{Daylight, -630, -30, 39'600, "11"},  // Lord Howe in summer
             Case{Daylight, -60, 60, 0, "0"},          // Dublin in winter
             Case{ZoneState::Failure, -330, -60, std::nullopt, std::nullopt},
         }) {
        const ZoneOffset offset = ComputeZoneOffset(ZoneAnswer{c.state, c.bias, c.daylightBias, ""});
        EXPECT_EQ(offset.Seconds, c.seconds) << "bias " << c.bias << " state " << static_cast<int>(c.state);
        EXPECT_EQ(HoursText(offset), c.hours) << "bias " << c.bias << " state " << static_cast<int>(c.state);
        if (offset.Seconds && offset.Hours) {
            EXPECT_EQ(*offset.Hours * 3'600, *offset.Seconds);
        }
    }
}

TEST(ZoneOffset, BiasOutsideThe32BitRangeOfSecondsIsAnOverflow)
{
    struct Case {
        ZoneState state;
        std::int32_t bias;
        bool overflows;
    };
    constexpr std::int32_t top = 2'147'483'647;
    constexpr std::int32_t bottom = -2'147'483'647 - 1;
    for (const Case c :
         {Case{Standard, 35'791'394, false}, Case{Standard, 35'791'395, true}, Case{Standard, -35'791'394, false},
          Case{Standard, -35'791'395, true}, Case{None, 35'791'395, true}, Case{Standard, bottom, true},
          Case{Standard, top, true}, Case{Daylight, 35'791'454, false}, Case{Daylight, 35'791'455, true},
          Case{Daylight, -35'791'334, false}, Case{Daylight, -35'791'335, true}, Case{Daylight, bottom, true}}) {
        const ZoneAnswer answer{c.state, c.bias, -60, ""};
        if (!c.overflows) {
            EXPECT_NO_THROW(ComputeZoneOffset(answer)) << c.bias;
            continue;
        }
        try {
            ComputeZoneOffset(answer);
            ADD_FAILURE() << "bias " << c.bias << " was accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.Kind(), ErrorKind::Overflow);
            EXPECT_NE(e.Detail().find(std::to_string(c.bias)), std::string::npos) << e.Detail();
        }
    }
}
