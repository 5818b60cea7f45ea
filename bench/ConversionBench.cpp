// Speed of the conversion path against the C library doing the same job.
//
//   build/bench/conversion_bench
//
// "Full conversion" is what one accepted request costs: Epoch2Date, the
// calendar reading and the date text, as UTF-8. The anchor is the C library's own
// way to the same text: gmtime_r on the value shifted by the offset, then
// strftime with "%x %X" in the same locale.

#include "DateText.h"
#include "Epoch2Date.h"
#include "EpochText.h"
#include "NumberText.h"
#include "ParseEpochLeading.h"
#include "ParseEpochStrict.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <locale.h>
#include <string>

namespace {

constexpr std::int32_t Offset = -18'000;
const Brisvane::ZoneLabel Zone{"EST", Offset, false};

std::int32_t NextEpoch(std::int32_t epoch)
{
    // Walks through the years so that neither side gets one cached answer.
    return epoch >= 2'100'000'000 ? 1 : epoch + 7'777'777;
}

void FullConversion(benchmark::State& state, const char* localeName)
{
    // Made once, as the program makes it once.
    const auto format = Brisvane::NamedRegionalFormat(localeName);
    if (!format) {
        state.SkipWithError("locale not installed");
        return;
    }
    std::int32_t epoch = 1'600'000'000;
    for (auto _ : state) {
        std::string text =
            Brisvane::DateText(Brisvane::Epoch2Date(Brisvane::Currency::Widen(epoch), Offset), Zone, *format);
        benchmark::DoNotOptimize(text);
        epoch = NextEpoch(epoch);
    }
}

void CLibraryConversion(benchmark::State& state, const char* localeName)
{
    const locale_t locale = ::newlocale(LC_ALL_MASK, localeName, nullptr);
    if (locale == nullptr) {
        state.SkipWithError("locale not installed");
        return;
    }
    std::int32_t epoch = 1'600'000'000;
    for (auto _ : state) {
        // Within a 32-bit time_t (Debian 12's armhf), as every accepted epoch value is.
        const std::time_t shifted = static_cast<std::time_t>(epoch) + Offset;
        std::tm tm{};
        ::gmtime_r(&shifted, &tm);
        char buffer[128];
        const std::size_t length = ::strftime_l(buffer, sizeof buffer, "%x %X", &tm, locale);
        std::string text(buffer, length);
        benchmark::DoNotOptimize(text);
        epoch = NextEpoch(epoch);
    }
    ::freelocale(locale);
}

void ParseStrict(benchmark::State& state, const char* text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Brisvane::ParseEpochStrict(text, "."));
}

void ParseLeading(benchmark::State& state, const char* text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Brisvane::ParseEpochLeading(text));
}

void NumberText(benchmark::State& state, double value)
{
    for (auto _ : state) {
        std::string text = Brisvane::NumberText(value, ".");
        benchmark::DoNotOptimize(text);
    }
}

void EpochText(benchmark::State& state)
{
    std::int32_t epoch = 1'600'000'000;
    for (auto _ : state) {
        std::string text = Brisvane::EpochText(epoch);
        benchmark::DoNotOptimize(text);
        epoch = NextEpoch(epoch);
    }
}

}  // namespace

BENCHMARK_CAPTURE(FullConversion, C, "C");
BENCHMARK_CAPTURE(CLibraryConversion, C, "C");
BENCHMARK_CAPTURE(FullConversion, en_US, "en_US.UTF-8");
BENCHMARK_CAPTURE(CLibraryConversion, en_US, "en_US.UTF-8");
// An older character set: the C library's text is EUC-JP, the program's UTF-8.
BENCHMARK_CAPTURE(FullConversion, ja_JP_eucjp, "ja_JP.EUC-JP");
BENCHMARK_CAPTURE(CLibraryConversion, ja_JP_eucjp, "ja_JP.EUC-JP");
BENCHMARK_CAPTURE(ParseStrict, typical, "1600000000");
BENCHMARK_CAPTURE(ParseStrict, long, "    -1600000000.49999999999999999999e+0    ");
BENCHMARK_CAPTURE(ParseLeading, typical, "1600000000");
BENCHMARK_CAPTURE(ParseLeading, long, " 1 600 000 000.4999999999e0 seconds since the epoch, or thereabouts");
BENCHMARK_CAPTURE(ParseLeading, hex, "&H5F5E1000");
BENCHMARK_CAPTURE(NumberText, hours, 5.5);
BENCHMARK_CAPTURE(NumberText, sixtieth, 1.0 / 60.0);
BENCHMARK(EpochText);

BENCHMARK_MAIN();
