// The command-line rule on any bytes: a value or one of the two errors, and
// a value always reads back from its own display text. The first byte picks
// the locale, so that both the full stop and the comma are exercised.

#include "EpochText.h"
#include "Error.h"
#include "FuzzLocales.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::locale& locale = (data[0] & 1) ? FuzzLocales::German() : FuzzLocales::Classic();
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        const std::int32_t value = Brisvane::ParseEpochStrict(text, locale);
        if (Brisvane::ParseEpochStrict(Brisvane::EpochText(value), locale) != value)
            std::abort();
    } catch (const Brisvane::Error&) {
    }
    return 0;
}
