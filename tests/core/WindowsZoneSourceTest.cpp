// The real GetTimeZoneInformation, as Wine answers it for the zone named in
// TZ when the test process starts (the test suite runs this file once per
// zone). Wine has no daylight-saving rules for either zone used here.

#include "ZoneSource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace Brisvane;

TEST(WindowsZoneSource, AnswersForTheZoneOfTheProcess)
{
    const char* tz = std::getenv("TZ");
    const std::string zone = tz ? tz : "";
    ZoneAnswer expected;
    if (zone == "Asia/Kolkata")
        expected = ZoneAnswer{ZoneState::NoDaylightRules, -330, 0, ""};
    else if (zone == "UTC")
        expected = ZoneAnswer{ZoneState::NoDaylightRules, 0, 0, ""};
    else
        GTEST_SKIP() << "no expectation for TZ=" << zone;

    const ZoneAnswer answer = SystemZoneSource{}.Query(std::chrono::system_clock::now());
    EXPECT_EQ(answer.State, expected.State);
    EXPECT_EQ(answer.Bias, expected.Bias);
    // Asked twice: the function is bound once and used again.
    EXPECT_EQ(SystemZoneSource{}.Query(std::chrono::system_clock::now()).Bias, expected.Bias);
}
