// Converts every accepted epoch value, 1 to 2,147,483,647, at a handful of
// zone offsets and compares the calendar reading with a wall clock that is
// simply ticked forward one second at a time: no division, no floating
// point, nothing shared with the code under test.
//
//   exhaustive_check            every value (a few minutes on two cores)
//   exhaustive_check --sample   100 runs of 100,000 consecutive seconds
//                               spread over the range (the test suite's)

#include "Epoch2Date.h"
#include "SerialDate.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

using namespace Brisvane;

namespace {

constexpr std::int32_t Offsets[] = {-43'200, -18'000, 0, 19'800, 50'400};
constexpr std::int64_t LastEpoch = 2'147'483'647;

// The local wall clock, ticked forward by hand.
struct WallClock {
    int year, month, day, hour, minute, second, dayOfWeek;

    static WallClock At(std::int64_t localSeconds)
    {
        using namespace std::chrono;
        const sys_seconds t{seconds{localSeconds}};
        const sys_days date = floor<days>(t);
        const year_month_day ymd{date};
        const hh_mm_ss<seconds> clock{t - date};
        return WallClock{static_cast<int>(ymd.year()),
                         static_cast<int>(static_cast<unsigned>(ymd.month())),
                         static_cast<int>(static_cast<unsigned>(ymd.day())),
                         static_cast<int>(clock.hours().count()),
                         static_cast<int>(clock.minutes().count()),
                         static_cast<int>(clock.seconds().count()),
                         static_cast<int>(std::chrono::weekday{date}.c_encoding())};
    }

    static int DaysInMonth(int year, int month)
    {
        if (month == 2) {
            const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
            return leap ? 29 : 28;
        }
        return (month == 4 || month == 6 || month == 9 || month == 11) ? 30 : 31;
    }

    void Tick()
    {
        if (++second < 60)
            return;
        second = 0;
        if (++minute < 60)
            return;
        minute = 0;
        if (++hour < 24)
            return;
        hour = 0;
        dayOfWeek = (dayOfWeek + 1) % 7;
        if (++day <= DaysInMonth(year, month))
            return;
        day = 1;
        if (++month <= 12)
            return;
        month = 1;
        ++year;
    }

    bool Matches(const CalendarReading& r) const
    {
        using namespace std::chrono;
        const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                  std::chrono::day{static_cast<unsigned>(day)}};
        return r.Date == date && r.Hour == hour && r.Minute == minute && r.Second == second &&
               r.Weekday.c_encoding() == static_cast<unsigned>(dayOfWeek);
    }
};

struct Run {
    std::int32_t offset;
    std::int64_t first;
    std::int64_t count;
};

std::atomic<std::int64_t> checked{0};
std::atomic<std::int64_t> mismatches{0};
std::mutex reportLock;

void Check(const Run& run)
{
    WallClock wall = WallClock::At(run.first + run.offset);
    std::int64_t bad = 0;
    for (std::int64_t epoch = run.first; epoch < run.first + run.count; ++epoch, wall.Tick()) {
        const CalendarReading r =
            ReadCalendar(Epoch2Date(Currency::Widen(static_cast<std::int32_t>(epoch)), run.offset));
        if (wall.Matches(r))
            continue;
        if (++bad <= 5) {
            const std::lock_guard lock(reportLock);
            std::printf("MISMATCH epoch %lld offset %d: read %04d-%02u-%02u %02d:%02d:%02d, wall clock "
                        "%04d-%02d-%02d %02d:%02d:%02d\n",
                        static_cast<long long>(epoch), run.offset, static_cast<int>(r.Date.year()),
                        static_cast<unsigned>(r.Date.month()), static_cast<unsigned>(r.Date.day()), r.Hour, r.Minute,
                        r.Second, wall.year, wall.month, wall.day, wall.hour, wall.minute, wall.second);
        }
    }
    checked += run.count;
    mismatches += bad;
}

std::vector<Run> Plan(bool sample)
{
    std::vector<Run> runs;
    for (const std::int32_t offset : Offsets) {
        if (sample) {
            constexpr std::int64_t length = 100'000;
            constexpr int count = 100;
            const std::int64_t step = (LastEpoch - length) / (count - 1);
            for (int i = 0; i < count; ++i)
                runs.push_back(Run{offset, 1 + i * step, length});
        } else {
            // Slices small enough to share out evenly between the threads.
            constexpr std::int64_t slice = 1LL << 26;
            for (std::int64_t first = 1; first <= LastEpoch; first += slice)
                runs.push_back(Run{offset, first, std::min(slice, LastEpoch - first + 1)});
        }
    }
    return runs;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool sample = argc > 1 && std::strcmp(argv[1], "--sample") == 0;
    const std::vector<Run> runs = Plan(sample);
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());

    const auto start = std::chrono::steady_clock::now();
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            for (std::size_t i = next++; i < runs.size(); i = next++)
                Check(runs[i]);
        });
    for (std::thread& worker : workers)
        worker.join();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    std::printf("%s check: %lld conversions at %zu offsets, %lld mismatches, %.1f s on %u threads\n",
                sample ? "sampled" : "exhaustive", static_cast<long long>(checked.load()), std::size(Offsets),
                static_cast<long long>(mismatches.load()), elapsed.count(), threads);
    return mismatches == 0 && checked > 0 ? 0 : 1;
}
