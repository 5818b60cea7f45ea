#include "ScopedEnvironment.h"
#include "ZoneSource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

using namespace Brisvane;
using namespace std::chrono;

namespace {

// Fixed instants, so that the answers do not depend on today's date.
const system_clock::time_point InJanuary = sys_days{2024y / std::chrono::January / 15} + 12h;
const system_clock::time_point InJuly = sys_days{2024y / std::chrono::July / 15} + 12h;

// The answer with TZ set to `tz`, or unset where it is nullopt.
ZoneAnswer Ask(const std::optional<std::string>& tz, system_clock::time_point at)
{
    const ScopedEnvironment environment(ScopedEnvironment::Variables{{"TZ", tz}});
    return SystemZoneSource{}.Query(at);
}

std::int32_t SecondsEast(const ZoneAnswer& answer)
{
    return *ComputeZoneOffset(answer).Seconds;
}

// Returns the offset east of UTC at `at` in /etc/localtime, the file the C
// library reads where TZ is unset: UTC where there is none, or it is no
// zone file.
long ZoneFileOffset(system_clock::time_point at)
{
    const std::string command = BRISVANE_PYTHON3
                                " -c '"
                                "import datetime, sys, zoneinfo\n"
                                "try:\n"
                                "    zone = zoneinfo.ZoneInfo.from_file(open(\"/etc/localtime\", \"rb\"))\n"
                                "except (OSError, ValueError):\n"
                                "    zone = datetime.timezone.utc\n"
                                "at = datetime.datetime.fromtimestamp(int(sys.argv[1]), zone)\n"
                                "print(int(at.utcoffset().total_seconds()))' " +
                                std::to_string(system_clock::to_time_t(at));
    FILE* python = ::popen(command.c_str(), "r");
    if (python == nullptr)
        return -1;
    long offset = -1;
    if (std::fscanf(python, "%ld", &offset) != 1 || ::pclose(python) != 0)
        ADD_FAILURE() << command;
    return offset;
}

}  // namespace

TEST(SystemZoneSource, AnswersFromTheTzDatabase)
{
    struct Case {
        const char* tz;
        system_clock::time_point at;
        ZoneAnswer answer;
    };
    const Case cases[] = {
        {"UTC", InJanuary, {ZoneState::NoDaylightRules, 0, 0, "UTC"}},
        {"Asia/Kolkata", InJuly, {ZoneState::NoDaylightRules, -330, 0, "IST"}},
        {"<+0545>-5:45", InJanuary, {ZoneState::NoDaylightRules, -345, 0, "+0545"}},
        // Daylight time all year round: from day 0 at 00:00 to after the last
        // day's end (a POSIX rule string, no database needed).
        {"EST5EDT,0/0,J365/25", InJanuary, {ZoneState::Daylight, 300, -60, "EDT"}},
        {"EST5EDT,0/0,J365/25", InJuly, {ZoneState::Daylight, 300, -60, "EDT"}},
        {"America/New_York", InJanuary, {ZoneState::Standard, 300, 0, "EST"}},
        {"America/New_York", InJuly, {ZoneState::Daylight, 300, -60, "EDT"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ask(c.tz, c.at), c.answer) << c.tz;
}

TEST(SystemZoneSource, ReproducesTheOffsetInForce)
{
    // Whatever way the database marks these zones, the offset must come out
    // as the clocks on the wall show it.
    struct Case {
        const char* tz;
        system_clock::time_point at;
        std::int32_t seconds;
    };
    const Case cases[] = {
        {"Europe/Dublin", InJanuary, 0},
        {"Europe/Dublin", InJuly, 3'600},
        {"Australia/Lord_Howe", InJanuary, 39'600},
        {"Australia/Lord_Howe", InJuly, 37'800},
        {"America/New_York", InJanuary, -18'000},
        {"America/New_York", InJuly, -14'400},
        {"Asia/Kolkata", InJanuary, 19'800},
        {"America/St_Johns", InJuly, -9'000},
    };
    for (const Case& c : cases) {
        const ZoneAnswer answer = Ask(c.tz, c.at);
        EXPECT_NE(answer.State, ZoneState::Failure) << c.tz;
        EXPECT_EQ(SecondsEast(answer), c.seconds) << c.tz;
    }
}

TEST(SystemZoneSource, UnknownOrMissingZonesFallBackToUtc)
{
    // An unknown name, an empty TZ and a zone file that cannot be read (as
    // when /etc/localtime is missing) all leave the C library on UTC.
    for (const char* tz : {"Nowhere/Atlantis", "", ":/nonexistent/localtime"}) {
        const ZoneAnswer answer = Ask(tz, InJuly);
        EXPECT_NE(answer.State, ZoneState::Failure) << '"' << tz << '"';
        EXPECT_EQ(SecondsEast(answer), 0) << '"' << tz << '"';
    }
}

TEST(SystemZoneSource, WithoutTzTheZoneIsTheMachines)
{
    // The offset the machine's zone file gives at the same instants, as
    // Python's zoneinfo reads it. Asked from a process whose TZ says
    // otherwise, so that a TZ left set shows.
    const ScopedEnvironment elsewhere(ScopedEnvironment::Variables{{"TZ", "<-1130>11:30"}});
    for (const system_clock::time_point at : {InJanuary, InJuly}) {
        const ZoneAnswer unset = Ask(std::nullopt, at);
        EXPECT_NE(unset.State, ZoneState::Failure);
        EXPECT_EQ(SecondsEast(unset), ZoneFileOffset(at));
    }
}
