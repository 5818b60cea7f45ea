// The real GetTimeZoneInformation, as Wine answers it for the zone named in
// TZ when the test process starts (the test suite runs this file once per
// zone).

#include "ZoneSource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

using namespace Brisvane;
using namespace std::chrono;

namespace {

// Days on which Wine's answer for a zone is not to be relied on.
bool AroundTheTurnOfTheYear(month_day day)
{
    return day == December / 31 || day == January / 1;
}
bool InJuneOrJuly(month_day day)
{
    return day.month() == June || day.month() == July;
}

struct Expectation {
    const char* Zone;
    ZoneAnswer Answer;
    bool (*WineMisreadsOn)(month_day) = nullptr;
};

// UTC and Asia/Kolkata have no daylight time. The two POSIX rules are on
// daylight time all year but for a week, so that on every day one of them
// shows that daylight time is read: the first from 1 January to 31 December,
// which Wine answers as standard time for hours of 31 December and 1 January;
// the second, southern style, from the first Sunday of July to the last
// Sunday of June.
const Expectation Expectations[] = {
    {"UTC", {ZoneState::NoDaylightRules, 0, 0, ""}},
    {"Asia/Kolkata", {ZoneState::NoDaylightRules, -330, 0, ""}},
    {"EST5EDT,0/0,J365/25", {ZoneState::Daylight, 300, -60, ""}, AroundTheTurnOfTheYear},
    {"EST5EDT,M7.1.0/0,M6.5.0/24", {ZoneState::Daylight, 300, -60, ""}, InJuneOrJuly},
};

}  // namespace

TEST(WindowsZoneSource, AnswersForTheZoneOfTheProcess)
{
    const char* tz = std::getenv("TZ");
    const std::string zone = tz ? tz : "";
    const Expectation* expected = nullptr;
    for (const Expectation& e : Expectations)
        if (zone == e.Zone)
            expected = &e;
    if (expected == nullptr)
        GTEST_SKIP() << "no expectation for TZ=" << zone;
    const year_month_day today{floor<days>(system_clock::now())};
    if (expected->WineMisreadsOn && expected->WineMisreadsOn(today.month() / today.day()))
        GTEST_SKIP() << "Wine's answer for TZ=" << zone << " is not to be relied on today; another zone checks it";

    const ZoneAnswer answer = SystemZoneSource{}.Query(system_clock::now());
    EXPECT_EQ(answer.State, expected->Answer.State);
    EXPECT_EQ(answer.Bias, expected->Answer.Bias);
    if (expected->Answer.State == ZoneState::Daylight) {  // read only then
        EXPECT_EQ(answer.DaylightBias, expected->Answer.DaylightBias);
    }
    // Asked twice: the function is bound once and used again.
    EXPECT_EQ(SystemZoneSource{}.Query(system_clock::now()).Bias, expected->Answer.Bias);
}
